// What the editor's Ok writes over popup-exp.ini, and what it must ask first.
#pragma once

#include "framework/gui/list_box.h"
#include "ui/editor/exceptions_store.h"

#include <cstddef>
#include <string>
#include <vector>

namespace stilvane {

struct SavePlan {
    std::vector<std::string> entries; // the list to write
    bool merged = false;              // with changes made in the file meanwhile
    bool completed = false;           // managed entries removed meanwhile put back
    // Entries that lose characters on the way into the file, and whether the
    // file was read by guess: both are asked about first, and then the file
    // as it is (`backup`) is kept beside.
    std::size_t unstorable = 0;
    bool guessed = false;
    std::string backup;
    bool Asks() const { return unstorable > 0 || guessed; }
};

// `now`: the file as it is; `loaded`: as the editor last loaded or saved it,
// `loadedBytes` its bytes then; `items`: the list as edited (lossy entries
// marked kLossyEntry); `managed`: the entries the organization manages.
SavePlan PlanSave(const StoredExceptions& now, const std::vector<std::string>& loaded,
                  const std::string& loadedBytes, const std::vector<ListItem>& items,
                  const std::vector<std::string>& managed);

} // namespace stilvane
