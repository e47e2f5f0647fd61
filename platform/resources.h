// The program's resources as the host layer sees them: generated at build time from the
// resource script, so both builds read the same strings, shortcuts and icons.
#pragma once
#include "platform/windows.h"

namespace host
{

struct ResourceString
{
    UINT id;
    const char16_t *text;
};

struct ResourceAccel
{
    UINT table;
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

struct ResourceIcon
{
    UINT id;
    const char *file; // the .ico file the script names, with its full path
};

extern const ResourceString g_resourceStrings[];
extern const size_t g_resourceStringCount;
extern const ResourceAccel g_resourceAccels[];
extern const size_t g_resourceAccelCount;
extern const ResourceIcon g_resourceIcons[];
extern const size_t g_resourceIconCount;

} // namespace host
