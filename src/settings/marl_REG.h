// Reading, writing and deleting settings values in the registry. Callers deal
// in text (and, for the block signal, an integer) whatever type a value was
// stored with. Every call opens and closes its own key; nothing is cached.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace stilvane {

// Text of a value: REG_SZ / REG_EXPAND_SZ up to the first NUL (not expanded),
// REG_DWORD as signed decimal, REG_BINARY under 2048 bytes as one character
// per byte; empty for a missing key or value and for any other type.
std::string ReadRegString(HKEY root, const std::string& path, const std::string& name);

// Stores text as REG_SZ, creating the key when needed. The value is replaced
// in place, so it is never absent for a reader in another process.
// Raises ERegistryException "Fehler beim Setzen der Daten".
void WriteRegString(HKEY root, const std::string& path, const std::string& name,
                    const std::string& text);

// Number of a value: REG_DWORD as stored; strings by the integer text
// conversion (EConvertError when not a number); REG_BINARY of up to 4 bytes
// little-endian (longer: ERegistryException "Ungültiger Datentyp"); 0 for a
// missing key or value and for any other type.
std::int32_t ReadRegInteger(HKEY root, const std::string& path, const std::string& name);

// Deletes a value; a missing key or value is no error.
void DeleteRegValue(HKEY root, const std::string& path, const std::string& name);

} // namespace stilvane
