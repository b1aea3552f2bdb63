#include "framework/gui/clipboard.h"

#include <cstring>

namespace stilvane {

namespace {

// The clipboard stays open for one read or write, and is closed on every way
// out. Another program may hold it for a moment: try a few times.
class OpenClipboard {
public:
    explicit OpenClipboard(HWND owner) {
        for (int attempt = 0; attempt < 5 && !open_; ++attempt) {
            open_ = ::OpenClipboard(owner) != FALSE;
            if (!open_)
                ::Sleep(20);
        }
    }
    ~OpenClipboard() {
        if (open_)
            ::CloseClipboard();
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~LockedMemory() {
        if (data_)
            ::GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    void* Data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

} // namespace

std::optional<std::wstring> ReadClipboardText(HWND owner) {
    const OpenClipboard clipboard(owner);
    if (!clipboard)
        return std::nullopt;
    const HANDLE memory = ::GetClipboardData(CF_UNICODETEXT);
    if (!memory)
        return std::nullopt;
    const LockedMemory locked(memory);
    if (!locked.Data())
        return std::nullopt;
    // Another program wrote it: trust its size, not a terminating NUL.
    const auto* text = static_cast<const wchar_t*>(locked.Data());
    const std::size_t capacity = ::GlobalSize(memory) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0')
        ++length;
    return std::wstring(text, length);
}

bool WriteClipboardText(HWND owner, const std::wstring& text) {
    const OpenClipboard clipboard(owner);
    if (!clipboard)
        return false;
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return false;
    {
        const LockedMemory locked(memory);
        if (!locked.Data()) {
            ::GlobalFree(memory);
            return false;
        }
        std::memcpy(locked.Data(), text.c_str(), size);
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) {
        ::GlobalFree(memory);
        return false;
    }
    return true; // the clipboard owns the memory now
}

} // namespace stilvane
