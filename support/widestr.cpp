// JoinW and IntToWide: the only string builders, each handing back an exactly sized heap block,
// or null when the heap is exhausted (nothing is written through a failed allocation).
#include "support/support.h"

#include <sstream>
#include <string>

LPWSTR JoinW(LPCWSTR first, LPCWSTR part2, LPCWSTR part3, LPCWSTR part4, LPCWSTR part5,
             LPCWSTR part6, LPCWSTR part7, LPCWSTR part8)
{
    LPCWSTR parts[] = {part2, part3, part4, part5, part6, part7, part8};
    size_t n = lstrlenW(first) + 1;
    for (LPCWSTR part : parts)
    {
        if (part)
            n += lstrlenW(part);
    }
    LPWSTR block = (LPWSTR)malloc(n * sizeof(WCHAR));
    if (!block)
        return NULL;
    wcscpy_s(block, n, first);
    for (LPCWSTR part : parts)
    {
        if (part)
            wcscat_s(block, n, part);
    }
    return block;
}

LPWSTR IntToWide(int value)
{
    std::wstringstream stream;
    stream << value;
    std::wstring text = stream.str();
    LPWSTR block = (LPWSTR)malloc((text.size() + 1) * sizeof(WCHAR));
    if (!block)
        return NULL;
    // Digits and the sign are plain ASCII, so each character carries over as one code unit.
    for (size_t i = 0; i < text.size(); i++)
        block[i] = (WCHAR)text[i];
    block[text.size()] = 0;
    return block;
}
