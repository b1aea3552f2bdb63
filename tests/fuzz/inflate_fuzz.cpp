// The unpacker over any bytes: the first two give the promised size, the
// rest is the packed data. It never reads or writes outside its buffers
// (ASan), and what it returns has the promised size.
#include "framework/portable/inflate.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t promised = data[0] | data[1] << 8;
    const auto unpacked = stilvane::Inflate(
        std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), promised);
    if (unpacked && unpacked->size() != promised)
        std::abort();
    return 0;
}
