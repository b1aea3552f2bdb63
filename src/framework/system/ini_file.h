// Read-only access to a Windows INI file through the platform's profile API,
// so that the file is read exactly as other Windows programs read it.
#pragma once

#include <string>
#include <vector>

namespace stilvane {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // All section names in file order; names past `bufferSize` bytes are lost.
    std::vector<std::string> SectionNames(std::size_t bufferSize = 16384) const;
    // The value text, or empty when the file, section or key is missing. At
    // most bufferSize - 1 characters arrive.
    std::string ReadString(const std::string& section, const std::string& key,
                           std::size_t bufferSize = 2048) const;
    // Lets the system drop the copy of the file it keeps after a read (the
    // most recent file, all its sections parsed) when nothing more is read.
    void ReleaseCache() const;

private:
    std::string path_;
};

} // namespace stilvane
