// The sites popups were blocked on, kept in the controller's own key beside
// the count: the recent list and the counts per day, each a REG_SZ value in
// the form blocked_sites.h gives. Reset count (ControllerState) removes both.
#pragma once

#include "settings/records/blocked_sites.h"

#include <windows.h>

#include <string>

namespace stilvane {

class BlockedSitesStore {
public:
    BlockedSitesStore(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    HKEY Root() const { return root_; }
    const std::string& Path() const { return path_; }

    // The records as stored. Never raises: a value that is missing,
    // unreadable, of another kind or longer than any record reads as none,
    // and of a damaged one the sound lines are kept; the next block writes
    // them anew.
    BlockedSites Read() const;

    // One more block on `site` on `today`, stored in at most two writes: the
    // counts, and the recent list unless the site already heads it. `sites`
    // changes only as far as it is stored; raises ERegistryException "Fehler
    // beim Setzen der Daten" for a value that cannot be written.
    void Record(BlockedSites& sites, const std::string& site, const std::string& today) const;

private:
    HKEY root_;
    std::string path_;
};

} // namespace stilvane
