// The C runtime's wide-text functions for WCHAR, with the Windows runtime's rules.
#include "platform/host.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>

// The runtime ends the process on a bad argument to a bounded function; so does the layer,
// loudly, so that a test sees the fault instead of a cut string.
static void InvalidParameter(const char *function)
{
    fprintf(stderr, "host layer: invalid parameter in %s\n", function);
    abort();
}

int lstrlenW(LPCWSTR text)
{
    if (!text)
        return 0;
    int length = 0;
    while (text[length])
        length++;
    return length;
}

LPWSTR lstrcpyW(LPWSTR destination, LPCWSTR source)
{
    if (!destination || !source)
        return NULL;
    int i = 0;
    do
        destination[i] = source[i];
    while (source[i++]);
    return destination;
}

errno_t wcscpy_s(WCHAR *destination, size_t size, const WCHAR *source)
{
    if (!destination || size == 0 || !source || (size_t)lstrlenW(source) >= size)
        InvalidParameter("wcscpy_s");
    lstrcpyW(destination, source);
    return 0;
}

errno_t wcscat_s(WCHAR *destination, size_t size, const WCHAR *source)
{
    if (!destination || size == 0 || !source)
        InvalidParameter("wcscat_s");
    size_t length = 0;
    while (length < size && destination[length])
        length++;
    if (length == size || length + lstrlenW(source) >= size)
        InvalidParameter("wcscat_s");
    lstrcpyW(destination + length, source);
    return 0;
}

LONG wcstol(const WCHAR *text, WCHAR **end, int base)
{
    const WCHAR *p = text;
    while (*p == u' ' || (*p >= u'\t' && *p <= u'\r'))
        p++;
    bool negative = *p == u'-';
    if (*p == u'-' || *p == u'+')
        p++;
    if ((base == 0 || base == 16) && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X'))
    {
        p += 2;
        base = 16;
    }
    else if (base == 0)
        base = p[0] == u'0' ? 8 : 10;
    const WCHAR *digitsStart = p;
    int64_t value = 0;
    bool overflow = false;
    for (;; p++)
    {
        int digit = *p >= u'0' && *p <= u'9'   ? *p - u'0'
                    : *p >= u'a' && *p <= u'z' ? *p - u'a' + 10
                    : *p >= u'A' && *p <= u'Z' ? *p - u'A' + 10
                                               : 99;
        if (digit >= base)
            break;
        value = value * base + digit;
        if (value > (int64_t)INT32_MAX + 1)
        {
            overflow = true;
            value = (int64_t)INT32_MAX + 1;
        }
    }
    if (end)
        *end = (WCHAR *)(p == digitsStart ? text : p);
    if (negative)
        value = -value;
    if (overflow || value > INT32_MAX || value < INT32_MIN)
    {
        errno = ERANGE;
        return negative ? INT32_MIN : INT32_MAX;
    }
    return (LONG)value;
}
