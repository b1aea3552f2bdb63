// The controller's own state, under a key of its own below the blocker's:
// the end of a running pause and the count of blocked popups with its
// history and the sites they were blocked on (blocked_sites_store). The
// blocker never reads it; the uninstaller removes it.
#pragma once

#include "settings/records/block_count.h"
#include "settings/records/block_history.h"

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace stilvane {

constexpr char kOwnKeyName[] = "Stilvane";
constexpr char kValuePauseEnds[] = "PauseEnds";
constexpr char kValueBlockedToday[] = "BlockedToday";
constexpr char kValueBlockedTotal[] = "BlockedTotal";
constexpr char kValueBlockedDay[] = "BlockedDay";
constexpr char kValueBlockedHistory[] = "BlockedHistory";
constexpr char kValueBlockedSites[] = "BlockedSites";
constexpr char kValueBlockedSiteCounts[] = "BlockedSiteCounts";

class ControllerState {
public:
    ControllerState(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; }

    // The pause record's text; nullopt when there is none. A record that is
    // no string, or cannot be read at all, gives empty text: it is there but
    // unreadable.
    std::optional<std::string> ReadPauseRecord() const;
    // Raises ERegistryException "Fehler beim Setzen der Daten".
    void WritePauseRecord(const std::string& text) const;
    void RemovePauseRecord() const;

    // The count as stored; a value missing or of the wrong kind or size
    // counts from 0 (the day: none), and the next write sets it right.
    BlockCount ReadCount() const;
    // Raises ERegistryException "Fehler beim Setzen der Daten".
    void WriteCount(const BlockCount& count) const;

    // The days before today as stored; nullopt when there is no history or
    // it cannot be read (it is written anew then).
    std::optional<BlockHistory> ReadHistory() const;
    // Raises ERegistryException "Fehler beim Setzen der Daten".
    void WriteHistory(const BlockHistory& history) const;
    // Today's count, the count of all, the history and the sites go; raises
    // ERegistryException when a value stays.
    void ResetCount() const;
    // The sites alone go, as when the organization turns their recording
    // off; raises ERegistryException when a value stays.
    void ForgetSites() const;
    // A switch of the controller's own: true only for a four-byte REG_DWORD
    // of 1; missing, unreadable or of another form, it is off.
    bool ReadSwitch(const char* name) const;
    // Raises ERegistryException "Fehler beim Setzen der Daten".
    void WriteSwitch(const char* name, bool on) const;

private:
    void DeleteValues(std::initializer_list<const char*> names) const;

    HKEY root_;
    std::string path_;
};

} // namespace stilvane
