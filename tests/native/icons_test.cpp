// The committed icons, read back frame by frame: every size the display
// scales need, an outline that stands out on dark and light taskbars, and
// states that differ in shape, not only in colour.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Frame {
    int size = 0;
    bool png = false;
    std::vector<std::uint8_t> rgba; // top-down, not premultiplied
};

unsigned Little(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    return v;
}

unsigned Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) << 24 | b.at(at + 1) << 16 | b.at(at + 2) << 8 | b.at(at + 3);
}

std::vector<std::uint8_t> DecodePng(const std::vector<std::uint8_t>& png, int size) {
    std::vector<std::uint8_t> packed;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const unsigned length = Big32(png, at);
        if (std::string(png.begin() + at + 4, png.begin() + at + 8) == "IDAT")
            packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    const auto stride = static_cast<std::size_t>(size) * 4 + 1;
    std::vector<std::uint8_t> raw(stride * static_cast<std::size_t>(size));
    uLongf rawSize = raw.size();
    if (::uncompress(raw.data(), &rawSize, packed.data(), packed.size()) != Z_OK ||
        rawSize != raw.size())
        return {};
    std::vector<std::uint8_t> rgba;
    for (std::size_t row = 0; row < static_cast<std::size_t>(size); ++row) {
        if (raw[row * stride] != 0) // the generator writes unfiltered rows
            return {};
        rgba.insert(rgba.end(), raw.begin() + row * stride + 1, raw.begin() + (row + 1) * stride);
    }
    return rgba;
}

std::vector<std::uint8_t> DecodeBitmap(const std::vector<std::uint8_t>& bmp, int size) {
    if (Little(bmp, 14, 2) != 32)
        return {};
    std::vector<std::uint8_t> rgba;
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const std::size_t at = 40 + static_cast<std::size_t>(y * size + x) * 4;
            rgba.insert(rgba.end(), {bmp.at(at + 2), bmp.at(at + 1), bmp.at(at), bmp.at(at + 3)});
        }
    return rgba;
}

std::vector<Frame> ReadIcon(const std::string& name) {
    std::ifstream file(std::string(STILVANE_ICONS_DIR) + "/" + name, std::ios::binary);
    const std::vector<std::uint8_t> ico{std::istreambuf_iterator<char>(file), {}};
    std::vector<Frame> frames;
    for (unsigned i = 0; i < Little(ico, 4, 2); ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        Frame frame;
        frame.size = ico.at(entry) == 0 ? 256 : ico.at(entry);
        const unsigned length = Little(ico, entry + 8, 4), offset = Little(ico, entry + 12, 4);
        const std::vector<std::uint8_t> data(ico.begin() + offset, ico.begin() + offset + length);
        frame.png = data.size() > 8 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
        frame.rgba = frame.png ? DecodePng(data, frame.size) : DecodeBitmap(data, frame.size);
        frames.push_back(std::move(frame));
    }
    return frames;
}

double Luminance(const std::uint8_t* rgb) {
    double sum = 0;
    const double weight[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = rgb[i] / 255.0;
        sum += weight[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool Opaque(const Frame& f, int x, int y) {
    return x >= 0 && y >= 0 && x < f.size && y < f.size &&
           f.rgba[static_cast<std::size_t>(y * f.size + x) * 4 + 3] >= 128;
}

struct Expected {
    const char* file;
    std::vector<int> sizes;
};

const std::vector<int> kTraySizes{16, 20, 24, 28, 32, 40, 48};

TEST(Icons, EverySizeDrawnWithAnOutlineThatStandsOutOnDarkAndLightTaskbars) {
    const std::uint8_t dark[] = {0x20, 0x20, 0x20}, light[] = {0xF3, 0xF3, 0xF3};
    const double backgrounds[] = {Luminance(dark), Luminance(light)};
    std::vector<int> applicationSizes = kTraySizes;
    applicationSizes.insert(applicationSizes.end(), {64, 256});
    for (const Expected& icon :
         {Expected{"on.ico", kTraySizes}, Expected{"off.ico", kTraySizes},
          Expected{"blocked.ico", kTraySizes}, Expected{"application.ico", applicationSizes}}) {
        const std::vector<Frame> frames = ReadIcon(icon.file);
        std::vector<int> sizes;
        for (const Frame& frame : frames) {
            SCOPED_TRACE(std::string(icon.file) + " at " + std::to_string(frame.size));
            sizes.push_back(frame.size);
            ASSERT_EQ(frame.rgba.size(), static_cast<std::size_t>(frame.size * frame.size) * 4);
            EXPECT_EQ(frame.png, frame.size == 256 || frame.size >= 32);
            // The outline: opaque pixels beside a transparent one.
            int outline = 0;
            for (int y = 0; y < frame.size; ++y)
                for (int x = 0; x < frame.size; ++x) {
                    if (!Opaque(frame, x, y) ||
                        (Opaque(frame, x - 1, y) && Opaque(frame, x + 1, y) &&
                         Opaque(frame, x, y - 1) && Opaque(frame, x, y + 1)))
                        continue;
                    ++outline;
                    const double own =
                        Luminance(&frame.rgba[static_cast<std::size_t>(y * frame.size + x) * 4]);
                    for (double background : backgrounds)
                        ASSERT_GE(Contrast(own, background), 3.0) << "pixel " << x << "," << y;
                }
            EXPECT_GT(outline, frame.size);
        }
        EXPECT_EQ(sizes, icon.sizes) << icon.file;
    }
}

TEST(Icons, OnAndOffDifferInShapeNotOnlyInColour) {
    // Seen without colour (light glyph against the body), the two marks
    // must differ in a good part of the picture at every size.
    const std::vector<Frame> on = ReadIcon("on.ico"), off = ReadIcon("off.ico");
    ASSERT_EQ(on.size(), off.size());
    for (std::size_t i = 0; i < on.size(); ++i) {
        int differing = 0;
        for (std::size_t at = 0; at < on[i].rgba.size(); at += 4) {
            const bool onLight = Luminance(&on[i].rgba[at]) > 0.6 && on[i].rgba[at + 3] >= 128;
            const bool offLight = Luminance(&off[i].rgba[at]) > 0.6 && off[i].rgba[at + 3] >= 128;
            differing += onLight != offLight;
        }
        EXPECT_GT(differing, on[i].size * on[i].size / 20) << "at " << on[i].size;
    }
}

} // namespace
