// Support: the wide-string builders that every subsystem makes its text with.
#pragma once
#include "support/win32.h"

// Joins up to eight wide strings into a new block from malloc, sized exactly; null parts are
// skipped. The caller frees the result.
LPWSTR JoinW(LPCWSTR first, LPCWSTR part2 = NULL, LPCWSTR part3 = NULL, LPCWSTR part4 = NULL,
             LPCWSTR part5 = NULL, LPCWSTR part6 = NULL, LPCWSTR part7 = NULL,
             LPCWSTR part8 = NULL);

// The decimal text of value in a new block from malloc; the caller frees it.
LPWSTR IntToWide(int value);
