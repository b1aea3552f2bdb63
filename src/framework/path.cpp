#include "framework/path.h"

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

} // namespace stilvane
