#include "framework/program_resource.h"

#include <windows.h>

// Windows' own decompression (ntdll), which the SDK headers do not declare.
extern "C" __declspec(dllimport) LONG WINAPI
    RtlDecompressBuffer(USHORT format, unsigned char* unpacked, ULONG unpackedSize,
                        unsigned char* packed, ULONG packedSize, ULONG* finalSize);

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
    const ULONG size =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<ULONG>(bytes[3]) << 24;
    // More than the packed data could ever unpack to is a damaged resource.
    if (size > packed.size() * 9)
        return {};
    std::string unpacked(size, '\0');
    ULONG unpackedSize = 0;
    const LONG status = ::RtlDecompressBuffer(COMPRESSION_FORMAT_LZNT1,
                                              reinterpret_cast<unsigned char*>(unpacked.data()),
                                              size, const_cast<unsigned char*>(bytes + 4),
                                              static_cast<ULONG>(packed.size() - 4), &unpackedSize);
    if (status != 0 || unpackedSize != size)
        return {};
    return unpacked;
}

} // namespace stilvane
