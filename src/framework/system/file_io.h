// Whole-file reading and safe replacement. Paths come as Unicode text, so
// that any name the file system holds can be read and written; ANSI paths
// (the program's own files) are converted by the system's code page.
#pragma once

#include <string>

namespace stilvane {

enum class IfMissing { Raise, ReadEmpty };

// The file's bytes. Raises EFOpenError "Datei ... kann nicht geöffnet werden",
// with the system's error code, when it cannot be read; with ReadEmpty a file
// that does not exist reads as empty text, while a directory of that name, a
// missing folder or an unreadable file still raise.
std::string ReadWholeFile(const std::wstring& path, IfMissing ifMissing = IfMissing::Raise);
std::string ReadWholeFile(const std::string& path, IfMissing ifMissing = IfMissing::Raise);

// Replaces the file's content in one step: the bytes go to a temporary file
// in the same directory, which then takes the file's place. On any failure
// the old file stays exactly as it was and no temporary file is left:
// EFCreateError "Datei ... kann nicht erstellt werden" when the file cannot
// be written or replaced, EWriteError "Stream-Schreibfehler" on a short
// write; both carry the system's error code.
void ReplaceFileContent(const std::wstring& path, const std::string& content);
void ReplaceFileContent(const std::string& path, const std::string& content);

} // namespace stilvane
