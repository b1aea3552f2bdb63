#include "framework/portable/inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <random>
#include <sstream>

using stilvane::Inflate;

namespace {

std::string Deflate(const std::string& data, int level, int strategy) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
    // The bound leaves no room for the empty stored block's header.
    std::string packed(deflateBound(&stream, data.size()) + 16, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::string ShippedTexts() {
    std::ifstream file(STILVANE_POPUP_INI, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Bits as deflate stores them: fields from the low bit up, Huffman codes
// from their first bit.
struct BitWriter {
    std::string bytes;
    int used = 8;
    void Put(unsigned value, int bits) {
        for (int i = 0; i < bits; ++i, ++used) {
            if (used == 8)
                bytes.push_back('\0'), used = 0;
            bytes.back() = static_cast<char>(bytes.back() | ((value >> i) & 1) << used);
        }
    }
    void Code(unsigned code, int bits) {
        for (int i = bits - 1; i >= 0; --i)
            Put(code >> i & 1, 1);
    }
};

} // namespace

TEST(Inflate, UnpacksWhatZlibPacksInEveryKindOfBlock) {
    std::mt19937 random(7);
    std::string noise(100000, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    const std::string texts = ShippedTexts();
    ASSERT_GT(texts.size(), 50000u);
    const struct {
        const char* name;
        std::string data;
    } inputs[] = {{"empty", ""},
                  {"one byte", "a"},
                  {"the shipped texts", texts},
                  {"noise", noise},
                  {"one long run", std::string(70000, 'x')},
                  {"repeats 40,000 bytes back", noise.substr(0, 40000) + noise.substr(0, 40000)}};
    const struct {
        int level, strategy;
    } ways[] = {{0, Z_DEFAULT_STRATEGY}, // stored blocks
                {9, Z_FIXED},            // the fixed code
                {9, Z_DEFAULT_STRATEGY}, // codes of their own
                {1, Z_HUFFMAN_ONLY},
                {9, Z_RLE}};
    for (const auto& input : inputs)
        for (const auto& way : ways) {
            const auto unpacked =
                Inflate(Deflate(input.data, way.level, way.strategy), input.data.size());
            ASSERT_TRUE(unpacked) << input.name << ", level " << way.level << ", strategy "
                                  << way.strategy;
            EXPECT_TRUE(*unpacked == input.data) << input.name << ", strategy " << way.strategy;
        }
}

TEST(Inflate, RefusesDataCutShortOrOfAnotherSize) {
    const std::string texts = ShippedTexts().substr(0, 4000);
    const std::string packed = Deflate(texts, 9, Z_DEFAULT_STRATEGY);
    for (std::size_t length = 0; length < packed.size(); ++length)
        EXPECT_FALSE(Inflate(packed.substr(0, length), texts.size())) << length;
    EXPECT_FALSE(Inflate(packed, texts.size() - 1));
    EXPECT_FALSE(Inflate(packed, texts.size() + 1));
    EXPECT_FALSE(Inflate(packed + '\0', texts.size())); // something after the last block
    EXPECT_FALSE(Inflate(packed, 0xFFFFFFFFu));         // a damaged size reserves nothing
}

TEST(Inflate, RefusesDamagedBlocks) {
    // Whole blocks, each wrong in one point only.
    BitWriter farBack; // a fixed block whose copy reaches before the start
    farBack.Put(1, 1), farBack.Put(1, 2), farBack.Code(1, 7), farBack.Code(0, 5),
        farBack.Code(0, 7);
    BitWriter overfull; // codes of its own, three length codes of one bit each
    overfull.Put(1, 1), overfull.Put(2, 2), overfull.Put(0, 5), overfull.Put(0, 5),
        overfull.Put(14, 4);
    for (int i = 0; i < 18; ++i) // in the order 16, 17, 18, 0, 8, ..., 1
        overfull.Put(i == 1 || i == 2 || i == 17 ? 1 : 0, 3);
    overfull.Code(0, 1); // the literal 0 one bit long, 255 lengths 0, the end and a distance
    for (int i = 0; i < 26; ++i)
        overfull.Code(1, 1), overfull.Put(i < 25 ? 7 : 2, 3);
    overfull.Code(0, 1), overfull.Code(0, 1);
    overfull.Code(0, 1), overfull.Code(1, 1); // the literal 0, the end
    const struct {
        const char* name;
        std::string packed;
        std::size_t size;
    } cases[] = {
        {"the reserved block type", std::string("\x07", 1), 0},
        {"stored, length and its complement apart", std::string("\x01\x01\x00\x00\x00x", 6), 1},
        {"stored, longer than the data", std::string("\x01\x05\x00\xFA\xFFx", 6), 5},
        {"a copy from before the start", farBack.bytes, 3},
        {"more codes than bits allow", overfull.bytes, 1}};
    for (const auto& damaged : cases)
        EXPECT_FALSE(Inflate(damaged.packed, damaged.size)) << damaged.name;
    EXPECT_EQ(Inflate(std::string("\x01\x01\x00\xFE\xFFx", 6), 1), "x"); // the same stored, whole
}
