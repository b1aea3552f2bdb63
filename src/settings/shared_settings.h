// The values the controller shares with the external popup blocker, and what
// the controller does with each of them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace stilvane {

constexpr char kSettingsKey[] = "Software\\Quillane";
constexpr char kValueBlocking[] = "PopupBlocker";
constexpr char kValueSound[] = "PopupBlocker_Sound";
constexpr char kValueDirectory[] = "PopupBlocker_Dir";
constexpr char kValueBlockTime[] = "PopupBlocker_BlockTime";
constexpr char kValueBlockAddress[] = "PopupBlocker_BlockURL";

// How long an address may wait for the signal that follows it: one that
// was there, unchanged, at a look this long before the signal belongs to an
// earlier block that never signalled.
constexpr std::uint32_t kAddressWaitMilliseconds = 5000;

// A block the blocker signalled, with the site of the address it may have
// written before the signal.
struct BlockSignal {
    bool blocked = false;
    std::string site; // empty: no address, or one that names no site
    // The system's reason when the signal could not be deleted, 0 when it
    // was; and what it held (its kind, size and bytes), to know it again.
    unsigned long undeleted = 0;
    std::string stored;
};

class SharedSettings {
public:
    // The blocker's key; tests pass a key of their own.
    explicit SharedSettings(HKEY root = HKEY_CURRENT_USER, std::string path = kSettingsKey)
        : root_(root), path_(std::move(path)) {}

    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; }

    // Tells the blocker where popup-exp.ini lies.
    void PublishProgramDirectory(const std::string& directory) const;

    // Blocking is on exactly when the value is "1".
    bool ReadBlocking() const;
    // Whether the value is exactly the "0" the program writes to switch
    // blocking off, not something another program put there.
    bool BlockingStoredAsOff() const;
    void WriteBlocking(bool on) const;

    // Sound is off exactly when the value is "0".
    bool ReadSound() const;
    // ReadSound, and the value written back as "1" or "0".
    bool NormaliseSound() const;
    void WriteSound(bool on) const;
    // Whether the value is exactly the "1" or "0" the program writes for `on`.
    bool SoundStoredAs(bool on) const;

    // Whether the folder value is there: someone may have deleted the whole
    // key while the program runs.
    bool ProgramDirectoryPublished() const;
    // Whether the key is there (a cleanup tool may have deleted it).
    bool KeyExists() const;

    // Whether the blocker signalled a block since the last look; a signal is
    // deleted when found. Every value but a number 0 (a REG_DWORD, REG_QWORD,
    // REG_DWORD_BIG_ENDIAN or short REG_BINARY of zeros, a string reading as
    // 0) counts as a signal (the blocker writes the value only when it
    // blocked something), whatever its kind, and is deleted, so it cannot
    // stop the polling.
    bool TakeBlockSignal() { return TakeBlock().blocked; }
    // TakeBlockSignal, with the address taken together with the signal: its
    // site (blocked_site.h: a REG_SZ read as Unicode up to its first NUL, at
    // most kLongestAddress characters), and the value deleted with the
    // signal whatever it holds. An address without a signal is left for the
    // signal that follows it, for kAddressWaitMilliseconds by `milliseconds`
    // (a tick count): one older than that at the signal names no site. No
    // address costs no write.
    BlockSignal TakeBlock(std::uint32_t milliseconds = 0);

private:
    std::string Read(const char* name) const;
    void Write(const char* name, bool on) const;

    HKEY root_;
    std::string path_;
    // The address as found at the last look without a signal, and since when.
    std::optional<std::wstring> waitingAddress_;
    std::uint32_t waitingSince_ = 0;
};

} // namespace stilvane
