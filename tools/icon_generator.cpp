// Draws the program's icons and writes them as .ico files: the tray's on,
// off, blocked and paused shields and the application icon, each at 32, (24,) and
// 16 pixels in 256 colours and in 32-bit colour with alpha.
//
// Usage: icon_generator OUTPUT_DIR
// Change the artwork here and run scripts/make-icons to rewrite the files.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

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

struct Palette {
    Rgba light, dark, rim, glyph;
};

Palette ColoursOf(Design design) {
    switch (design) {
    case Design::On: // green, active
        return {{0.30, 0.80, 0.35, 1}, {0.05, 0.50, 0.15, 1}, {0.02, 0.25, 0.05, 1}, {1, 1, 1, 1}};
    case Design::Off: // the same shield, greyed
        return {{0.78, 0.78, 0.78, 1},
                {0.52, 0.52, 0.52, 1},
                {0.35, 0.35, 0.35, 1},
                {0.92, 0.92, 0.92, 1}};
    case Design::Blocked: // strong red
        return {{1.00, 0.25, 0.20, 1}, {0.75, 0.02, 0.02, 1}, {0.40, 0.00, 0.00, 1}, {1, 1, 1, 1}};
    case Design::Paused: // amber: off for a while
        return {{1.00, 0.82, 0.30, 1}, {0.85, 0.60, 0.05, 1}, {0.45, 0.28, 0.00, 1}, {1, 1, 1, 1}};
    case Design::Application:
        return {{0.35, 0.60, 1.00, 1}, {0.08, 0.25, 0.70, 1}, {0.03, 0.10, 0.35, 1}, {1, 1, 1, 1}};
    }
    return {};
}

// Colour at a point of the unit square (alpha 0 outside the shield).
Rgba Shade(Design design, double x, double y, double pixel) {
    const Palette p = ColoursOf(design);
    if (!InShield(x, y))
        return {0, 0, 0, 0};
    // Rim: near the edge of the shield.
    const double step = std::max(pixel, 0.04);
    const bool edge = !InShield(x - step, y) || !InShield(x + step, y) || !InShield(x, y - step) ||
                      !InShield(x, y + step);
    if (edge)
        return p.rim;
    const double t = std::clamp((x + y) / 1.6, 0.0, 1.0); // light from the top left
    Rgba body{p.light.r + (p.dark.r - p.light.r) * t, p.light.g + (p.dark.g - p.light.g) * t,
              p.light.b + (p.dark.b - p.light.b) * t, 1};
    const double width = std::max(0.075, 1.3 * pixel);
    double d = 1;
    switch (design) {
    case Design::On: // check mark
    case Design::Off:
        d = std::min(SegmentDistance(x, y, 0.30, 0.50, 0.45, 0.66),
                     SegmentDistance(x, y, 0.45, 0.66, 0.72, 0.32));
        break;
    case Design::Blocked: // a cross
        d = std::min(SegmentDistance(x, y, 0.32, 0.30, 0.68, 0.68),
                     SegmentDistance(x, y, 0.68, 0.30, 0.32, 0.68));
        break;
    case Design::Paused: // the pause mark: two upright bars
        d = std::min(SegmentDistance(x, y, 0.36, 0.30, 0.36, 0.66),
                     SegmentDistance(x, y, 0.64, 0.30, 0.64, 0.66));
        break;
    case Design::Application: // a small window: a popup
        if (x > 0.28 && x < 0.72 && y > 0.30 && y < 0.64) {
            const bool frame = x < 0.28 + width || x > 0.72 - width || y < 0.38 || y > 0.64 - width;
            d = frame ? 0 : 1;
        }
        break;
    }
    return d < width ? p.glyph : body;
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

// The 256-colour palette: a 6x6x6 cube and a grey ramp.
std::array<std::array<std::uint8_t, 3>, 256> MakePalette() {
    std::array<std::array<std::uint8_t, 3>, 256> palette{};
    int i = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette[i++] = {static_cast<std::uint8_t>(r * 51),
                                static_cast<std::uint8_t>(g * 51),
                                static_cast<std::uint8_t>(b * 51)};
    for (; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>((i - 216) * 255 / 39);
        palette[i] = {v, v, v};
    }
    return palette;
}

int Nearest(const std::array<std::array<std::uint8_t, 3>, 256>& palette, Rgba c) {
    int best = 0;
    long bestDistance = 1L << 30;
    for (int i = 0; i < 256; ++i) {
        const long dr = palette[i][0] - Byte(c.r), dg = palette[i][1] - Byte(c.g),
                   db = palette[i][2] - Byte(c.b);
        const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// One image as stored in an .ico: BITMAPINFOHEADER, (palette,) colours
// bottom-up, then the 1-bit transparency mask.
std::vector<std::uint8_t> EncodeImage(const std::vector<Rgba>& image, int size, int bits) {
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(size));
    Put32(out, static_cast<unsigned>(size * 2));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, bits == 8 ? 256 : 0);
    Put32(out, 0);
    const auto palette = MakePalette();
    if (bits == 8)
        for (const auto& entry : palette) {
            out.push_back(entry[2]);
            out.push_back(entry[1]);
            out.push_back(entry[0]);
            out.push_back(0);
        }
    for (int y = size - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        for (int x = 0; x < size; ++x) {
            const Rgba& c = image[static_cast<std::size_t>(y * size + x)];
            if (bits == 32) {
                out.push_back(Byte(c.b));
                out.push_back(Byte(c.g));
                out.push_back(Byte(c.r));
                out.push_back(Byte(c.a));
            } else {
                out.push_back(c.a >= 0.5 ? static_cast<std::uint8_t>(Nearest(palette, c)) : 0);
            }
        }
        while ((out.size() - rowStart) % 4)
            out.push_back(0);
    }
    const int maskRow = ((size + 31) / 32) * 4;
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRow), 0);
        for (int x = 0; x < size; ++x)
            if (image[static_cast<std::size_t>(y * size + x)].a < 0.5)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteIcon(const std::string& path, Design design, const std::vector<int>& sizes) {
    struct Entry {
        int size, bits;
        std::vector<std::uint8_t> data;
    };
    std::vector<Entry> entries;
    for (int bits : {8, 32})
        for (int size : sizes)
            entries.push_back({size, bits, EncodeImage(Render(design, size), size, bits)});
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(entries.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(entries.size());
    for (const Entry& e : entries) {
        out.push_back(static_cast<std::uint8_t>(e.size));
        out.push_back(static_cast<std::uint8_t>(e.size));
        out.push_back(0); // 256 colours or more
        out.push_back(0);
        Put16(out, 1);
        Put16(out, static_cast<unsigned>(e.bits));
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = WriteIcon(dir + "/on.ico", Design::On, {32, 16}) &&
                    WriteIcon(dir + "/off.ico", Design::Off, {32, 16}) &&
                    WriteIcon(dir + "/blocked.ico", Design::Blocked, {32, 24, 16}) &&
                    WriteIcon(dir + "/paused.ico", Design::Paused, {32, 16}) &&
                    WriteIcon(dir + "/application.ico", Design::Application, {32, 16});
    if (!ok) {
        std::fprintf(stderr, "icon_generator: cannot write to %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
