#include "framework/portable/inflate.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace stilvane {

namespace {

constexpr int kLongestCode = 15;
constexpr int kLengthCodes = 286; // 286 and 287 never occur in valid data
constexpr int kDistanceCodes = 30;
constexpr int kFixedLengthCodes = 288;

// Lengths and distances: the base of each code and its extra bits.
constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, kDistanceCodes> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, kDistanceCodes> kDistanceExtra{
    0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A canonical Huffman code: how many codes each length has, and the symbols
// in the order of their codes.
struct HuffmanCode {
    std::array<std::uint16_t, kLongestCode + 1> count{};
    std::array<std::uint16_t, kFixedLengthCodes> symbol{};

    // 0 for a complete code, more for an incomplete one, less than 0 for
    // lengths that ask for more codes than there are.
    int Build(const std::uint8_t* lengths, int symbols) {
        count.fill(0);
        for (int s = 0; s < symbols; ++s)
            ++count[lengths[s]];
        if (count[0] == symbols)
            return 0; // no codes: any use of it fails
        int left = 1;
        for (int length = 1; length <= kLongestCode; ++length) {
            left = (left << 1) - count[length];
            if (left < 0)
                return left;
        }
        std::array<std::uint16_t, kLongestCode + 1> next{};
        for (int length = 1; length < kLongestCode; ++length)
            next[length + 1] = next[length] + count[length];
        for (int s = 0; s < symbols; ++s)
            if (lengths[s] != 0)
                symbol[next[lengths[s]]++] = static_cast<std::uint16_t>(s);
        return left;
    }
};

class Unpacker {
public:
    Unpacker(std::string_view packed, std::size_t size) : in_(packed), size_(size) {
        // A damaged size must not reserve more than the data could make.
        out_.reserve(std::min<std::size_t>(size, 1u << 20));
    }

    std::optional<std::string> Run() {
        bool last = false;
        while (!last && ok_) {
            last = Bits(1) == 1;
            switch (Bits(2)) {
            case 0:
                Stored();
                break;
            case 1:
                Fixed();
                break;
            case 2:
                Dynamic();
                break;
            default:
                ok_ = false;
            }
        }
        // Whole, of the promised size, and nothing after the last block.
        if (!ok_ || out_.size() != size_ || pos_ != in_.size())
            return std::nullopt;
        return std::move(out_);
    }

private:
    unsigned Bits(int wanted) {
        std::uint32_t value = buffer_;
        while (held_ < wanted) {
            if (pos_ == in_.size()) {
                ok_ = false;
                return 0;
            }
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in_[pos_++])) << held_;
            held_ += 8;
        }
        buffer_ = value >> wanted;
        held_ -= wanted;
        return value & ((1u << wanted) - 1);
    }

    // The next symbol of `code`, or -1.
    int Decode(const HuffmanCode& code) {
        int bits = 0, first = 0, index = 0;
        for (int length = 1; length <= kLongestCode && ok_; ++length) {
            bits |= static_cast<int>(Bits(1));
            const int count = code.count[length];
            if (bits - count < first)
                return code.symbol[index + (bits - first)];
            index += count;
            first = (first + count) << 1;
            bits <<= 1;
        }
        ok_ = false;
        return -1;
    }

    void Stored() {
        buffer_ = 0; // the block starts at the next byte
        held_ = 0;
        if (in_.size() - pos_ < 4) {
            ok_ = false;
            return;
        }
        const auto byte = [this](std::size_t at) { return static_cast<unsigned char>(in_[at]); };
        const unsigned length = byte(pos_) | byte(pos_ + 1) << 8;
        const unsigned complement = byte(pos_ + 2) | byte(pos_ + 3) << 8;
        pos_ += 4;
        if (length != (~complement & 0xFFFFu) || in_.size() - pos_ < length ||
            size_ - out_.size() < length) {
            ok_ = false;
            return;
        }
        out_.append(in_.substr(pos_, length));
        pos_ += length;
    }

    void Fixed() {
        std::array<std::uint8_t, kFixedLengthCodes> lengths{};
        std::fill(lengths.begin(), lengths.begin() + 144, 8);
        std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
        std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
        std::fill(lengths.begin() + 280, lengths.end(), 8);
        HuffmanCode literals, distances;
        literals.Build(lengths.data(), kFixedLengthCodes);
        lengths.fill(5);
        distances.Build(lengths.data(), kDistanceCodes);
        Codes(literals, distances);
    }

    void Dynamic() {
        const int literalCount = static_cast<int>(Bits(5)) + 257;
        const int distanceCount = static_cast<int>(Bits(5)) + 1;
        const int lengthCodeCount = static_cast<int>(Bits(4)) + 4;
        if (!ok_ || literalCount > kLengthCodes || distanceCount > kDistanceCodes) {
            ok_ = false;
            return;
        }
        static constexpr std::array<std::uint8_t, 19> kOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                             11, 4,  12, 3, 13, 2, 14, 1, 15};
        std::array<std::uint8_t, kLengthCodes + kDistanceCodes> lengths{};
        for (int i = 0; i < lengthCodeCount; ++i)
            lengths[kOrder[i]] = static_cast<std::uint8_t>(Bits(3));
        HuffmanCode lengthCode;
        if (!ok_ || lengthCode.Build(lengths.data(), 19) != 0) {
            ok_ = false;
            return;
        }
        lengths.fill(0);
        const int total = literalCount + distanceCount;
        for (int index = 0; index < total && ok_;) {
            const int symbol = Decode(lengthCode);
            if (symbol < 16) {
                if (symbol >= 0)
                    lengths[index++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (index == 0) {
                    ok_ = false;
                    break;
                }
                repeated = lengths[index - 1];
                times = 3 + static_cast<int>(Bits(2));
            } else {
                times =
                    symbol == 17 ? 3 + static_cast<int>(Bits(3)) : 11 + static_cast<int>(Bits(7));
            }
            if (index + times > total) {
                ok_ = false;
                break;
            }
            std::fill_n(lengths.begin() + index, times, repeated);
            index += times;
        }
        if (!ok_ || lengths[256] == 0) { // no end of block
            ok_ = false;
            return;
        }
        HuffmanCode literals, distances;
        // An incomplete code is allowed only as the one code of length 1.
        const int literalsLeft = literals.Build(lengths.data(), literalCount);
        const int distancesLeft = distances.Build(lengths.data() + literalCount, distanceCount);
        if (literalsLeft < 0 ||
            (literalsLeft > 0 && literalCount != literals.count[0] + literals.count[1]) ||
            distancesLeft < 0 ||
            (distancesLeft > 0 && distanceCount != distances.count[0] + distances.count[1])) {
            ok_ = false;
            return;
        }
        Codes(literals, distances);
    }

    void Codes(const HuffmanCode& literals, const HuffmanCode& distances) {
        while (ok_) {
            int symbol = Decode(literals);
            if (symbol < 0 || symbol == 256)
                return;
            if (symbol < 256) {
                if (out_.size() == size_) {
                    ok_ = false;
                    return;
                }
                out_.push_back(static_cast<char>(symbol));
                continue;
            }
            symbol -= 257;
            if (symbol >= static_cast<int>(kLengthBase.size())) {
                ok_ = false;
                return;
            }
            const std::size_t length = kLengthBase[symbol] + Bits(kLengthExtra[symbol]);
            const int distanceSymbol = Decode(distances);
            if (distanceSymbol < 0 || distanceSymbol >= kDistanceCodes) {
                ok_ = false;
                return;
            }
            const std::size_t distance =
                kDistanceBase[distanceSymbol] + Bits(kDistanceExtra[distanceSymbol]);
            if (!ok_ || distance > out_.size() || size_ - out_.size() < length) {
                ok_ = false;
                return;
            }
            // The copy may overlap what it makes: byte by byte.
            for (std::size_t i = 0; i < length; ++i)
                out_.push_back(out_[out_.size() - distance]);
        }
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::uint32_t buffer_ = 0;
    int held_ = 0;
    std::size_t size_;
    std::string out_;
    bool ok_ = true;
};

} // namespace

std::optional<std::string> Inflate(std::string_view packed, std::size_t size) {
    return Unpacker(packed, size).Run();
}

} // namespace stilvane
