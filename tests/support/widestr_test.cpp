// JoinW and IntToWide: the text they build and the exact size of the block they hand back.
#include "support/support.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's own record of a block's requested size.
extern "C" size_t __sanitizer_get_allocated_size(const volatile void *block);
#endif

// The size malloc was asked for. Under the address sanitizer it is exact; the plain allocator
// only tells how much is usable, which is at least that.
static void ExpectBlockSize(void *block, size_t bytes)
{
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(__sanitizer_get_allocated_size(block), bytes);
#else
    EXPECT_GE(malloc_usable_size(block), bytes);
#endif
}

struct JoinCase
{
    const char *name;
    LPCWSTR parts[8];
    const char16_t *joined;
};

TEST(JoinW, JoinsPresentPartsInSlotOrderIntoAnExactBlock)
{
    const JoinCase cases[] = {
        {"first only", {u"abc"}, u"abc"},
        {"null between parts is skipped", {u"a", nullptr, u"b"}, u"ab"},
        {"null slots do not end the list",
         {u"a", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, u"z"},
         u"az"},
        {"all eight slots", {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"}, u"12345678"},
        {"empty strings add nothing", {u"", u"x", u"", nullptr, u""}, u"x"},
        {"only empty strings", {u"", u""}, u""},
        {"drive and backslash", {u"C:", u"\\"}, u"C:\\"},
    };
    for (const JoinCase &c : cases)
    {
        SCOPED_TRACE(c.name);
        LPWSTR block = JoinW(c.parts[0], c.parts[1], c.parts[2], c.parts[3], c.parts[4], c.parts[5],
                             c.parts[6], c.parts[7]);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(std::u16string(block), std::u16string(c.joined));
        ExpectBlockSize(block, (std::u16string(c.joined).size() + 1) * 2);
        free(block);
    }
}

TEST(JoinW, DriveRootIsAnEightByteBlock)
{
    LPWSTR block = JoinW(u"C:", u"\\");
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], u'C');
    EXPECT_EQ(block[1], u':');
    EXPECT_EQ(block[2], u'\\');
    EXPECT_EQ(block[3], 0);
    ExpectBlockSize(block, 8);
    free(block);
}

TEST(IntToWide, WritesPlainDecimal)
{
    const struct
    {
        int value;
        const char16_t *text;
    } cases[] = {
        {0, u"0"},
        {7, u"7"},
        {1000, u"1000"},
        {-42, u"-42"},
        {2147483647, u"2147483647"},
        {-2147483647 - 1, u"-2147483648"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.value);
        LPWSTR block = IntToWide(c.value);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(std::u16string(block), std::u16string(c.text));
        ExpectBlockSize(block, (std::u16string(c.text).size() + 1) * 2);
        free(block);
    }
}
