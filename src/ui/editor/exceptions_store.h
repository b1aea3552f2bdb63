// Reading and writing popup-exp.ini on disk, for the editor and for whatever
// else loads or saves a list of exceptions.
#pragma once

#include "framework/system/ansi_text.h"
#include "framework/system/file_io.h"

#include <string>
#include <vector>

namespace stilvane {

struct StoredExceptions {
    bool exists = false;
    std::string bytes; // the file as it is on disk
    // Its lines in the ANSI code page, lossy where characters were lost;
    // blank lines are no entries and left out.
    std::vector<AnsiLine> lines;
    // Reading it had to guess (ReadByGuess): saving over it asks first and
    // keeps it beside.
    bool guessed = false;

    std::vector<std::string> Entries() const;
};

// Reads the whole file before anything else changes. A file that does not
// exist reads as an empty list unless `ifMissing` says Raise; one that cannot
// be read raises EFOpenError.
StoredExceptions LoadExceptions(const std::string& path,
                                IfMissing ifMissing = IfMissing::ReadEmpty);

// Replaces the file with one line per entry, in one step: on any failure
// the old file stays as it was.
void SaveExceptions(const std::wstring& path, const std::vector<std::string>& entries);
void SaveExceptions(const std::string& path, const std::vector<std::string>& entries);

} // namespace stilvane
