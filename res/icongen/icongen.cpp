// Draws Quillmark's icons and writes them as .ico files.
//
//   icongen OUTDIR   -> OUTDIR/main.ico, OUTDIR/small.ico
//
// The output is committed to res/, and a test regenerates it and compares
// bytes, so everything here must be deterministic: geometry is evaluated in
// 64-bit integers only, with no clock, locale or randomness involved.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

struct Rgb
{
    uint8_t r, g, b;
};

// What a sample point lands on; Shape::at() settles overlaps.
enum Region
{
    kClear = 0,
    kBody,
    kRim,
    kLens,
    kHandle,
    kRegionCount
};

constexpr Rgb kOlive{167, 160, 77};
constexpr Rgb kCream{255, 255, 238};
constexpr Rgb kBrown{102, 51, 0};

constexpr Rgb kRegionColour[kRegionCount] = {{0, 0, 0}, kOlive, kBrown, kCream, kBrown};

// Geometry is laid out on a 1024 x 1024 grid covering the whole icon.
constexpr int64_t kGrid = 1024;
constexpr int64_t kCornerRadius = 220;
constexpr int64_t kRimWidth = 64;
constexpr int64_t kLensX = 416, kLensY = 416;
constexpr int64_t kLensOuter = 288, kLensInner = 160;
// The handle runs at 45 degrees from (kHandleX, kHandleY) for kHandleRun
// along each axis; the diagonal keeps the capsule test in plain integers.
constexpr int64_t kHandleX = 600, kHandleY = 600, kHandleRun = 170;
constexpr int64_t kHandleHalfWidth = 80;

// Sample points arrive as odd multiples of kGrid (pixel and sub-pixel centres
// on a doubled lattice) and grid lengths are scaled up by `unit` to meet them,
// so nothing is ever divided and every test is exact.
class Shape
{
  public:
    explicit Shape(int64_t unit) : unit_(unit) {}

    Region at(int64_t x, int64_t y) const
    {
        Region r = kClear;
        if (inRoundedSquare(x, y, 0, kCornerRadius))
        {
            r = inRoundedSquare(x, y, kRimWidth, kCornerRadius - kRimWidth) ? kBody : kRim;
        }
        if (inHandle(x, y))
            r = kHandle;
        const int64_t d2 = sq(x - g(kLensX)) + sq(y - g(kLensY));
        if (d2 <= sq(g(kLensOuter)) && d2 > sq(g(kLensInner)))
            r = kLens;
        return r;
    }

  private:
    int64_t g(int64_t v) const { return v * unit_; }
    static int64_t sq(int64_t v) { return v * v; }

    bool inRoundedSquare(int64_t x, int64_t y, int64_t inset, int64_t radius) const
    {
        const int64_t lo = g(inset + radius), hi = g(kGrid - inset - radius);
        const int64_t dx = std::max<int64_t>({lo - x, x - hi, 0});
        const int64_t dy = std::max<int64_t>({lo - y, y - hi, 0});
        return sq(dx) + sq(dy) <= sq(g(radius));
    }

    bool inHandle(int64_t x, int64_t y) const
    {
        const int64_t dx = x - g(kHandleX), dy = y - g(kHandleY);
        const int64_t along = dx + dy;  // sqrt(2) times the distance along
        const int64_t across = dx - dy; // sqrt(2) times the distance across
        const int64_t w2 = sq(g(kHandleHalfWidth));
        if (along >= 0 && along <= 2 * g(kHandleRun))
            return sq(across) <= 2 * w2;
        const int64_t ex = along < 0 ? 0 : g(kHandleRun);
        return sq(dx - ex) + sq(dy - ex) <= w2;
    }

    int64_t unit_;
};

constexpr int kSub = 8; // samples per pixel along each axis

// Per-pixel sample counts for every region, rows top-down.
std::vector<std::array<int, kRegionCount>> render(int size)
{
    const Shape shape(2 * static_cast<int64_t>(size) * kSub);
    std::vector<std::array<int, kRegionCount>> out(size * size);
    for (int py = 0; py < size; ++py)
    {
        for (int px = 0; px < size; ++px)
        {
            auto &counts = out[py * size + px];
            counts.fill(0);
            for (int sy = 0; sy < kSub; ++sy)
            {
                for (int sx = 0; sx < kSub; ++sx)
                {
                    const int64_t x = (2 * (px * kSub + sx) + 1) * kGrid;
                    const int64_t y = (2 * (py * kSub + sy) + 1) * kGrid;
                    ++counts[shape.at(x, y)];
                }
            }
        }
    }
    return out;
}

// Hard-edged images take whichever region covers most of the pixel.
Region dominant(const std::array<int, kRegionCount> &counts)
{
    int best = 0;
    for (int i = 1; i < kRegionCount; ++i)
        if (counts[i] > counts[best])
            best = i;
    return static_cast<Region>(best);
}

struct Pixel
{
    uint8_t b, g, r, a;
};

std::vector<Pixel> smooth(int size)
{
    std::vector<Pixel> out;
    for (const auto &counts : render(size))
    {
        int n = 0, r = 0, g = 0, b = 0;
        for (int i = kBody; i < kRegionCount; ++i)
        {
            n += counts[i];
            r += counts[i] * kRegionColour[i].r;
            g += counts[i] * kRegionColour[i].g;
            b += counts[i] * kRegionColour[i].b;
        }
        if (n == 0)
        {
            out.push_back({0, 0, 0, 0});
            continue;
        }
        // Straight (not premultiplied) alpha, as icons expect.
        const int total = kSub * kSub;
        out.push_back({static_cast<uint8_t>((b + n / 2) / n), static_cast<uint8_t>((g + n / 2) / n),
                       static_cast<uint8_t>((r + n / 2) / n),
                       static_cast<uint8_t>((n * 255 + total / 2) / total)});
    }
    return out;
}

// The standard 16-colour VGA palette, in the order icons use.
const std::vector<Rgb> &palette16()
{
    static const std::vector<Rgb> p = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    return p;
}

// A 6x6x6 cube, our two colours that the cube lacks, then greys. Index 0 is
// black, which transparent pixels use so the AND/XOR pair leaves the screen
// untouched.
const std::vector<Rgb> &palette256()
{
    static const std::vector<Rgb> p = [] {
        std::vector<Rgb> v;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    v.push_back({static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                                 static_cast<uint8_t>(b * 51)});
        v.push_back(kOlive);
        v.push_back(kCream);
        const int greys = 256 - static_cast<int>(v.size());
        for (int i = 1; i <= greys; ++i)
        {
            const auto k = static_cast<uint8_t>((255 * i + (greys + 1) / 2) / (greys + 1));
            v.push_back({k, k, k});
        }
        return v;
    }();
    return p;
}

int nearest(const std::vector<Rgb> &pal, Rgb c)
{
    int best = 0;
    long bestD = -1;
    for (size_t i = 0; i < pal.size(); ++i)
    {
        const long dr = pal[i].r - c.r, dg = pal[i].g - c.g, db = pal[i].b - c.b;
        const long d = dr * dr + dg * dg + db * db;
        if (bestD < 0 || d < bestD)
        {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// Plain nearest-colour turns the olive body grey in 16 colours; dark yellow
// keeps the icon recognisably ours, so the small palette is chosen by hand.
int index16(Region r)
{
    switch (r)
    {
    case kBody: return 3; // dark yellow
    case kRim:
    case kHandle: return 1; // maroon
    case kLens: return 15;  // white
    default: return 0;
    }
}

class Bytes
{
  public:
    void u8(unsigned v) { data_.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v)
    {
        u8(v & 0xff);
        u8((v >> 8) & 0xff);
    }
    void u32(uint32_t v)
    {
        u16(v & 0xffff);
        u16(v >> 16);
    }
    void append(const std::vector<uint8_t> &more)
    {
        data_.insert(data_.end(), more.begin(), more.end());
    }
    const std::vector<uint8_t> &data() const { return data_; }

  private:
    std::vector<uint8_t> data_;
};

struct Image
{
    int size;
    int bits;
    std::vector<uint8_t> dib;
};

int stride(int width, int bits)
{
    return (width * bits + 31) / 32 * 4;
}

// A DIB as icons store it: header, palette, XOR rows, then the AND mask, both
// bottom-up. `index(x, y)` gives a palette index (or is unused at 32 bpp).
template <typename IndexFn>
Image makeDib(int size, int bits, const std::vector<Rgb> &palette, const std::vector<Pixel> &argb,
              const std::vector<bool> &clear, IndexFn index)
{
    const int xorStride = stride(size, bits), andStride = stride(size, 1);
    Bytes out;
    out.u32(40);
    out.u32(size);
    out.u32(2 * size); // XOR and AND bitmaps stacked
    out.u16(1);
    out.u16(bits);
    out.u32(0); // BI_RGB
    out.u32((xorStride + andStride) * size);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    for (const Rgb &c : palette)
    {
        out.u8(c.b);
        out.u8(c.g);
        out.u8(c.r);
        out.u8(0);
    }
    for (int y = size - 1; y >= 0; --y)
    {
        std::vector<uint8_t> row(xorStride, 0);
        for (int x = 0; x < size; ++x)
        {
            if (bits == 32)
            {
                const Pixel &p = argb[y * size + x];
                row[x * 4 + 0] = p.b;
                row[x * 4 + 1] = p.g;
                row[x * 4 + 2] = p.r;
                row[x * 4 + 3] = p.a;
            }
            else if (bits == 8)
            {
                row[x] = static_cast<uint8_t>(index(x, y));
            }
            else
            {
                row[x / 2] |= static_cast<uint8_t>(index(x, y) << (x % 2 ? 0 : 4));
            }
        }
        out.append(row);
    }
    for (int y = size - 1; y >= 0; --y)
    {
        std::vector<uint8_t> row(andStride, 0);
        for (int x = 0; x < size; ++x)
            if (clear[y * size + x])
                row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.append(row);
    }
    return {size, bits, out.data()};
}

Image truecolour(int size)
{
    const std::vector<Pixel> px = smooth(size);
    std::vector<bool> clear(px.size());
    for (size_t i = 0; i < px.size(); ++i)
        clear[i] = px[i].a == 0;
    return makeDib(size, 32, {}, px, clear, [](int, int) { return 0; });
}

Image paletted(int size, int bits)
{
    std::vector<Region> regions;
    for (const auto &counts : render(size))
        regions.push_back(dominant(counts));
    std::vector<bool> clear(regions.size());
    for (size_t i = 0; i < regions.size(); ++i)
        clear[i] = regions[i] == kClear;
    const std::vector<Rgb> &pal = bits == 4 ? palette16() : palette256();
    return makeDib(size, bits, pal, {}, clear, [&](int x, int y) {
        const Region r = regions[y * size + x];
        if (r == kClear)
            return 0;
        return bits == 4 ? index16(r) : nearest(pal, kRegionColour[r]);
    });
}

std::vector<uint8_t> iconFile(const std::vector<Image> &images)
{
    Bytes out;
    out.u16(0);
    out.u16(1); // icon, not cursor
    out.u16(static_cast<unsigned>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const Image &im : images)
    {
        out.u8(im.size & 0xff); // 256 would wrap to 0, as the format wants
        out.u8(im.size & 0xff);
        out.u8(im.bits == 4 ? 16 : 0);
        out.u8(0);
        out.u16(1);
        out.u16(im.bits);
        out.u32(static_cast<uint32_t>(im.dib.size()));
        out.u32(offset);
        offset += static_cast<uint32_t>(im.dib.size());
    }
    for (const Image &im : images)
        out.append(im.dib);
    return out.data();
}

bool writeFile(const std::filesystem::path &path, const std::vector<uint8_t> &data)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    f.close();
    if (!f)
    {
        std::fprintf(stderr, "icongen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: icongen OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    // Old 16- and 256-colour images first, then the alpha ones, largest first.
    const std::vector<Image> main = {paletted(48, 4), paletted(32, 4), paletted(16, 4),
                                     paletted(48, 8), paletted(32, 8), paletted(16, 8),
                                     truecolour(128), truecolour(64),  truecolour(48),
                                     truecolour(32),  truecolour(16)};
    const std::vector<Image> small = {truecolour(16)};

    const bool ok = writeFile(dir / "main.ico", iconFile(main)) &&
                    writeFile(dir / "small.ico", iconFile(small));
    return ok ? 0 : 1;
}
