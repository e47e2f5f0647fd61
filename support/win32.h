// The one header through which the program reaches the Windows API: the real headers in the
// Windows builds, the host layer of platform/ everywhere else.
#pragma once

#ifdef _WIN32
#ifndef WINVER
#define WINVER 0x0601
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wchar.h>

#ifndef _WIN64
// The 32-bit program hands these records to the system by size; a header that laid them out
// differently would break it silently.
static_assert(sizeof(WNDCLASSEXW) == 48, "WNDCLASSEXW");
static_assert(sizeof(TOOLINFOW) == 48, "TOOLINFOW");
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW");
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW");
static_assert(sizeof(NONCLIENTMETRICSW) == 504, "NONCLIENTMETRICSW");
#endif
#else
#include "platform/windows.h"
#endif

#include <stdlib.h>
