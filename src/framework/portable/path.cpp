#include "framework/portable/path.h"

namespace stilvane {

namespace {

template <typename Text> Text DirectoryOf(const Text& path) {
    // The last character is dropped before the search, so a path that ends
    // in a backslash still loses its last component.
    if (path.size() < 2)
        return {};
    const std::size_t slash = path.rfind('\\', path.size() - 2);
    return slash == Text::npos ? Text() : path.substr(0, slash);
}

} // namespace

std::string DirectoryOfPath(const std::string& path) {
    return DirectoryOf(path);
}

std::wstring DirectoryOfPath(const std::wstring& path) {
    return DirectoryOf(path);
}

std::string FileInDirectory(const std::string& directory, const std::string& name) {
    return directory + "\\" + name;
}

} // namespace stilvane
