#include "framework/system/file_io.h"

#include "framework/portable/errors.h"
#include "framework/system/ansi_text.h"
#include "framework/system/unique_handle.h"

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
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!kept_)
            ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& Path() const { return path_; }
    void Keep() { kept_ = true; }

private:
    std::wstring path_;
    bool kept_ = false;
};

// The path as messages show it.
std::string Shown(const std::wstring& path) {
    return WideToAnsi(path);
}

[[noreturn]] void RaiseOpenFailed(const std::wstring& path) {
    const DWORD code = ::GetLastError();
    throw EFOpenError(MessageKind::FileOpen, Shown(path), code);
}

[[noreturn]] void RaiseCreateFailed(const std::wstring& path, DWORD code = ::GetLastError()) {
    throw EFCreateError(MessageKind::FileCreate, Shown(path), code);
}

[[noreturn]] void RaiseWriteFailed(const std::wstring& path, DWORD code = ::GetLastError()) {
    throw EWriteError(MessageKind::FileWrite, Shown(path), code);
}

} // namespace

std::string ReadWholeFile(const std::wstring& path, IfMissing ifMissing) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        if (ifMissing == IfMissing::ReadEmpty && ::GetLastError() == ERROR_FILE_NOT_FOUND)
            return {};
        RaiseOpenFailed(path);
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr))
            RaiseOpenFailed(path);
        if (read == 0)
            break;
        content.append(buffer, read);
    }
    return content;
}

std::string ReadWholeFile(const std::string& path, IfMissing ifMissing) {
    return ReadWholeFile(AnsiToWide(path), ifMissing);
}

void ReplaceFileContent(const std::wstring& path, const std::string& content) {
    // A read-only file is not replaced, whatever rights the user has.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseCreateFailed(path, ERROR_ACCESS_DENIED);
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring directory = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temporaryName[MAX_PATH + 1] = {};
    if (!::GetTempFileNameW(directory.c_str(), L"exp", 0, temporaryName))
        RaiseCreateFailed(path);
    TemporaryFile temporary(temporaryName);
    {
        UniqueFile file(::CreateFileW(temporary.Path().c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            RaiseCreateFailed(path);
        DWORD written = 0;
        if (!content.empty() && !::WriteFile(file.Get(), content.data(),
                                             static_cast<DWORD>(content.size()), &written, nullptr))
            RaiseWriteFailed(path);
        // Written short without a failure: the disk is full.
        if (written != content.size())
            RaiseWriteFailed(path, ERROR_DISK_FULL);
        if (!::FlushFileBuffers(file.Get()))
            RaiseWriteFailed(path);
    }
    if (!::MoveFileExW(temporary.Path().c_str(), path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseCreateFailed(path);
    temporary.Keep();
}

void ReplaceFileContent(const std::string& path, const std::string& content) {
    ReplaceFileContent(AnsiToWide(path), content);
}

} // namespace stilvane
