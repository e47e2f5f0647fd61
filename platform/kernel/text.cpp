// Text and path conversions between the Win32 view (UTF-16, drive C:, backslashes) and the
// POSIX one underneath (bytes, one root, slashes).
#include "platform/host.h"

namespace host
{

// Bytes that are not valid UTF-8 (0x80 to 0xFF) become the lone surrogates U+DC80 to U+DCFF,
// so any POSIX name survives the round trip.
static const char16_t STRAY_BYTE_BASE = 0xDC00;

static void AppendCodePoint(std::u16string &out, uint32_t cp)
{
    if (cp >= 0x10000)
    {
        cp -= 0x10000;
        out += (char16_t)(0xD800 + (cp >> 10));
        out += (char16_t)(0xDC00 + (cp & 0x3FF));
    }
    else
        out += (char16_t)cp;
}

std::u16string FromUtf8(const std::string &bytes)
{
    std::u16string out;
    size_t i = 0;
    while (i < bytes.size())
    {
        unsigned char lead = (unsigned char)bytes[i];
        int length = lead < 0x80                   ? 1
                     : lead >= 0xC2 && lead < 0xE0 ? 2
                     : lead >= 0xE0 && lead < 0xF0 ? 3
                     : lead >= 0xF0 && lead < 0xF5 ? 4
                                                   : 0;
        uint32_t cp = length == 1   ? lead
                      : length == 2 ? lead & 0x1F
                      : length == 3 ? lead & 0x0F
                                    : lead & 0x07;
        bool valid = length > 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; k++)
        {
            unsigned char next = (unsigned char)bytes[i + k];
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        // Overlong forms, encoded surrogates and values past the last plane are not UTF-8.
        if (valid &&
            ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
             (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (!valid)
        {
            out += (char16_t)(STRAY_BYTE_BASE + lead);
            i++;
            continue;
        }
        AppendCodePoint(out, cp);
        i += length;
    }
    return out;
}

static void AppendUtf8(std::string &out, uint32_t cp)
{
    if (cp < 0x80)
        out += (char)cp;
    else if (cp < 0x800)
    {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
    else
    {
        out += (char)(0xF0 | (cp >> 18));
        out += (char)(0x80 | ((cp >> 12) & 0x3F));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

std::string ToUtf8(const std::u16string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); i++)
    {
        char16_t unit = text[i];
        if (unit >= STRAY_BYTE_BASE + 0x80 && unit <= STRAY_BYTE_BASE + 0xFF)
        {
            out += (char)(unit - STRAY_BYTE_BASE);
            continue;
        }
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
        {
            AppendUtf8(out, 0x10000 + ((uint32_t)(unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            i++;
            continue;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::u16string Upper(const std::u16string &text)
{
    std::u16string out = text;
    for (char16_t &c : out)
    {
        if (c >= u'a' && c <= u'z')
            c = (char16_t)(c - u'a' + u'A');
    }
    return out;
}

bool SameNoCase(const std::u16string &a, const std::u16string &b)
{
    return Upper(a) == Upper(b);
}

std::u16string WindowsPathFromPosix(const std::string &path)
{
    std::u16string out = u"C:";
    for (char16_t c : FromUtf8(path))
        out += c == u'/' ? u'\\' : c;
    if (out.size() == 2)
        out += u'\\';
    return out;
}

bool PosixPathFromWindows(const std::u16string &path, std::string *posix)
{
    std::u16string p = path;
    for (char16_t &c : p)
        c = c == u'/' ? u'\\' : c;
    if (p.rfind(u"\\\\?\\", 0) == 0)
        p = p.substr(4);
    std::u16string rest;
    if (p.size() >= 2 && p[1] == u':')
    {
        if (p[0] != u'C' && p[0] != u'c')
            return false;
        // "C:name" is relative to the working directory of drive C:, the only drive here.
        rest = p.size() >= 3 && p[2] == u'\\'
                   ? p.substr(3)
                   : S().currentDirectory.substr(3) + u"\\" + p.substr(2);
    }
    else if (!p.empty() && p[0] == u'\\')
    {
        if (p.size() >= 2 && p[1] == u'\\')
            return false; // network paths do not exist here
        rest = p.substr(1);
    }
    else
        rest = S().currentDirectory.substr(3) + u"\\" + p;

    std::vector<std::u16string> parts;
    size_t start = 0;
    while (start <= rest.size())
    {
        size_t end = rest.find(u'\\', start);
        if (end == std::u16string::npos)
            end = rest.size();
        std::u16string part = rest.substr(start, end - start);
        if (part == u"..")
        {
            if (!parts.empty())
                parts.pop_back();
        }
        else if (!part.empty() && part != u".")
            parts.push_back(part);
        start = end + 1;
    }
    std::u16string joined;
    for (const std::u16string &part : parts)
        joined += u"/" + part;
    *posix = joined.empty() ? std::string("/") : ToUtf8(joined);
    return true;
}

} // namespace host
