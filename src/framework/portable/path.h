// Paths as the program forms them: the directory of a file and a file in a
// directory, on backslash-separated ANSI paths. Kept free of Windows headers
// so that it is tested natively too.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace stilvane {

// The directory part of a full executable path without its trailing
// backslash: "C:\Programme\Blocker\app.exe" gives "C:\Programme\Blocker",
// "C:\app.exe" gives "C:". A path without a backslash gives empty text.
// ANSI paths only in single-byte code pages: in a double-byte one a
// character's second byte can be a backslash, so such paths are split as
// Unicode text.
std::string DirectoryOfPath(const std::string& path);
std::wstring DirectoryOfPath(const std::wstring& path);

// directory + "\" + name: how every program file is addressed.
std::string FileInDirectory(const std::string& directory, const std::string& name);

// Fetches a text from a call that fills a buffer of a given size and returns
// the number of characters written (the size itself when the text was cut,
// 0 on failure), growing the buffer until the whole text fits. For 8-bit or
// wide text.
template <typename Char = char>
std::basic_string<Char>
ReadWholeText(std::size_t initialSize,
              const std::type_identity_t<std::function<std::size_t(Char*, std::size_t)>>& fill) {
    // Paths on Windows are limited to 32767 characters; stop growing past that.
    constexpr std::size_t kLargest = 65536;
    for (std::size_t size = initialSize; size > 0 && size <= kLargest; size *= 2) {
        std::vector<Char> buffer(size, Char{});
        const std::size_t length = fill(buffer.data(), size);
        if (length < size)
            return std::basic_string<Char>(buffer.data(), length);
    }
    return {};
}

} // namespace stilvane
