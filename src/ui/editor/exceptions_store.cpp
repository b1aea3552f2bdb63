#include "ui/editor/exceptions_store.h"

#include "framework/portable/text_encoding.h"
#include "framework/system/files.h"
#include "ui/editor/exceptions_file.h"

namespace stilvane {

std::vector<std::string> StoredExceptions::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(lines.size());
    for (const AnsiLine& line : lines)
        entries.push_back(line.text);
    return entries;
}

StoredExceptions LoadExceptions(const std::string& path, IfMissing ifMissing) {
    StoredExceptions stored;
    stored.bytes = ReadWholeFile(path, ifMissing);
    stored.exists = !stored.bytes.empty() || FileExists(path);
    stored.lines = FileLinesToAnsi(stored.bytes, kExceptionLineBreaks);
    std::erase_if(stored.lines, [](const AnsiLine& line) { return IsBlankLine(line.text); });
    stored.guessed = ReadByGuess(stored.bytes);
    return stored;
}

void SaveExceptions(const std::wstring& path, const std::vector<std::string>& entries) {
    ReplaceFileContent(path, FormatExceptions(entries));
}

void SaveExceptions(const std::string& path, const std::vector<std::string>& entries) {
    ReplaceFileContent(path, FormatExceptions(entries));
}

} // namespace stilvane
