// Draws the program's icons and writes them as .ico files: the tray's on,
// off, blocked and paused shields at every small-icon size from 100 % to 300 %
// display scale, and the application icon, which also has 64 and 256 pixel
// frames. Every frame is drawn for its own size in 32-bit colour with alpha
// and stored PNG-compressed, which keeps the executable small (Windows reads
// PNG frames of any size since Vista).
//
// Usage: icon_generator OUTPUT_DIR
// Change the artwork here and run scripts/make-icons to rewrite the files.
// The generator refuses artwork that breaks the rules for tray pictures:
// an outline of at least 3:1 contrast against dark and light taskbars, and
// states that differ in shape, not only in colour.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <zlib.h>

namespace {

struct Rgba {
    double r, g, b, a;
};

// Shapes in a unit square (0..1, y downwards); each returns coverage 0..1 at
// a point.
bool InShield(double x, double y) {
    // Flat top with rounded shoulders, sides curving to a point at the bottom.
    if (y < 0.06 || y > 0.96)
        return false;
    const double half =
        y < 0.5 ? 0.40 : 0.40 * std::sqrt(std::max(0.0, 1 - std::pow((y - 0.5) / 0.46, 2)));
    if (std::fabs(x - 0.5) > half)
        return false;
    if (y < 0.16) { // rounded top corners
        const double cx = x < 0.5 ? 0.20 : 0.80;
        if (std::fabs(x - 0.5) > 0.30 && std::hypot(x - cx, y - 0.16) > 0.10)
            return false;
    }
    return true;
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

enum class Design { On, Off, Blocked, Paused, Application };

// The rim is a mid tone (relative luminance about 0.18): at least 3:1
// against both a dark (#202020) and a light (#F3F3F3) taskbar.
struct Palette {
    Rgba light, dark, rim, glyph;
};

Palette ColoursOf(Design design) {
    switch (design) {
    case Design::On: // green, active
        return {{0.30, 0.80, 0.35, 1}, {0.05, 0.50, 0.15, 1}, {0.10, 0.55, 0.15, 1}, {1, 1, 1, 1}};
    case Design::Off: // grey
        return {{0.78, 0.78, 0.78, 1}, {0.52, 0.52, 0.52, 1}, {0.46, 0.46, 0.46, 1}, {1, 1, 1, 1}};
    case Design::Blocked: // strong red
        return {{1.00, 0.25, 0.20, 1}, {0.75, 0.02, 0.02, 1}, {0.90, 0.15, 0.12, 1}, {1, 1, 1, 1}};
    case Design::Paused: // amber: off for a while
        return {{1.00, 0.82, 0.30, 1}, {0.85, 0.60, 0.05, 1}, {0.70, 0.45, 0.00, 1}, {1, 1, 1, 1}};
    case Design::Application:
        return {{0.35, 0.60, 1.00, 1}, {0.08, 0.25, 0.70, 1}, {0.20, 0.45, 0.90, 1}, {1, 1, 1, 1}};
    }
    return {};
}

// Distance from a point to the glyph that tells the picture's meaning by
// its shape, so that colour is never the only difference.
double GlyphDistance(Design design, double x, double y, double width) {
    switch (design) {
    case Design::On: // check mark
        return std::min(SegmentDistance(x, y, 0.30, 0.50, 0.45, 0.66),
                        SegmentDistance(x, y, 0.45, 0.66, 0.72, 0.32));
    case Design::Off: // a bar across: nothing passes a check
        return SegmentDistance(x, y, 0.30, 0.50, 0.70, 0.50);
    case Design::Blocked: // a cross
        return std::min(SegmentDistance(x, y, 0.32, 0.30, 0.68, 0.68),
                        SegmentDistance(x, y, 0.68, 0.30, 0.32, 0.68));
    case Design::Paused: // the pause mark: two upright bars
        return std::min(SegmentDistance(x, y, 0.36, 0.30, 0.36, 0.66),
                        SegmentDistance(x, y, 0.64, 0.30, 0.64, 0.66));
    case Design::Application: // a small window: a popup
        if (x > 0.28 && x < 0.72 && y > 0.30 && y < 0.64) {
            const bool frame = x < 0.28 + width || x > 0.72 - width || y < 0.38 || y > 0.64 - width;
            return frame ? 0 : 1;
        }
        return 1;
    }
    return 1;
}

// Colour at a point of the unit square (alpha 0 outside the shield).
// `pixel` is the size of one pixel of the frame being drawn: rim and glyph
// keep a width the eye resolves at every size.
Rgba Shade(Design design, double x, double y, double pixel) {
    const Palette p = ColoursOf(design);
    if (!InShield(x, y))
        return {0, 0, 0, 0};
    // Rim: within one and a half pixels of the edge, in eight directions.
    const double step = std::max(1.5 * pixel, 0.04), diagonal = step * 0.7071;
    const bool edge = !InShield(x - step, y) || !InShield(x + step, y) || !InShield(x, y - step) ||
                      !InShield(x, y + step) || !InShield(x - diagonal, y - diagonal) ||
                      !InShield(x + diagonal, y - diagonal) ||
                      !InShield(x - diagonal, y + diagonal) ||
                      !InShield(x + diagonal, y + diagonal);
    if (edge)
        return p.rim;
    const double t = std::clamp((x + y) / 1.6, 0.0, 1.0); // light from the top left
    Rgba body{p.light.r + (p.dark.r - p.light.r) * t, p.light.g + (p.dark.g - p.light.g) * t,
              p.light.b + (p.dark.b - p.light.b) * t, 1};
    const double width = std::max(0.075, 1.3 * pixel);
    return GlyphDistance(design, x, y, width) < width ? p.glyph : body;
}

std::vector<Rgba> Render(Design design, int size) {
    constexpr int kSamples = 4;
    std::vector<Rgba> image(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double u = (x + (sx + 0.5) / kSamples) / size;
                    const double v = (y + (sy + 0.5) / kSamples) / size;
                    const Rgba c = Shade(design, u, v, 1.0 / size);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            Rgba& out = image[static_cast<std::size_t>(y * size + x)];
            out.a = sum.a / (kSamples * kSamples);
            if (sum.a > 0)
                out = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, out.a};
        }
    return image;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint8_t Byte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

void PutBig32(std::vector<std::uint8_t>& out, unsigned v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    PutBig32(out, static_cast<unsigned>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, static_cast<unsigned>(
                      ::crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// A frame stored as a PNG: 8-bit RGBA rows, unfiltered, deflated.
std::vector<std::uint8_t> EncodePng(const std::vector<Rgba>& image, int size) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(0);
        for (int x = 0; x < size; ++x) {
            const Rgba& c = image[static_cast<std::size_t>(y * size + x)];
            for (double channel : {c.r, c.g, c.b, c.a})
                raw.push_back(Byte(channel));
        }
    }
    uLongf packedSize = ::compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (::compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return {};
    packed.resize(packedSize);
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<unsigned>(size));
    PutBig32(header, static_cast<unsigned>(size));
    for (std::uint8_t v : {8, 6, 0, 0, 0}) // 8 bits, RGBA, deflate, no filter choice, no interlace
        header.push_back(v);
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

bool WriteIcon(const std::string& path, Design design, const std::vector<int>& sizes) {
    struct Entry {
        int size;
        std::vector<std::uint8_t> data;
    };
    std::vector<Entry> entries;
    for (int size : sizes) {
        const std::vector<Rgba> image = Render(design, size);
        entries.push_back({size, EncodePng(image, size)});
        if (entries.back().data.empty())
            return false;
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(entries.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(entries.size());
    for (const Entry& e : entries) {
        out.push_back(static_cast<std::uint8_t>(e.size & 0xFF)); // 0 stands for 256
        out.push_back(static_cast<std::uint8_t>(e.size & 0xFF));
        out.push_back(0); // more than 256 colours
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<unsigned>(e.data.size()));
        Put32(out, offset);
        offset += static_cast<unsigned>(e.data.size());
    }
    for (const Entry& e : entries)
        out.insert(out.end(), e.data.begin(), e.data.end());
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// Relative luminance of a colour as written (8 bits a channel).
double Luminance(const Rgba& c) {
    double sum = 0;
    const double channels[] = {c.r, c.g, c.b}, weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double v = Byte(channels[i]) / 255.0;
        sum += weights[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool Opaque(const std::vector<Rgba>& image, int size, int x, int y) {
    return x >= 0 && y >= 0 && x < size && y < size &&
           Byte(image[static_cast<std::size_t>(y * size + x)].a) >= 128;
}

// The first outline pixel (opaque, beside a transparent one) of a frame that
// stands out less than 3:1 from a dark (#202020) or light (#F3F3F3)
// taskbar, as "x,y"; empty when there is none.
std::string WeakOutline(const std::vector<Rgba>& image, int size) {
    const double taskbars[] = {Luminance({0x20 / 255.0, 0x20 / 255.0, 0x20 / 255.0, 1}),
                               Luminance({0xF3 / 255.0, 0xF3 / 255.0, 0xF3 / 255.0, 1})};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!Opaque(image, size, x, y) ||
                (Opaque(image, size, x - 1, y) && Opaque(image, size, x + 1, y) &&
                 Opaque(image, size, x, y - 1) && Opaque(image, size, x, y + 1)))
                continue;
            const double own = Luminance(image[static_cast<std::size_t>(y * size + x)]);
            for (double taskbar : taskbars)
                if (Contrast(own, taskbar) < 3.0)
                    return std::to_string(x) + "," + std::to_string(y);
        }
    return {};
}

// How many pixels differ between two frames seen without colour: light
// marks on the opaque picture, or not.
int ShapeDifference(const std::vector<Rgba>& a, const std::vector<Rgba>& b) {
    int differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool markA = a[i].a >= 0.5 && Luminance(a[i]) > 0.6;
        const bool markB = b[i].a >= 0.5 && Luminance(b[i]) > 0.6;
        differing += markA != markB;
    }
    return differing;
}

// Small-icon sizes at 100, 125, 150, 175, 200, 250 and 300 % display scale.
const std::vector<int> kTraySizes{16, 20, 24, 28, 32, 40, 48};

struct Picture {
    const char* file;
    Design design;
    std::vector<int> sizes;
    bool tray;
};

// Every icon the program carries; a new tray picture is one more row here.
std::vector<Picture> Pictures() {
    std::vector<int> application = kTraySizes;
    application.insert(application.end(), {64, 256});
    return {{"on.ico", Design::On, kTraySizes, true},
            {"off.ico", Design::Off, kTraySizes, true},
            {"blocked.ico", Design::Blocked, kTraySizes, true},
            {"paused.ico", Design::Paused, kTraySizes, true},
            {"application.ico", Design::Application, application, false}};
}

// Whether every picture keeps the rules; names each fault on stderr.
bool ArtworkKeepsTheRules(const std::vector<Picture>& pictures) {
    bool good = true;
    for (const Picture& picture : pictures)
        for (int size : picture.sizes)
            if (const std::string at = WeakOutline(Render(picture.design, size), size);
                !at.empty()) {
                std::fprintf(stderr, "%s at %d: outline below 3:1 at %s\n", picture.file, size,
                             at.c_str());
                good = false;
            }
    for (int size : kTraySizes)
        for (std::size_t i = 0; i < pictures.size(); ++i)
            for (std::size_t j = i + 1; j < pictures.size(); ++j) {
                if (!pictures[i].tray || !pictures[j].tray)
                    continue;
                const int differing = ShapeDifference(Render(pictures[i].design, size),
                                                      Render(pictures[j].design, size));
                if (differing <= size * size / 20) {
                    std::fprintf(stderr, "%s and %s at %d differ in shape at %d pixels only\n",
                                 pictures[i].file, pictures[j].file, size, differing);
                    good = false;
                }
            }
    return good;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    if (!ArtworkKeepsTheRules(Pictures()))
        return 1;
    bool ok = true;
    for (const Picture& picture : Pictures())
        ok = ok && WriteIcon(dir + "/" + picture.file, picture.design, picture.sizes);
    if (!ok) {
        std::fprintf(stderr, "icon_generator: cannot write to %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
