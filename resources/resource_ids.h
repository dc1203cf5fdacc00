/* The resources that the programs carry and load by name or number. The
   resource scripts and the programs' code both include this file, so each
   id is written here alone. Plain #defines, for the resource compiler. */
#ifndef OMBREL_RESOURCE_IDS_H
#define OMBREL_RESOURCE_IDS_H

/* Every program's icon group: the program file's icon, and Lapwick's
   window class icon as well. */
#define PROGRAM_ICON_ID 12345

/* Sounds: complete RIFF WAVE images stored as raw data (RT_RCDATA). */
#define LAPWICK_CHIME_ID 101
#define ABOUT_CLICK_SOUND_ID 101
#define ABOUT_CLOSING_SOUND_ID 102

/* The splash picture, a bitmap known by name: the script writes the bare
   name, the code loads SPLASH_PICTURE_NAME. */
#define SPLASH_PICTURE bmIMAGE
#define SPLASH_PICTURE_NAME OMBREL_RESOURCE_NAME(SPLASH_PICTURE)
/* The same picture drawn for 150 % (144 DPI) and 200 % (192 DPI). */
#define SPLASH_PICTURE_150 bmIMAGE150
#define SPLASH_PICTURE_150_NAME OMBREL_RESOURCE_NAME(SPLASH_PICTURE_150)
#define SPLASH_PICTURE_200 bmIMAGE200
#define SPLASH_PICTURE_200_NAME OMBREL_RESOURCE_NAME(SPLASH_PICTURE_200)

#define OMBREL_RESOURCE_NAME_(x) #x
#define OMBREL_RESOURCE_NAME(x) OMBREL_RESOURCE_NAME_(x)

#endif
