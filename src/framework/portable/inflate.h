// Unpacking of raw deflate data (RFC 1951), as the program's own copy of its
// language texts is packed: small and strict, for data that should be
// whole but is read as untrusted all the same.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// The bytes `packed` unpacks to, which must be exactly `size` bytes ending
// with the last block; nullopt for data that is damaged, cut short, or
// unpacks to any other size.
std::optional<std::string> Inflate(std::string_view packed, std::size_t size);

} // namespace stilvane
