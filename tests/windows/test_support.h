// Helpers for the tests that run under Wine against the real registry and
// file system.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stilvane::testing {

// A registry key of its own under HKCU\Software\QuillaneTest, removed with
// everything below it at the end of the test. Never the blocker's key.
class ScratchKey {
public:
    ScratchKey();
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& Path() const { return path_; }
    // Stores raw data of any type directly, as another program would.
    void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) const;
    void SetString(const std::string& name, const std::string& text, DWORD type = REG_SZ) const;
    void SetDword(const std::string& name, DWORD value) const;
    // Type of a value, or REG_NONE with `exists` false.
    bool Exists(const std::string& name, DWORD* type = nullptr) const;
    bool KeyExists() const;

private:
    std::string path_;
};

// A directory of its own in the temporary folder, removed at the end.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

// While it lives, answers every message box of this process with `answer`
// (IDOK, IDYES, IDNO, IDCANCEL), as a user would, and keeps their texts.
// `whileOpen`, when given, runs on the answerer's own thread while a box is
// open, before it is answered: the world goes on meanwhile.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer = IDOK, std::function<void()> whileOpen = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<std::string> Texts() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

void DeleteTree(HKEY root, const std::string& path);

// A thread of the test's own that runs `run` and is waited for when it goes.
class TestThread {
public:
    explicit TestThread(std::function<void()> run);
    ~TestThread() { Join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;
    void Join();

private:
    std::function<void()> run_;
    HANDLE thread_;
};

} // namespace stilvane::testing
