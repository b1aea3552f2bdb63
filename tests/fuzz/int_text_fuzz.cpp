// The integer text conversion: never crashes, agrees with its raising form,
// and reads back every number it writes.
#include "framework/portable/errors.h"
#include "framework/portable/int_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = stilvane::TryStrToInt(text);
    bool raised = false;
    try {
        if (stilvane::StrToInt(text) != value)
            std::abort();
    } catch (const stilvane::EConvertError&) {
        raised = true;
    }
    if (raised == value.has_value())
        std::abort();
    if (value) {
        const std::string written = std::to_string(*value);
        if (stilvane::TryStrToInt(written) != value)
            std::abort();
    }
    return 0;
}
