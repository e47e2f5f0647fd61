// kernel32 and the C runtime's wide-text functions of the host layer, for WCHAR.
#pragma once
#include "platform/wintypes.h"

// The standard wide functions come first, so the WCHAR overloads below stay out of std.
#include <cwchar>

DWORD GetLastError();
void SetLastError(DWORD error);
DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size);
DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer);
BOOL SetCurrentDirectoryW(LPCWSTR path);

int lstrlenW(LPCWSTR text);
LPWSTR lstrcpyW(LPWSTR destination, LPCWSTR source);
// The bounded copies end the process on a destination that is too small, as the runtime's
// invalid-parameter handler does by default.
errno_t wcscpy_s(WCHAR *destination, size_t size, const WCHAR *source);
errno_t wcscat_s(WCHAR *destination, size_t size, const WCHAR *source);
// Windows' long is 32 bits: results beyond it are clamped to the 32-bit limits.
LONG wcstol(const WCHAR *text, WCHAR **end, int base);
