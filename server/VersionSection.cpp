// The version information of the Linux library, kept in a section of its own
// (".corvane_version") where corvane-regsvr --version reads it back: lines of
// Key=Value, as the Windows version resource holds them.
#include "command/VersionInfo.h"

#define CORVANE_STRINGIFY2(x) #x
#define CORVANE_STRINGIFY(x) CORVANE_STRINGIFY2(x)

extern "C" {
__attribute__((section(".corvane_version"), used)) const char corvane_version_info[] =
    "FixedFileVersion=" CORVANE_VERSION_DOTTED "\n"
    "FixedProductVersion=" CORVANE_VERSION_DOTTED "\n"
    "FileType=DLL\n"
    "Translation=" CORVANE_STRINGIFY(CORVANE_VERSION_LANGUAGE) "," CORVANE_STRINGIFY(
        CORVANE_VERSION_CODEPAGE) "\n"
                                  "CompanyName=" CORVANE_COMPANY_NAME "\n"
                                  "ProductName=" CORVANE_PRODUCT_NAME "\n"
                                  "FileVersion=" CORVANE_VERSION_TEXT "\n"
                                  "ProductVersion=" CORVANE_VERSION_TEXT "\n"
                                  "InternalName=" CORVANE_INTERNAL_NAME "\n"
                                  "OriginalFilename=" CORVANE_ORIGINAL_FILENAME "\n"
                                  "OLESelfRegister=\n";
}
