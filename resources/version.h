/* The facts that the programs, their version resources and the release
   packages share: product, version, vendor and copyright line, and the
   programs' names. Plain
   #defines, so the resource compiler and C++ read them alike; CMake reads
   the names, numbers and copyright line with file(STRINGS), so keep each of
   those on one line of its own, as a plain literal. */
#ifndef OMBREL_VERSION_H
#define OMBREL_VERSION_H

#define OMBREL_STRINGIZE_(x) #x
#define OMBREL_STRINGIZE(x) OMBREL_STRINGIZE_(x)

#define OMBREL_PRODUCT_NAME "Ombrel Rezizazuriro"
#define OMBREL_COMPANY_NAME "Ombrel Software"
#define OMBREL_COPYRIGHT "Copyright (c) 1998-2026 Ombrel Software"
/* The vendor's domain, from which its web and mail addresses are made. */
#define OMBREL_VENDOR_DOMAIN "ombrel-software.example"
#define OMBREL_WEB_ADDRESS "www." OMBREL_VENDOR_DOMAIN
#define OMBREL_PRODUCT_PAGE "http://" OMBREL_WEB_ADDRESS "/rezizazuriro/"

/* Each program's file name without ".exe", which is also its window class
   name (and, for the two single-instance ones, the name others find it by). */
#define LAPWICK_PROGRAM_NAME "Lapwick"
#define ABOUT_PROGRAM_NAME "OmbrelAbout"
#define SPLASH_PROGRAM_NAME "OmbrelSplash"

/* The product's version, as the About window shows it: "3.1". */
#define OMBREL_VERSION_MAJOR 3
#define OMBREL_VERSION_MINOR 1
#define OMBREL_VERSION_TEXT \
  OMBREL_STRINGIZE(OMBREL_VERSION_MAJOR) "." OMBREL_STRINGIZE(OMBREL_VERSION_MINOR)

/* Lapwick keeps a version of its own, the one its About box names ("1.6");
   it ships as part of the product above. */
#define LAPWICK_VERSION_MAJOR 1
#define LAPWICK_VERSION_MINOR 6
#define LAPWICK_VERSION_TEXT \
  OMBREL_STRINGIZE(LAPWICK_VERSION_MAJOR) "." OMBREL_STRINGIZE(LAPWICK_VERSION_MINOR)

#endif
