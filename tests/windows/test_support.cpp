#include "test_support.h"

#include "framework/system/unique_handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace stilvane::testing {

namespace {
std::string UniqueName() {
    static std::atomic<int> counter{0};
    return std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount()) + "-" +
           std::to_string(++counter);
}

void RemoveDirectoryTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = path + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryTree(full);
            else
                ::DeleteFileA(full.c_str());
        } while (::FindNextFileA(find, &entry));
        ::FindClose(find);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}
} // namespace

void DeleteTree(HKEY root, const std::string& path) {
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        std::vector<std::string> children;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (::RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            children.emplace_back(name, size);
        }
        ::RegCloseKey(key);
        for (const auto& child : children)
            DeleteTree(root, path + "\\" + child);
    }
    ::RegDeleteKeyA(root, path.c_str());
}

ScratchKey::ScratchKey() : path_("Software\\QuillaneTest\\" + UniqueName()) {}

ScratchKey::~ScratchKey() {
    DeleteTree(HKEY_CURRENT_USER, path_);
}

void ScratchKey::SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) const {
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
}

void ScratchKey::SetString(const std::string& name, const std::string& text, DWORD type) const {
    SetRaw(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void ScratchKey::SetDword(const std::string& name, DWORD value) const {
    SetRaw(name, REG_DWORD, &value, sizeof value);
}

bool ScratchKey::Exists(const std::string& name, DWORD* type) const {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD t = REG_NONE;
    const bool found =
        ::RegQueryValueExA(key, name.c_str(), nullptr, &t, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    if (type)
        *type = t;
    return found;
}

bool ScratchKey::KeyExists() const {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

ScratchDirectory::ScratchDirectory() {
    char temp[MAX_PATH + 1];
    ::GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "stilvane-test-" + UniqueName();
    ::CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDirectory::~ScratchDirectory() {
    RemoveDirectoryTree(path_);
}

void ScratchDirectory::Write(const std::string& name, const std::string& bytes) const {
    HANDLE file = ::CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << File(name);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

struct MessageBoxAnswerer::State {
    UniqueKernelHandle stop{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle thread;
    mutable CRITICAL_SECTION lock;
    std::vector<std::string> texts;
    std::vector<HWND> answered;
    int answer = IDOK;
    std::function<void()> whileOpen;

    static BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
        auto& state = *reinterpret_cast<State*>(parameter);
        char className[16] = {};
        ::GetClassNameA(window, className, sizeof className);
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (std::string(className) != "#32770" || process != ::GetCurrentProcessId() ||
            !::IsWindowVisible(window))
            return TRUE;
        // A box answered but still closing (slowly, on a busy machine) is
        // the same box when it is seen again: answered again, counted once.
        if (std::find(state.answered.begin(), state.answered.end(), window) ==
            state.answered.end()) {
            state.answered.push_back(window);
            char text[4096] = {};
            ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
            ::EnterCriticalSection(&state.lock);
            state.texts.emplace_back(text);
            ::LeaveCriticalSection(&state.lock);
            if (state.whileOpen)
                state.whileOpen();
        }
        // A person reads it first; a box answered the moment it opens can
        // be left half closed under Wine.
        ::Sleep(200);
        ::PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(state.answer), 0);
        return TRUE;
    }

    static DWORD WINAPI Run(void* parameter) {
        auto& state = *static_cast<State*>(parameter);
        while (::WaitForSingleObject(state.stop.Get(), 100) == WAIT_TIMEOUT)
            ::EnumWindows(&Visit, reinterpret_cast<LPARAM>(&state));
        return 0;
    }
};

MessageBoxAnswerer::MessageBoxAnswerer(int answer, std::function<void()> whileOpen)
    : state_(std::make_unique<State>()) {
    ::InitializeCriticalSection(&state_->lock);
    state_->answer = answer;
    state_->whileOpen = std::move(whileOpen);
    state_->thread.Reset(::CreateThread(nullptr, 0, &State::Run, state_.get(), 0, nullptr));
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::SetEvent(state_->stop.Get());
    ::WaitForSingleObject(state_->thread.Get(), INFINITE);
    ::DeleteCriticalSection(&state_->lock);
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    ::EnterCriticalSection(&state_->lock);
    std::vector<std::string> texts = state_->texts;
    ::LeaveCriticalSection(&state_->lock);
    return texts;
}

namespace {
DWORD WINAPI RunTestThread(void* run) {
    (*static_cast<std::function<void()>*>(run))();
    return 0;
}
} // namespace

TestThread::TestThread(std::function<void()> run)
    : run_(std::move(run)), thread_(::CreateThread(nullptr, 0, &RunTestThread, &run_, 0, nullptr)) {
}

void TestThread::Join() {
    if (!thread_)
        return;
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    thread_ = nullptr;
}

} // namespace stilvane::testing
