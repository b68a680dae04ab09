// Makes Ombrix's picker cursor and application icon from a description of their shapes.
//
//   make_images OUTDIR    writes OUTDIR/crosshair.cur and OUTDIR/ombrix.ico
//
// The output is checked in under resources/ and a test (generated_images_are_current) makes sure
// it is exactly what this program writes, so the program must stay deterministic: no clock, no
// randomness, no trigonometry from the maths library (directions are given as vectors instead).
//
// Both files are Windows icon-resource files: a 6-byte header, one 16-byte directory entry per
// image, then the images, each a BITMAPINFOHEADER bitmap whose height field counts the XOR
// bitmap and the AND mask stacked, its palette (for 8 bits per pixel), the XOR bitmap and the
// 1-bit AND mask, every row bottom-up and padded to 4 bytes.
//
// Choices that the file formats leave open, documented here:
//  * biSizeImage holds the byte count of the XOR bitmap plus the AND mask.
//  * biClrUsed and biClrImportant are 0 (all 256 palette entries of an 8-bit image are used),
//    biXPelsPerMeter and biYPelsPerMeter 0.
//  * The cursor's palette is all zero: entry 0 is black and no other entry is referenced.
//  * The icon's 8-bit images share one palette made from the artwork's own colours (see
//    iconPalette); 32-bit images set an AND bit exactly where alpha is 0.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Writing the files

class Writer {
public:
    void u8(unsigned value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void u16(unsigned value) {
        u8(value & 0xFF);
        u8((value >> 8) & 0xFF);
    }
    void u32(std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    void append(const std::vector<std::uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

using Palette = std::array<Rgb, 256>;

int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// One image of an icon or cursor file. transparent[y * width + x] is the AND mask bit; for 8 bits
// per pixel, index holds palette indexes; for 32 bits, colour holds the straight (not
// premultiplied) colour with alpha. y grows downward here; the bitmap is written bottom-up.
struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 8 or 32
    const Palette* palette = nullptr;
    std::vector<std::uint8_t> index;
    std::vector<Rgba> colour;
    std::vector<bool> transparent;
};

std::vector<std::uint8_t> dibBytes(const Picture& picture) {
    const int xorRow = rowBytes(picture.width, picture.bitsPerPixel);
    const int andRow = rowBytes(picture.width, 1);
    const int imageSize = (xorRow + andRow) * picture.height;
    Writer w;
    w.u32(40);                    // biSize
    w.u32(picture.width);         // biWidth
    w.u32(picture.height * 2);    // biHeight: XOR bitmap and AND mask
    w.u16(1);                     // biPlanes
    w.u16(picture.bitsPerPixel);  // biBitCount
    w.u32(0);                     // biCompression: BI_RGB
    w.u32(imageSize);             // biSizeImage
    w.u32(0);                     // biXPelsPerMeter
    w.u32(0);                     // biYPelsPerMeter
    w.u32(0);                     // biClrUsed: all 2^bitCount entries (for 8 bits)
    w.u32(0);                     // biClrImportant
    if (picture.bitsPerPixel == 8) {
        for (const Rgb& entry : *picture.palette) {
            w.u8(entry.b);
            w.u8(entry.g);
            w.u8(entry.r);
            w.u8(0);
        }
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        int written = 0;
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * picture.width + x);
            if (picture.bitsPerPixel == 8) {
                w.u8(picture.index[at]);
                written += 1;
            } else {
                const Rgba& c = picture.colour[at];
                w.u8(c.b);
                w.u8(c.g);
                w.u8(c.r);
                w.u8(c.a);
                written += 4;
            }
        }
        for (; written < xorRow; ++written) w.u8(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(andRow), 0);
        for (int x = 0; x < picture.width; ++x)
            if (picture.transparent[static_cast<std::size_t>(y * picture.width + x)])
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        w.append(row);
    }
    return w.bytes();
}

// The icon-resource container. For a cursor the two words of an entry are the hotspot.
struct Entry {
    Picture picture;
    unsigned wordA = 0;
    unsigned wordB = 0;
};

std::vector<std::uint8_t> iconFileBytes(int type, const std::vector<Entry>& entries) {
    std::vector<std::vector<std::uint8_t>> images;
    for (const Entry& entry : entries) images.push_back(dibBytes(entry.picture));
    Writer w;
    w.u16(0);  // reserved
    w.u16(type);
    w.u16(static_cast<unsigned>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Picture& p = entries[i].picture;
        w.u8(p.width == 256 ? 0 : p.width);
        w.u8(p.height == 256 ? 0 : p.height);
        w.u8(0);  // colour count: 0 for 8 bits per pixel and more
        w.u8(0);  // reserved
        w.u16(entries[i].wordA);
        w.u16(entries[i].wordB);
        w.u32(static_cast<std::uint32_t>(images[i].size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) w.append(image);
    return w.bytes();
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_images: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The crosshair cursor, 32 x 32, black on transparent, hotspot in the middle of the rings.

struct Point {
    int x = 0, y = 0;
};

constexpr int cursorSize = 32;
constexpr Point hotspot{15, 15};

// A one-pixel ring around the hotspot, given by its pixels in the first octant (dx >= dy >= 0,
// offsets from the hotspot); the other seven octants are its mirror images.
struct Ring {
    std::string_view name;
    std::vector<Point> octant;
};

const Ring rings[] = {
    {"inner", {{2, 0}, {2, 1}}},
    {"middle, radius 7", {{7, 0}, {7, 1}, {7, 2}, {6, 3}, {6, 4}, {5, 5}}},
    {"outer, radius 11", {{11, 0}, {11, 1}, {11, 2}, {10, 3}, {10, 4}, {10, 5}, {9, 6}, {8, 7}}},
};

// A straight hair line, horizontal or vertical, both ends included.
struct HairLine {
    Point from, to;
};

const HairLine hairLines[] = {
    {{15, 2}, {15, 13}},   // up, to the inner ring
    {{15, 17}, {15, 29}},  // down
    {{2, 15}, {13, 15}},   // left
    {{17, 15}, {29, 15}},  // right
};

// A fork just past the outer end of a hair line: two prongs, one pixel either side of the tip,
// across the line's direction.
struct Fork {
    Point tip;
    bool acrossX;  // prongs at tip.x - 1 and tip.x + 1 (a vertical hair line); else at tip.y -/+ 1
};

const Fork forks[] = {
    {{15, 1}, true},
    {{15, 30}, true},
    {{1, 15}, false},
    {{30, 15}, false},
};

Entry makeCursor() {
    std::vector<bool> black(cursorSize * cursorSize, false);
    auto set = [&](int x, int y) {
        if (x >= 0 && x < cursorSize && y >= 0 && y < cursorSize)
            black[static_cast<std::size_t>(y * cursorSize + x)] = true;
    };
    for (const Ring& ring : rings)
        for (const Point& p : ring.octant)
            for (int sx : {-1, 1})
                for (int sy : {-1, 1}) {
                    set(hotspot.x + sx * p.x, hotspot.y + sy * p.y);
                    set(hotspot.x + sx * p.y, hotspot.y + sy * p.x);
                }
    for (const HairLine& line : hairLines)
        for (int y = line.from.y; y <= line.to.y; ++y)
            for (int x = line.from.x; x <= line.to.x; ++x) set(x, y);
    for (const Fork& fork : forks) {
        if (fork.acrossX) {
            set(fork.tip.x - 1, fork.tip.y);
            set(fork.tip.x + 1, fork.tip.y);
        } else {
            set(fork.tip.x, fork.tip.y - 1);
            set(fork.tip.x, fork.tip.y + 1);
        }
    }

    static const Palette allZero{};  // entry 0 is black, the only one used
    Entry entry;
    entry.picture.width = cursorSize;
    entry.picture.height = cursorSize;
    entry.picture.bitsPerPixel = 8;
    entry.picture.palette = &allZero;
    entry.picture.index.assign(black.size(), 0);
    entry.picture.transparent.resize(black.size());
    for (std::size_t i = 0; i < black.size(); ++i) entry.picture.transparent[i] = !black[i];
    entry.wordA = hotspot.x;
    entry.wordB = hotspot.y;
    return entry;
}

// ---------------------------------------------------------------------------------------------
// The application icon: a program window whose content is a closed eye: "this window is not
// looked at", i.e. hidden.

// The artwork's colours. The 8-bit images' palette is built from them (see iconPalette).
constexpr Rgb navy{0x1B, 0x2F, 0x52};         // the frame and the eye
constexpr Rgb titleTop{0x4C, 0x8E, 0xF0};     // the title bar, top
constexpr Rgb titleBottom{0x23, 0x62, 0xD6};  // the title bar, bottom
constexpr Rgb bodyTop{0xFF, 0xFF, 0xFF};      // the window's client area, top
constexpr Rgb bodyBottom{0xDC, 0xE6, 0xF4};   // the window's client area, bottom
constexpr Rgb white{0xFF, 0xFF, 0xFF};        // the title bar's buttons

struct Vec {
    double x = 0, y = 0;
};

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y}; }
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double length(Vec a) { return std::sqrt(dot(a, a)); }
Vec unit(Vec a) { return (1.0 / length(a)) * a; }

// A paint: a vertical gradient from `top` at y0 to `bottom` at y1 (a flat colour when equal).
struct Paint {
    Rgb top, bottom;
    double y0 = 0, y1 = 1;
    double opacity = 1;
};

Paint flat(Rgb c, double opacity = 1) { return {c, c, 0, 1, opacity}; }

// A shape: which points (in pixels of the target image, y downward) it covers.
using Cover = std::function<bool(Vec)>;

struct Layer {
    std::string_view name;
    Cover cover;
    Paint paint;
};

Cover roundedRect(double left, double top, double right, double bottom, double radius) {
    return [=](Vec p) {
        if (p.x < left || p.x > right || p.y < top || p.y > bottom) return false;
        const double cx = std::clamp(p.x, left + radius, right - radius);
        const double cy = std::clamp(p.y, top + radius, bottom - radius);
        return length(p - Vec{cx, cy}) <= radius;
    };
}

Cover clipBelow(Cover shape, double yLimit) {  // the part of shape above yLimit
    return [=](Vec p) { return p.y < yLimit && shape(p); };
}

Cover disc(Vec centre, double radius) {
    return [=](Vec p) { return length(p - centre) <= radius; };
}

Cover segment(Vec a, Vec b, double width) {  // a thick line with round ends
    return [=](Vec p) {
        const Vec ab = b - a;
        const double t = std::clamp(dot(p - a, ab) / dot(ab, ab), 0.0, 1.0);
        return length(p - (a + t * ab)) <= width / 2;
    };
}

// An arc of a circle, the part below its centre whose direction from the centre is within
// the half-angle given by its cosine `spread` from straight down, drawn with round ends.
Cover lowerArc(Vec centre, double radius, double width, double spread) {
    const double side = std::sqrt(1 - spread * spread);
    const Vec endLeft = centre + radius * Vec{-side, spread};
    const Vec endRight = centre + radius * Vec{side, spread};
    return [=](Vec p) {
        const Vec d = p - centre;
        const double r = length(d);
        if (std::abs(r - radius) <= width / 2 && d.y >= spread * r) return true;
        return length(p - endLeft) <= width / 2 || length(p - endRight) <= width / 2;
    };
}

// The geometry of the vector design at one size, in pixels of that size.
struct Layout {
    int size;                         // the image's width and height
    double left, top, right, bottom;  // the window's outer edge
    double corner;                    // its corner radius
    double frame;                     // its frame's width
    double title;                     // the title bar's height below the frame
    double button;                    // the title bar buttons' radius; 0 for none
    Vec eye;                          // the centre of the eyelid's circle
    double eyeRadius, eyeWidth, eyeSpread;
    std::vector<Vec> lashes;  // the lashes' directions from the eye centre
    double lashLength, lashWidth;
};

std::vector<Layer> windowWithClosedEye(const Layout& l) {
    std::vector<Layer> layers;
    const double innerTop = l.top + l.frame;
    const double titleEnd = innerTop + l.title;
    layers.push_back({"frame", roundedRect(l.left, l.top, l.right, l.bottom, l.corner), flat(navy)});
    const Cover inside = roundedRect(l.left + l.frame, innerTop, l.right - l.frame, l.bottom - l.frame,
                                     std::max(0.0, l.corner - l.frame));
    layers.push_back({"client area", inside, {bodyTop, bodyBottom, titleEnd, l.bottom - l.frame}});
    layers.push_back({"title bar", clipBelow(inside, titleEnd), {titleTop, titleBottom, innerTop, titleEnd}});
    layers.push_back({"title bar edge",
                      [=](Vec p) { return p.y >= titleEnd && p.y < titleEnd + l.frame / 2 && inside(p); }, flat(navy)});
    if (l.button > 0) {
        const double cy = innerTop + l.title / 2;
        const double step = l.button * 3.2;
        for (int i = 0; i < 3; ++i)
            layers.push_back(
                {"title bar button", disc({l.right - l.frame - l.title / 2 - i * step, cy}, l.button), flat(white)});
    }
    layers.push_back({"eyelid", lowerArc(l.eye, l.eyeRadius, l.eyeWidth, l.eyeSpread), flat(navy)});
    for (const Vec& direction : l.lashes) {
        const Vec d = unit(direction);
        const Vec from = l.eye + l.eyeRadius * d;
        layers.push_back({"lash", segment(from, from + l.lashLength * d, l.lashWidth), flat(navy)});
    }
    return layers;
}

// Renders layers with samples x samples samples per pixel, each sample painted over by every
// layer that covers it, in order.
std::vector<Rgba> render(const std::vector<Layer>& layers, int size, int samples) {
    std::vector<Rgba> out(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const Vec p{x + (sx + 0.5) / samples, y + (sy + 0.5) / samples};
                    double pr = 0, pg = 0, pb = 0, pa = 0;
                    for (const Layer& layer : layers) {
                        if (!layer.cover(p)) continue;
                        const Paint& paint = layer.paint;
                        const double t = std::clamp((p.y - paint.y0) / (paint.y1 - paint.y0), 0.0, 1.0);
                        const double k = paint.opacity;
                        pr = pr * (1 - k) + k * (paint.top.r + t * (paint.bottom.r - paint.top.r));
                        pg = pg * (1 - k) + k * (paint.top.g + t * (paint.bottom.g - paint.top.g));
                        pb = pb * (1 - k) + k * (paint.top.b + t * (paint.bottom.b - paint.top.b));
                        pa = pa * (1 - k) + k;
                    }
                    r += pr;
                    g += pg;
                    b += pb;
                    a += pa;
                }
            Rgba& c = out[static_cast<std::size_t>(y * size + x)];
            const double n = samples * samples;
            c.a = static_cast<std::uint8_t>(std::lround(255 * a / n));
            if (c.a == 0) continue;
            c.r = static_cast<std::uint8_t>(std::clamp(std::lround(r / a), 0L, 255L));
            c.g = static_cast<std::uint8_t>(std::clamp(std::lround(g / a), 0L, 255L));
            c.b = static_cast<std::uint8_t>(std::clamp(std::lround(b / a), 0L, 255L));
        }
    return out;
}

// The small sizes are drawn pixel by pixel, one character a pixel:
//   '.' transparent          '#' navy (frame and eye)     'o' white (title bar button)
//   '+' title bar gradient   '-' client area gradient     '%' ':' ',' the eye's anti-aliased edge,
//                                                         navy at 75, 50 and 25 % over the client area
// The gradients run from the first to the last row holding their character.
struct PixelArt {
    int size;
    std::vector<std::string_view> rows;
};

Rgb mix(Rgb a, Rgb b, double t) {
    auto m = [&](std::uint8_t u, std::uint8_t v) { return static_cast<std::uint8_t>(std::lround(u + t * (v - u))); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

std::vector<Rgba> render(const PixelArt& art) {
    auto rowSpan = [&](char c) {  // where the gradient of c runs: 0 on its first row, 1 on its last
        int first = art.size, last = -1;
        for (int y = 0; y < art.size; ++y)
            if (art.rows[static_cast<std::size_t>(y)].find(c) != std::string_view::npos) {
                first = std::min(first, y);
                last = y;
            }
        return [=](int y) { return last > first ? static_cast<double>(y - first) / (last - first) : 0.0; };
    };
    const auto titleAt = rowSpan('+');
    const auto bodyAt = rowSpan('-');
    std::vector<Rgba> out(static_cast<std::size_t>(art.size * art.size));
    for (int y = 0; y < art.size; ++y)
        for (int x = 0; x < art.size; ++x) {
            const Rgb body = mix(bodyTop, bodyBottom, std::clamp(bodyAt(y), 0.0, 1.0));
            Rgb c;
            switch (art.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
                case '#': c = navy; break;
                case '+': c = mix(titleTop, titleBottom, titleAt(y)); break;
                case 'o': c = white; break;
                case '-': c = body; break;
                case '%': c = mix(body, navy, 0.75); break;
                case ':': c = mix(body, navy, 0.5); break;
                case ',': c = mix(body, navy, 0.25); break;
                default: continue;  // transparent
            }
            out[static_cast<std::size_t>(y * art.size + x)] = {c.r, c.g, c.b, 255};
        }
    return out;
}

// The 8-bit images' palette: entry 0 black, then the artwork's colours, then nine blends between
// each pair of them (what anti-aliased edges and gradients need), then a grey ramp.
Palette iconPalette() {
    const Rgb keys[] = {navy, titleTop, titleBottom, bodyBottom, white};
    Palette palette{};
    std::size_t next = 1;
    for (const Rgb& k : keys) palette[next++] = k;
    for (std::size_t i = 0; i < std::size(keys); ++i)
        for (std::size_t j = i + 1; j < std::size(keys); ++j)
            for (int step = 1; step <= 9; ++step) {
                auto m = [&](std::uint8_t u, std::uint8_t v) {
                    return static_cast<std::uint8_t>((u * (10 - step) + v * step + 5) / 10);
                };
                palette[next++] = {m(keys[i].r, keys[j].r), m(keys[i].g, keys[j].g), m(keys[i].b, keys[j].b)};
            }
    const std::size_t greys = palette.size() - next;  // 160: from near black to white
    for (std::size_t i = 1; i <= greys; ++i) {
        const auto v = static_cast<std::uint8_t>(i * 255 / greys);
        palette[next++] = {v, v, v};
    }
    return palette;
}

std::uint8_t nearest(const Palette& palette, Rgba c) {
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = palette[i].r - c.r, dg = palette[i].g - c.g, db = palette[i].b - c.b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

Entry iconEntry(const std::vector<Rgba>& pixels, int size, int bitsPerPixel, const Palette& palette) {
    Entry entry;
    Picture& p = entry.picture;
    p.width = size;
    p.height = size;
    p.bitsPerPixel = bitsPerPixel;
    p.palette = &palette;
    p.transparent.resize(pixels.size());
    if (bitsPerPixel == 32) {
        p.colour = pixels;
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            p.transparent[i] = pixels[i].a == 0;
            if (p.transparent[i]) p.colour[i] = {};
        }
    } else {
        p.index.resize(pixels.size());
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            p.transparent[i] = pixels[i].a < 128;  // no partial transparency at 8 bits
            p.index[i] = p.transparent[i] ? 0 : nearest(palette, pixels[i]);
        }
    }
    entry.wordA = 1;  // planes
    entry.wordB = static_cast<unsigned>(bitsPerPixel);
    return entry;
}

// The large sizes: the vector design, anti-aliased with 16 x 16 samples a pixel. Lashes stand out
// from the eyelid along these directions (down is +y; they need not be unit vectors).
const std::vector<Vec> fiveLashes = {{-0.72, 0.69}, {-0.36, 0.93}, {0, 1}, {0.36, 0.93}, {0.72, 0.69}};
const std::vector<Vec> threeLashes = {{-0.6, 0.8}, {0, 1}, {0.6, 0.8}};

const Layout layouts[] = {
    // size left top right bottom corner frame title button  eye        radius width spread lashes     length width
    {64, 3, 7, 61, 57, 7, 2.5, 10, 1.7, {32, 22}, 18, 4, 0.45, fiveLashes, 5.5, 3.2},
    {48, 2, 5, 46, 43, 5.5, 2, 7.5, 1.3, {24, 16}, 13.5, 3, 0.45, fiveLashes, 4, 2.4},
    {32, 1, 3, 31, 29, 4, 1.5, 5, 0.9, {16, 12}, 8.5, 2.2, 0.45, threeLashes, 3, 1.8},
};

// The small sizes, 24 and 16, hand-tuned pixel by pixel: corners cut by one pixel, an eyelid of
// one or two pixels with three lashes, and no title bar buttons at 16.
const PixelArt twentyFour = {
    24,
    {
        "........................", "........................", "..####################..", ".#++++++++++++++++++++#.",
        ".#++++++++++++o+o+o+++#.", ".#++++++++++++++++++++#.", ".######################.", ".#--------------------#.",
        ".#--------------------#.", ".#--------------------#.", ".#---#,----------,#---#.", ".#---#%----------%#---#.",
        ".#---:#%--------%#:---#.", ".#----:#%:----:%#:----#.", ".#----%##########%----#.", ".#---,#,-:%##%:-,#,---#.",
        ".#---------##---------#.", ".#---------::---------#.", ".#--------------------#.", ".#--------------------#.",
        ".#--------------------#.", "..####################..", "........................", "........................",
    }};

const PixelArt sixteen = {16,
                          {
                              "................",
                              ".##############.",
                              "#++++++++++++++#",
                              "#++++++++++++++#",
                              "################",
                              "#--------------#",
                              "#--------------#",
                              "#--#,------,#--#",
                              "#--:#,----,#:--#",
                              "#---%##%%##%---#",
                              "#--,:-:##:-:,--#",
                              "#------::------#",
                              "#--------------#",
                              "#--------------#",
                              ".##############.",
                              "................",
                          }};

std::vector<std::uint8_t> makeIcon() {
    static const Palette palette = iconPalette();
    auto draw = [](int size) {
        for (const Layout& l : layouts)
            if (l.size == size) return render(windowWithClosedEye(l), size, 16);
        return render(size == 24 ? twentyFour : sixteen);
    };
    std::vector<Entry> entries;
    for (int size : {48, 32, 24, 16}) entries.push_back(iconEntry(draw(size), size, 8, palette));
    for (int size : {64, 48, 32, 24, 16}) entries.push_back(iconEntry(draw(size), size, 32, palette));
    return iconFileBytes(1, entries);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_images OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeFile(dir + "/crosshair.cur", iconFileBytes(2, {makeCursor()})) &&
                    writeFile(dir + "/ombrix.ico", makeIcon());
    return ok ? 0 : 1;
}
