#include "ui/exceptions_store.h"

#include "framework/ansi_text.h"
#include "framework/files.h"
#include "ui/exceptions_file.h"

namespace stilvane {

StoredExceptions LoadExceptions(const std::string& path, IfMissing ifMissing) {
    StoredExceptions stored;
    stored.bytes = ReadWholeFile(path, ifMissing);
    stored.exists = !stored.bytes.empty() || FileExists(path);
    for (AnsiLine& line : FileLinesToAnsi(stored.bytes, kExceptionLineBreaks)) {
        if (line.lossy)
            stored.unstorable.push_back(line.text);
        stored.entries.push_back(std::move(line.text));
    }
    return stored;
}

void SaveExceptions(const std::string& path, const std::vector<std::string>& entries) {
    ReplaceFileContent(path, FormatExceptions(entries));
}

} // namespace stilvane
