#include "framework/portable/errors.h"

#include <gtest/gtest.h>

namespace stilvane {
namespace {

TEST(Messages, AreTheProgramsGermanTextsInWindows1252) {
    EXPECT_EQ(messages::InvalidRegDataType("X"), "Ung\xFCltiger Datentyp f\xFCr 'X'");
    EXPECT_STREQ(ERegistryException(MessageKind::RegRead, "X", 0).what(),
                 "Fehler beim Holen der Daten f\xFCr 'X'");
    EXPECT_STREQ(ERegistryException(MessageKind::RegWrite, "X", 0).what(),
                 "Fehler beim Setzen der Daten f\xFCr 'X'");
    EXPECT_STREQ(EFOpenError(MessageKind::FileOpen, "C:\\a.ini", 0).what(),
                 "Datei C:\\a.ini kann nicht ge\xF6"
                 "ffnet werden");
    EXPECT_STREQ(EFCreateError(MessageKind::FileCreate, "C:\\a.ini", 0).what(),
                 "Datei C:\\a.ini kann nicht erstellt werden");
    EXPECT_EQ(messages::ThreadError("Zugriff verweigert", 5),
              "Thread-Fehler: Zugriff verweigert (5)");
    EXPECT_EQ(
        messages::CheckSynchronizeWrongThread(0x1a2b),
        "CheckSynchronize wurde vom Thread $1a2b aufgerufen, der NICHT der Haupt-Thread ist.");
}

TEST(Messages, FullStopIsAppendedOnlyAfterCharactersSortingAfterIt) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"Fehler", "Fehler."},
        {"Ende.", "Ende."},
        {"Frage?", "Frage?."},
        {"Klammer)", "Klammer)"},
        {"Komma,", "Komma,"},
        {"Strich-", "Strich-"},
        {"Schr\xE4gstrich/", "Schr\xE4gstrich/."},
        {"Umlaut \xFC", "Umlaut \xFC."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithFullStop(c.in), c.out) << c.in;
    // Shift-JIS: none after the ideographic full stop, one after a "B" that follows it.
    const auto shiftJis = [](unsigned char b) { return b >= 0x81 && b <= 0x9F; };
    EXPECT_EQ(WithFullStop("\x95\x5C\x81\x42", shiftJis), "\x95\x5C\x81\x42");
    EXPECT_EQ(WithFullStop("\x81\x42\x42", shiftJis), "\x81\x42\x42.");
}

} // namespace
} // namespace stilvane
