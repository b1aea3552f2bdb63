#include "framework/path.h"

#include <vector>

namespace stilvane {

std::string DirectoryOfPath(const std::string& path) {
    // The last character is dropped before the search, so a path that ends
    // in a backslash still loses its last component.
    if (path.size() < 2)
        return {};
    const std::size_t slash = path.rfind('\\', path.size() - 2);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileInDirectory(const std::string& directory, const std::string& name) {
    return directory + "\\" + name;
}

std::string ReadWholeText(std::size_t initialSize,
                          const std::function<std::size_t(char*, std::size_t)>& fill) {
    // Paths on Windows are limited to 32767 characters; stop growing past that.
    constexpr std::size_t kLargest = 65536;
    for (std::size_t size = initialSize; size > 0 && size <= kLargest; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const std::size_t length = fill(buffer.data(), size);
        if (length < size)
            return std::string(buffer.data(), length);
    }
    return {};
}

} // namespace stilvane
