/* The facts that the programs, their version resources and the release
   packages share: product, version, vendor and copyright line. Plain
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
