#include "framework/portable/errors.h"

#include <charconv>

namespace stilvane::messages {

namespace {
// The message texts are Windows-1252; "\xFC" is u-umlaut.
constexpr char kUe[] = "\xFC";

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}
} // namespace

std::string InvalidInteger(const std::string& text) {
    return Quoted(text) + " ist kein g" + kUe + "ltiger Integerwert";
}
std::string InvalidRegDataType(const std::string& valueName) {
    return std::string("Ung") + kUe + "ltiger Datentyp f" + kUe + "r " + Quoted(valueName);
}
const char* Pattern(MessageKind kind) {
    static constexpr const char* kPatterns[] = {
        "%1",
        "Datei %1 kann nicht ge\xF6"
        "ffnet werden",
        "Datei %1 kann nicht erstellt werden",
        "Stream-Schreibfehler",
        "Fehler beim Holen der Daten f\xFCr '%1'",
        "Fehler beim Setzen der Daten f\xFCr '%1'",
    };
    return kPatterns[static_cast<int>(kind)];
}
std::string StreamWriteError() {
    return Pattern(MessageKind::FileWrite);
}
std::string ThreadCreateFailed(const std::string& systemText) {
    return "Fehler beim Erzeugen des Thread: " + systemText;
}
std::string ThreadError(const std::string& systemText, int code) {
    return "Thread-Fehler: " + systemText + " (" + std::to_string(code) + ")";
}
std::string CheckSynchronizeWrongThread(unsigned long threadId) {
    char hex[16];
    const auto written = std::to_chars(hex, hex + sizeof hex, threadId, 16);
    return std::string("CheckSynchronize wurde vom Thread $") + std::string(hex, written.ptr) +
           " aufgerufen, der NICHT der Haupt-Thread ist.";
}

std::string SystemError(unsigned long code, const std::string& systemText) {
    return "Systemfehler. Code: " + std::to_string(code) + ".\r\n" + systemText;
}

const char* UnknownError() noexcept {
    return "Unbekannter Fehler.";
}

} // namespace stilvane::messages

namespace stilvane {

Exception::Exception(MessageKind kind, std::string subject, unsigned long code)
    : message_(FillIn(messages::Pattern(kind), subject)), code_(code), kind_(kind),
      subject_(std::move(subject)) {}

Exception::~Exception() = default;

std::string WithFullStop(const std::string& message, LeadByteTest isLead) {
    const std::size_t last = message.empty() ? 0 : message.size() - 1;
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.' &&
        WholeCharacters(message, last, isLead) == last)
        return message + ".";
    return message;
}

} // namespace stilvane
