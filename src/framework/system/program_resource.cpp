#include "framework/system/program_resource.h"

#include "framework/portable/inflate.h"

#include <windows.h>

namespace stilvane {

std::string_view ProgramData(const char* name) {
    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC found = ::FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!found)
        return {};
    // Resources stay mapped for the life of the process.
    const HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const char*>(data), ::SizeofResource(module, found)};
}

std::string UnpackedProgramData(const char* name) {
    const std::string_view packed = ProgramData(name);
    if (packed.size() < 4)
        return {};
    const auto* bytes = reinterpret_cast<const unsigned char*>(packed.data());
    const std::size_t size =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::size_t>(bytes[3]) << 24;
    return Inflate(packed.substr(4), size).value_or(std::string());
}

} // namespace stilvane
