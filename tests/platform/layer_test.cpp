// The host layer's own rules where the program relies on them matching Windows: paths, names
// that are not UTF-8, environment expansion into a short buffer, and wcstol's limits.
#include "platform/host.h"

#include <gtest/gtest.h>

#include <string>

TEST(HostLayer, PathsMapDriveCOntoTheRoot)
{
    DeskReset();
    ASSERT_TRUE(SetCurrentDirectoryW(u"C:\\tmp"));
    const struct
    {
        const char16_t *windows;
        const char *posix;
    } cases[] = {
        {u"C:\\", "/"},
        {u"c:\\tmp\\a.txt", "/tmp/a.txt"},
        {u"C:/tmp//b/", "/tmp/b"},
        {u"rel\\x", "/tmp/rel/x"},
        {u"..\\etc", "/etc"},
        {u"\\usr\\.\\lib", "/usr/lib"},
        {u"C:name", "/tmp/name"},
        {u"\\\\?\\C:\\tmp", "/tmp"},
    };
    for (const auto &c : cases)
    {
        std::string posix;
        ASSERT_TRUE(host::PosixPathFromWindows(c.windows, &posix)) << c.posix;
        EXPECT_EQ(posix, c.posix);
    }
    std::string unused;
    EXPECT_FALSE(host::PosixPathFromWindows(u"D:\\x", &unused));
    EXPECT_FALSE(host::PosixPathFromWindows(u"\\\\server\\share", &unused));
    EXPECT_EQ(host::WindowsPathFromPosix("/"), u"C:\\");
    EXPECT_EQ(host::WindowsPathFromPosix("/tmp/a b"), u"C:\\tmp\\a b");
}

TEST(HostLayer, NamesThatAreNotUtf8SurviveTheRoundTrip)
{
    const std::string names[] = {"plain",    "caf\xc3\xa9", "\xf0\x9f\x93\x81 folder",
                                 "bad\xff",  "\xc3",        "\xed\xa0\x80",
                                 "\xc0\xaf", "x\x80y"};
    for (const std::string &name : names)
        EXPECT_EQ(host::ToUtf8(host::FromUtf8(name)), name);
    EXPECT_EQ(host::FromUtf8("caf\xc3\xa9"), u"caf\u00e9");
    EXPECT_EQ(host::FromUtf8("bad\xff"), u"bad\xdcff");
}

TEST(HostLayer, ExpansionIntoAShortBufferReportsTheNeededSize)
{
    DeskReset();
    DeskSetEnvironment(u"SystemDrive", u"C:");
    WCHAR buffer[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(ExpandEnvironmentStringsW(u"%SYSTEMDRIVE%", buffer, 3), 3u);
    EXPECT_EQ(std::u16string(buffer), u"C:");
    DeskSetEnvironment(u"SystemDrive", nullptr);
    EXPECT_EQ(ExpandEnvironmentStringsW(u"%SystemDrive%", buffer, 3), 14u);
    EXPECT_EQ(ExpandEnvironmentStringsW(u"a%SystemDrive%b", nullptr, 0), 16u);
}

TEST(HostLayer, WcstolClampsToThirtyTwoBits)
{
    const struct
    {
        const char16_t *text;
        LONG value;
    } cases[] = {
        {u"30", 30},
        {u"  -7x", -7},
        {u"+12", 12},
        {u"abc", 0},
        {u"", 0},
        {u"99999999999", 2147483647},
        {u"-99999999999", -2147483647 - 1},
        {u"2147483648", 2147483647},
    };
    for (const auto &c : cases)
        EXPECT_EQ(wcstol(c.text, nullptr, 10), c.value);
}
