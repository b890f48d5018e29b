/* The server library's version information, written once for the Windows
   VERSIONINFO resource and for the version section of the Linux library.
   Plain macros, so that the resource compiler can read them too. */
#pragma once

#define CORVANE_VERSION_MAJOR 2
#define CORVANE_VERSION_MINOR 15
#define CORVANE_VERSION_PATCH 0
#define CORVANE_VERSION_BUILD 14
#define CORVANE_VERSION_DOTTED "2.15.0.14"
#define CORVANE_VERSION_TEXT "2.15.0014"
#define CORVANE_COMPANY_NAME "CorvaneGIS"
#define CORVANE_PRODUCT_NAME "CorvaneAddressSearch"
#define CORVANE_INTERNAL_NAME "CorvaneAddressSearch"
#define CORVANE_ORIGINAL_FILENAME "CorvaneAddressSearch.dll"
/* US English, Unicode: the string table "040904B0". */
#define CORVANE_VERSION_LANGUAGE 0x0409
#define CORVANE_VERSION_CODEPAGE 1200
