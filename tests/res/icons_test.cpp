// Checks the committed icons: their image tables, their masks, and that the
// generator in res/icongen still produces them byte for byte.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#ifndef QM_SOURCE_DIR
#error "QM_SOURCE_DIR must name the repository root"
#endif
#ifndef QM_ICONGEN_PATH
#error "QM_ICONGEN_PATH must name the icon generator executable"
#endif

namespace
{

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

struct Row
{
    int size;
    int bits;
    int colours; // bColorCount
};

struct IconFile
{
    const char *name;
    std::vector<Row> rows;
};

const IconFile kIcons[] = {
    {"main.ico",
     {{48, 4, 16},
      {32, 4, 16},
      {16, 4, 16},
      {48, 8, 0},
      {32, 8, 0},
      {16, 8, 0},
      {128, 32, 0},
      {64, 32, 0},
      {48, 32, 0},
      {32, 32, 0},
      {16, 32, 0}}},
    {"small.ico", {{16, 32, 0}}},
};

Bytes readAll(const fs::path &path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

Bytes committed(const char *name)
{
    return readAll(fs::path(QM_SOURCE_DIR) / "res" / name);
}

// .at() so that a truncated file fails the test instead of reading past it.
uint32_t u16(const Bytes &b, size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}
uint32_t u32(const Bytes &b, size_t at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

size_t stride(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}
size_t paletteBytes(int bits)
{
    return bits <= 8 ? 4u << bits : 0;
}

// Size of one stored image, worked out from the format rather than read back.
size_t dibBytes(const Row &r)
{
    return 40 + paletteBytes(r.bits) + (stride(r.size, r.bits) + stride(r.size, 1)) * r.size;
}

size_t entryOffset(const Bytes &b, size_t i)
{
    return u32(b, 6 + 16 * i + 12);
}

TEST(Icons, ImageTablesAreExact)
{
    for (const IconFile &icon : kIcons)
    {
        SCOPED_TRACE(icon.name);
        const Bytes b = committed(icon.name);
        ASSERT_GE(b.size(), 6u);
        EXPECT_EQ(u16(b, 0), 0u);
        EXPECT_EQ(u16(b, 2), 1u); // icon, not cursor
        ASSERT_EQ(u16(b, 4), icon.rows.size());

        size_t next = 6 + 16 * icon.rows.size();
        for (size_t i = 0; i < icon.rows.size(); ++i)
        {
            const Row &r = icon.rows[i];
            SCOPED_TRACE("image " + std::to_string(i));
            const size_t e = 6 + 16 * i;
            EXPECT_EQ(b.at(e + 0), r.size);
            EXPECT_EQ(b.at(e + 1), r.size);
            EXPECT_EQ(b.at(e + 2), r.colours);
            EXPECT_EQ(b.at(e + 3), 0);
            EXPECT_EQ(u16(b, e + 4), 1u);
            EXPECT_EQ(u16(b, e + 6), static_cast<uint32_t>(r.bits));
            const uint32_t bytes = u32(b, e + 8), offset = u32(b, e + 12);
            EXPECT_EQ(bytes, dibBytes(r));
            ASSERT_EQ(offset, next) << "images must follow one another";
            ASSERT_LE(size_t{offset} + bytes, b.size());
            next = size_t{offset} + bytes;

            EXPECT_EQ(u32(b, offset), 40u); // BITMAPINFOHEADER, not PNG
            EXPECT_EQ(u32(b, offset + 4), static_cast<uint32_t>(r.size));
            EXPECT_EQ(u32(b, offset + 8), static_cast<uint32_t>(2 * r.size));
            EXPECT_EQ(u16(b, offset + 12), 1u);
            EXPECT_EQ(u16(b, offset + 14), static_cast<uint32_t>(r.bits));
            EXPECT_EQ(u32(b, offset + 16), 0u); // uncompressed
        }
        EXPECT_EQ(next, b.size()) << "no trailing bytes";
    }
}

// The AND mask must mark exactly the clear pixels: alpha 0 at 32 bpp, and
// at 4/8 bpp palette index 0 (black), which the picture itself never uses and
// which leaves the screen untouched under a set mask bit. Corners are clear
// and the middle is solid at every size.
TEST(Icons, MasksMatchTransparency)
{
    for (const IconFile &icon : kIcons)
    {
        SCOPED_TRACE(icon.name);
        const Bytes b = committed(icon.name);
        for (size_t i = 0; i < icon.rows.size(); ++i)
        {
            const Row &r = icon.rows[i];
            SCOPED_TRACE("image " + std::to_string(i));
            const size_t xorAt = entryOffset(b, i) + 40 + paletteBytes(r.bits);
            const size_t andAt = xorAt + stride(r.size, r.bits) * r.size;

            // Rows are stored bottom-up; y here counts from the top.
            auto clear = [&](int x, int y) {
                const size_t row = static_cast<size_t>(r.size - 1 - y);
                const size_t at = xorAt + row * stride(r.size, r.bits);
                if (r.bits == 32)
                    return b.at(at + 4 * x + 3) == 0;
                if (r.bits == 8)
                    return b.at(at + x) == 0;
                return (b.at(at + x / 2) >> (x % 2 ? 0 : 4) & 0xf) == 0;
            };
            auto masked = [&](int x, int y) {
                const size_t row = static_cast<size_t>(r.size - 1 - y);
                const uint8_t m = b.at(andAt + row * stride(r.size, 1) + x / 8);
                return (m >> (7 - x % 8) & 1) != 0;
            };

            int mismatches = 0;
            for (int y = 0; y < r.size; ++y)
                for (int x = 0; x < r.size; ++x)
                    if (clear(x, y) != masked(x, y))
                        ++mismatches;
            EXPECT_EQ(mismatches, 0);

            const int last = r.size - 1, mid = r.size / 2;
            EXPECT_TRUE(masked(0, 0) && masked(last, 0) && masked(0, last) && masked(last, last));
            EXPECT_FALSE(masked(mid, mid));
            if (r.bits == 32)
            {
                const size_t at = xorAt + (r.size - 1 - mid) * stride(r.size, 32);
                EXPECT_EQ(b.at(at + 4 * mid + 3), 255);
            }
        }
    }
}

TEST(Icons, GeneratorReproducesCommittedFiles)
{
    const fs::path tmp = fs::temp_directory_path();
    const auto seed = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path dir;
    for (int i = 0; dir.empty() && i < 100; ++i)
    {
        const fs::path p = tmp / ("qm-icons-" + std::to_string(seed) + "-" + std::to_string(i));
        if (fs::create_directory(p))
            dir = p;
    }
    ASSERT_FALSE(dir.empty());
    struct Cleanup
    {
        fs::path dir;
        ~Cleanup()
        {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } cleanup{dir};

    std::string cmd = std::string("\"") + QM_ICONGEN_PATH + "\" \"" + dir.string() + "\"";
#ifdef _WIN32
    cmd = "\"" + cmd + "\""; // cmd.exe strips one outer pair of quotes
#endif
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

    for (const IconFile &icon : kIcons)
    {
        SCOPED_TRACE(icon.name);
        const Bytes fresh = readAll(dir / icon.name);
        ASSERT_FALSE(fresh.empty());
        EXPECT_TRUE(fresh == committed(icon.name))
            << "res/" << icon.name << " is stale: rebuild the 'icons' target and commit the result";
    }
}

} // namespace
