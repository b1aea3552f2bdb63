#include "framework/system/ini_file.h"

#include "framework/portable/text.h"

#include <windows.h>

namespace stilvane {

std::vector<std::string> IniFile::SectionNames(std::size_t bufferSize) const {
    std::vector<char> buffer(bufferSize + 2, '\0');
    const DWORD length = ::GetPrivateProfileSectionNamesA(
        buffer.data(), static_cast<DWORD>(bufferSize), path_.c_str());
    return SplitNulList(buffer.data(), length);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                std::size_t bufferSize) const {
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                    static_cast<DWORD>(bufferSize), path_.c_str());
    return std::string(buffer.data(), length);
}

void IniFile::ReleaseCache() const {
    // The documented flush: the file's name and nothing else. It writes
    // nothing, as nothing was changed.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str());
}

} // namespace stilvane
