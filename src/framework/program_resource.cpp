#include "framework/program_resource.h"

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

} // namespace stilvane
