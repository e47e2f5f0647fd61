// The process environment and working directory, as a Windows process sees them.
#include "platform/host.h"

#include <sys/stat.h>

using namespace host;

DWORD GetLastError()
{
    return S().lastError;
}

void SetLastError(DWORD error)
{
    S().lastError = error;
}

DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size)
{
    std::u16string in = source ? source : u"";
    std::u16string out;
    size_t i = 0;
    while (i < in.size())
    {
        size_t close = in[i] == u'%' ? in.find(u'%', i + 1) : std::u16string::npos;
        if (close == std::u16string::npos)
        {
            out += in[i++];
            continue;
        }
        auto found = S().environment.find(Upper(in.substr(i + 1, close - i - 1)));
        if (found == S().environment.end())
        {
            // An unknown name stays as written, percent signs included.
            out += in.substr(i, close - i);
            i = close;
            continue;
        }
        out += found->second;
        i = close + 1;
    }
    DWORD needed = (DWORD)out.size() + 1;
    if (destination && size > 0)
    {
        // A buffer that is too small gets what fits and no terminator: callers must check the
        // result before they trust the text.
        size_t count = std::min((size_t)size, out.size() + 1);
        std::copy(out.begin(), out.begin() + std::min(count, out.size()), destination);
        if (count > out.size())
            destination[out.size()] = 0;
    }
    return needed;
}

DWORD GetCurrentDirectoryW(DWORD bufferLength, LPWSTR buffer)
{
    const std::u16string &dir = S().currentDirectory;
    if (!buffer || bufferLength < dir.size() + 1)
        return (DWORD)dir.size() + 1;
    std::copy(dir.begin(), dir.end(), buffer);
    buffer[dir.size()] = 0;
    return (DWORD)dir.size();
}

BOOL SetCurrentDirectoryW(LPCWSTR path)
{
    std::string posix;
    if (!path || !PosixPathFromWindows(path, &posix))
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct stat info;
    if (stat(posix.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    S().currentDirectory = WindowsPathFromPosix(posix);
    return TRUE;
}
