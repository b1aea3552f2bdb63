#include "framework/file_io.h"

#include "framework/errors.h"
#include "framework/path.h"
#include "framework/unique_handle.h"

#include <windows.h>

namespace stilvane {

namespace {

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

// Deletes the temporary file unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_)
            ::DeleteFileA(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    bool kept_ = false;
};

} // namespace

std::string ReadWholeFile(const std::string& path, IfMissing ifMissing) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (ifMissing == IfMissing::ReadEmpty && ::GetLastError() == ERROR_FILE_NOT_FOUND)
            return {};
        throw EFOpenError(messages::FileOpenFailed(path));
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr))
            throw EFOpenError(messages::FileOpenFailed(path));
        if (read == 0)
            break;
        content.append(buffer, read);
    }
    return content;
}

void ReplaceFileContent(const std::string& path, const std::string& content) {
    // A read-only file is not replaced, whatever rights the user has.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw EFCreateError(messages::FileCreateFailed(path));
    char temporaryName[MAX_PATH + 1] = {};
    const std::string directory = DirectoryOfPath(path);
    if (!::GetTempFileNameA(directory.empty() ? "." : directory.c_str(), "exp", 0, temporaryName))
        throw EFCreateError(messages::FileCreateFailed(path));
    TemporaryFile temporary(temporaryName);
    {
        UniqueFile file(::CreateFileA(temporary.Path().c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            throw EFCreateError(messages::FileCreateFailed(path));
        DWORD written = 0;
        if (!content.empty() &&
            (!::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written,
                          nullptr) ||
             written != content.size()))
            throw EWriteError(messages::StreamWriteError());
        if (!::FlushFileBuffers(file.Get()))
            throw EWriteError(messages::StreamWriteError());
    }
    if (!::MoveFileExA(temporary.Path().c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw EFCreateError(messages::FileCreateFailed(path));
    temporary.Keep();
}

} // namespace stilvane
