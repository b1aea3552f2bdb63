// The exceptions editor: loading and saving, the close question, the list's
// tools, long and lossy entries, keyboard, screen readers, scale and colours.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

TEST_F(FormTest, AMissingExceptionsFileOpensAnEmptyEditorAndOkCreatesIt) {
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_EQ(f.Editor->ListBox1->Count(), 0);
    f.Editor->Edit1->SetText("neu.example");
    f.Editor->Button_AddClick(nullptr);
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_SETSEL, 11, 11); // typing on
    f.Editor->Button_OkClick(nullptr);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "neu.example\r\n");
    // Opened again, the field's text is selected: typing replaces it.
    f.ExceptionsClick(nullptr);
    DWORD start = 1, end = 0;
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 11u);
}

TEST_F(FormTest, AFileThatCannotBeReadLeavesTheEditorAsItWas) {
    folder.Write("popup-exp.ini", "b.example\r\na.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("c.example");
    f.Editor->Button_AddClick(nullptr);
    const std::vector<std::string> edited{"a.example", "b.example", "c.example"};
    ASSERT_EQ(f.Editor->ListBox1->Items(), edited);
    f.Editor->Button_OkClick(nullptr); // an open editor is never reloaded: close it first

    // Held open by another program with no sharing; then a directory.
    HANDLE held = ::CreateFileA(folder.File("popup-exp.ini").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(f.ExceptionsClick(nullptr), EFOpenError);
    ::CloseHandle(held);
    EXPECT_EQ(f.Editor->ListBox1->Items(), edited);

    ASSERT_TRUE(::DeleteFileA(folder.File("popup-exp.ini").c_str()));
    ASSERT_TRUE(::CreateDirectoryA(folder.File("popup-exp.ini").c_str(), nullptr));
    EXPECT_THROW(f.ExceptionsClick(nullptr), EFOpenError);
    EXPECT_EQ(f.Editor->ListBox1->Items(), edited);
    ::RemoveDirectoryA(folder.File("popup-exp.ini").c_str());
}

TEST_F(FormTest, TheKeyboardComesBackToTheEditorAfterAnErrorBox) {
    folder.Write("popup-exp.ini", "alt\r\n");
    ASSERT_TRUE(
        ::SetFileAttributesA(folder.File("popup-exp.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetFocus();
    ASSERT_EQ(::GetFocus(), f.Editor->Edit1->Handle());
    {
        testing::MessageBoxAnswerer answerer;
        Application().RunHandler([&f] { f.Editor->Button_OkClick(nullptr); });
        testing::PumpUntil([&] { return !answerer.Texts().empty(); }, 3000);
        ASSERT_EQ(answerer.Texts().size(), 1u);
    }
    EXPECT_EQ(::GetActiveWindow(), f.Handle());
    EXPECT_EQ(::GetFocus(), f.Editor->Edit1->Handle());
    ::SetFileAttributesA(folder.File("popup-exp.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FormTest, AUnicodeFileIsReadAndSavedAsAnsiWithoutItsBlankLines) {
    // "über.example" and "b.example" in each of the three marked forms.
    const char le[] = "\xFF\xFE\xFC\0b\0e\0r\0.\0e\0x\0\r\0\n\0b\0.\0e\0x\0";
    const char be[] = "\xFE\xFF\0\xFC\0b\0e\0r\0.\0e\0x\0\r\0\n\0b\0.\0e\0x";
    const std::string utf16le(le, sizeof le - 1), utf16be(be, sizeof be - 1);
    const std::string utf8("\xEF\xBB\xBF\xC3\xBC"
                           "ber.ex\r\nb.ex");
    // Blank lines are no entries.
    const std::string blanks("\r\n\xFC"
                             "ber.ex\r\n \t\r\n\r\nb.ex\r\n\t");
    for (const std::string& content : {utf16le, utf16be, utf8, blanks}) {
        SCOPED_TRACE(::testing::PrintToString(content));
        folder.Write("popup-exp.ini", content);
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"b.ex", "\xFC"
                                                                                 "ber.ex"}));
        f.Editor->Button_OkClick(nullptr);
        EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "b.ex\r\n\xFC"
                                                               "ber.ex\r\n");
    }
}

TEST_F(FormTest, AFileReadByGuessIsReplacedOnlyWhenTheUserAgreesAndKeptBeside) {
    // UTF-16 without a byte-order mark, and a NUL byte in ANSI text.
    const std::string unmarked("a\0.\0e\0x\0\r\0\n\0b\0.\0e\0x\0\r\0\n\0", 24),
        nul("a.ex\0b.ex\r\n", 11);
    for (const std::string& content : {unmarked, nul}) {
        SCOPED_TRACE(content.size());
        folder.Write("popup-exp.ini", content);
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"a.ex", "b.ex"}));
        for (const int answer : {IDNO, IDYES}) {
            testing::MessageBoxAnswerer answerer(answer);
            f.Editor->Button_OkClick(nullptr);
            EXPECT_EQ(answerer.Texts(),
                      std::vector<std::string>{
                          "The file " + folder.File("popup-exp.ini") +
                          " is not plain text; the editor guessed how to read it. Save the list "
                          "over it? The file as it was is kept as " +
                          folder.File("popup-exp.ini.bak") + "."});
            EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")),
                      answer == IDNO ? content : "a.ex\r\nb.ex\r\n");
        }
        EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini.bak")), content);
    }
}

TEST_F(FormTest, RemovingManySelectedEntriesKeepsExactlyTheOthers) {
    // More entries selected than are removed one by one, and a few.
    for (const int step : {2, 50}) {
        SCOPED_TRACE(step);
        std::string content;
        std::vector<std::string> kept;
        for (int i = 0; i < 300; ++i) {
            char entry[16];
            std::snprintf(entry, sizeof entry, "e%03d.example", i);
            content += std::string(entry) + "\r\n";
            if (i % step != 0)
                kept.push_back(entry);
        }
        folder.Write("popup-exp.ini", content);
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        ASSERT_EQ(f.Editor->ListBox1->Count(), 300);
        for (int i = 0; i < 300; i += step)
            f.Editor->ListBox1->Select(i, true);
        f.Editor->Button_DeleteClick(nullptr);
        EXPECT_EQ(f.Editor->ListBox1->Items(), kept);
    }
}

TEST_F(FormTest, TheOpenEditorKeepsItsEditsWhenChosenAgain) {
    folder.Write("popup-exp.ini", "Example.COM/Path\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    // Only byte-identical entries are duplicates.
    for (const char* text : {"example.com/path", "Example.COM/Path", "example.com/path"}) {
        f.Editor->Edit1->SetText(text);
        f.Editor->Button_AddClick(nullptr);
    }
    const std::vector<std::string> edited{"example.com/path", "Example.COM/Path"};
    ASSERT_TRUE(SameEntries(f.Editor->ListBox1->Items(), edited));
    f.ExceptionsClick(nullptr);
    EXPECT_TRUE(SameEntries(f.Editor->ListBox1->Items(), edited));
    EXPECT_TRUE(f.Editor->HasUnsavedEdits());
}

TEST_F(FormTest, AMinimisedEditorKeepsItsEditsAndQuitStillAsks) {
    folder.Write("popup-exp.ini", "a.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("b.example");
    f.Editor->Button_AddClick(nullptr);
    const auto minimise = [&f] {
        ::SendMessageA(Application().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        // Windows hides the owned windows of a minimised owner; Wine without
        // a window manager leaves them shown.
        ::ShowWindow(f.Handle(), SW_HIDE);
    };
    minimise();
    f.ExceptionsClick(nullptr); // shows it again as it was
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"a.example", "b.example"}));
    minimise();
    testing::MessageBoxAnswerer answerer(IDCANCEL);
    f.Beenden1Click(nullptr);
    EXPECT_EQ(answerer.Texts(),
              std::vector<std::string>{"Save the changes to the exception list?"});
    MSG quit;
    EXPECT_FALSE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(FormTest, ClosingWithUnsavedEditsAsksFirst) {
    struct Case {
        int answer;
        bool closes;
        const char* saved;
    } cases[] = {
        {IDYES, true, "a.example\r\nb.example\r\n"},
        {IDNO, true, "a.example\r\n"},
        {IDCANCEL, false, "a.example\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        folder.Write("popup-exp.ini", "a.example\r\n");
        TForm_Stilvane& f = Build();
        f.ExceptionsClick(nullptr);
        EXPECT_TRUE(f.FormCloseQuery()); // nothing changed: nothing asked
        f.ExceptionsClick(nullptr);
        f.Editor->Edit1->SetText("b.example");
        f.Editor->Button_AddClick(nullptr);
        testing::MessageBoxAnswerer answerer(c.answer);
        EXPECT_EQ(f.FormCloseQuery(), c.closes);
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"Save the changes to the exception list?"});
        EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), c.saved);
    }
}

TEST_F(FormTest, OkMergesWhatChangedInTheFileMeanwhile) {
    folder.Write("popup-exp.ini", "a.example\r\nb.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("mine.example");
    f.Editor->Button_AddClick(nullptr);
    f.Editor->ListBox1->Select(0, true); // a.example
    f.Editor->Button_DeleteClick(nullptr);
    folder.Write("popup-exp.ini", "a.example\r\ntheirs.example\r\n");
    f.Editor->Button_OkClick(nullptr);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "mine.example\r\ntheirs.example\r\n");
    EXPECT_EQ(f.Editor->ListBox1->Items(),
              (std::vector<std::string>{"mine.example", "theirs.example"}));
    EXPECT_FALSE(f.Editor->HasUnsavedEdits());
    char title[128] = {};
    ::GetWindowTextA(f.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Merged with changes made outside the editor");
    ::SendMessageA(f.Handle(), WM_TIMER, 1, 0);
    ::GetWindowTextA(f.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "PopUp Blocker");
}

TEST_F(FormTest, EntriesThatWouldLoseCharactersAreSavedOnlyWhenTheUserAgrees) {
    // "пример.рф" in UTF-8, and an entry that fits.
    const std::string original = "\xEF\xBB\xBF\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80."
                                 "\xD1\x80\xD1\x84\r\nok.example\r\n";
    folder.Write("popup-exp.ini", original);
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    {
        testing::MessageBoxAnswerer answerer(IDNO);
        f.Editor->Button_OkClick(nullptr);
        ASSERT_EQ(answerer.Texts().size(), 1u);
        EXPECT_EQ(answerer.Texts()[0].substr(0, 8), "1 entry ");
    }
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), original);
    EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    {
        testing::MessageBoxAnswerer answerer(IDYES);
        f.Editor->Button_OkClick(nullptr);
    }
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini.bak")), original);
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")), "??????.??\r\nok.example\r\n");
}

TEST_F(FormTest, TheEditorByKeyboard) {
    folder.Write("popup-exp.ini", "a.example\r\nb.example\r\nc.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText(" \tneu.example ");
    ::SendMessageA(f.Editor->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(f.Editor->ListBox1->FindExact("neu.example"), 3);
    EXPECT_TRUE(::IsWindowVisible(f.Handle())); // Enter adds; it neither saves nor closes
    HoldKeys({VK_CONTROL});
    ::SendMessageA(f.Editor->ListBox1->Handle(), WM_KEYDOWN, 'A', 0);
    HoldKeys({});
    EXPECT_EQ(f.Editor->ListBox1->SelectedCount(), 4);
    f.Editor->ListBox1->Select(1, false);
    ::SendMessageA(f.Editor->ListBox1->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(f.Editor->ListBox1->Items(), std::vector<std::string>{"b.example"});
}

TEST_F(FormTest, PastingLinesAddsWhatIsNew) {
    folder.Write("popup-exp.ini", "listed.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    // One line into the field is ordinary typing.
    PutOnClipboard(L"  one.example");
    ::SendMessageW(f.Editor->Edit1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(f.Editor->Edit1->Text(), "  one.example");
    EXPECT_EQ(f.Editor->ListBox1->Count(), 1);
    // Lines into the field or the list are entries; "\x444" cannot be stored.
    PutOnClipboard(L"a.example\r\n  b.example\t\r\n\r\n \na.example\rlisted.example\n\x444.ru");
    ::SendMessageW(f.Editor->Edit1->Handle(), WM_PASTE, 0, 0);
    EXPECT_TRUE(SameEntries(f.Editor->ListBox1->Items(),
                            {"listed.example", "a.example", "b.example", "?.ru"}));
    EXPECT_EQ(Title(f.Handle()), "3 added, 2 already listed");
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Title(f.Handle()), "0 added, 5 already listed");
    // Copy gives the selected entries as lines.
    f.Editor->ListBox1->Select(0, true);
    f.Editor->ListBox1->Select(1, true);
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_COPY, 0, 0);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const HANDLE copied = ::GetClipboardData(CF_TEXT);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(copied)),
                 (f.Editor->ListBox1->Item(0) + "\r\n" + f.Editor->ListBox1->Item(1)).c_str());
    ::GlobalUnlock(copied);
    ::CloseClipboard();
    testing::MessageBoxAnswerer answerer(IDNO);
    f.Editor->Button_OkClick(nullptr); // the lost character is asked about
    EXPECT_EQ(answerer.Texts().size(), 1u);
}

TEST_F(FormTest, ImportAndExportTakeAnyFileNameAndAskBeforeABinaryFile) {
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    const char utf16[] = "\xFF\xFEx\0.\0e\0x\0\r\0\n\0y\0\n\0z\0";
    folder.Write("import.txt", std::string(utf16, sizeof utf16 - 1));
    f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("import.txt")));
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{"x.ex", "y", "z"}));
    // "выгрузка.txt": a name outside the ANSI code page, written and read back.
    const std::wstring unicodeName =
        AnsiToWide(folder.Path()) + L"\\\x432\x44B\x433\x440\x443\x437\x43A\x430.txt";
    f.Editor->ListTools->ExportTo(unicodeName);
    EXPECT_EQ(ReadWholeFile(unicodeName), "x.ex\r\ny\r\nz\r\n");
    f.Editor->ListBox1->SelectAll();
    f.Editor->Button_DeleteClick(nullptr);
    f.Editor->ListTools->ImportFrom(unicodeName);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 3);
    // Random bytes: asked first, added only when the user says so.
    std::string binary(2000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 2654435761u) >> 13);
    folder.Write("random.bin", binary);
    for (const int answer : {IDNO, IDYES}) {
        testing::MessageBoxAnswerer answerer(answer);
        f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("random.bin")));
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"The file " + folder.File("random.bin") +
                                           " does not look like a list of web addresses. Import "
                                           "it anyway?"});
        EXPECT_EQ(f.Editor->ListBox1->Count() > 3, answer == IDYES);
    }
    // Failures say what failed, where and why, in the user's language.
    const auto reason = [](DWORD code) {
        std::string text = SystemErrorText(code);
        return text.substr(0, text.find_last_not_of(". ") + 1);
    };
    EXPECT_EQ(
        ErrorOf([&] { f.Editor->ListTools->ImportFrom(AnsiToWide(folder.File("missing.txt"))); }),
        "The file " + folder.File("missing.txt") + " could not be imported: it cannot be read (" +
            reason(ERROR_FILE_NOT_FOUND) + ").");
    EXPECT_EQ(ErrorOf([&] { f.Editor->ListTools->ExportTo(AnsiToWide(folder.Path())); }),
              "The list could not be exported: the file " + folder.Path() + " cannot be written (" +
                  reason(ERROR_ACCESS_DENIED) + ").");
}

TEST_F(FormTest, LongEntriesAreKeptAndNewOnesOverTheLimitRefused) {
    // Loaded, shown, merged and saved whatever their length; typed and pasted
    // ones up to the length of the longest web address browsers open.
    const std::string e600(600, 'a'), e2100(2100, 'b'), e100k(100000, 'c');
    folder.Write("popup-exp.ini", e600 + "\r\n" + e2100 + "\r\n" + e100k + "\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    EXPECT_EQ(f.Editor->ListBox1->Items(), (std::vector<std::string>{e600, e2100, e100k}));
    f.Editor->Edit1->SetText(std::string(600, 'd'));
    f.Editor->Button_AddClick(nullptr);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 4);
    DWORD start = 1, end = 0;
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u); // the text stays, selected: typing replaces it
    EXPECT_EQ(end, 600u);
    {
        testing::MessageBoxAnswerer answerer;
        f.Editor->Edit1->SetText(std::string(2100, 'e'));
        f.Editor->Button_AddClick(nullptr);
        PutOnClipboard(std::wstring(2100, L'f') + L"\r\n" + std::wstring(100000, L'g') + L"\r\nh");
        ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
        // The field stops there: a paste that would go past it is refused
        // whole, and typing goes no further.
        PutOnClipboard(std::wstring(100000, L'p'));
        ::SendMessageW(f.Editor->Edit1->Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(f.Editor->Edit1->Text(), std::string(2100, 'e'));
        f.Editor->Edit1->SetText(std::string(2083, 'q'));
        ::SendMessageW(f.Editor->Edit1->Handle(), EM_SETSEL, 2083, 2083);
        ::SendMessageW(f.Editor->Edit1->Handle(), WM_CHAR, 'r', 0);
        EXPECT_EQ(f.Editor->Edit1->Text(), std::string(2083, 'q'));
        const std::string one = "1 entry is longer than 2083 characters and was not added: most "
                                "browsers open no web address that long.";
        EXPECT_EQ(answerer.Texts(),
                  (std::vector<std::string>{
                      one,
                      "2 entries are longer than 2083 characters and were not added: most "
                      "browsers open no web address that long.",
                      one}));
    }
    EXPECT_EQ(f.Editor->ListBox1->Count(), 5);
    PutOnClipboard(L"i\r\nj"); // a later paste, as before
    ::SendMessageW(f.Editor->ListBox1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(f.Editor->ListBox1->Count(), 7);
    folder.Write("popup-exp.ini", e600 + "\r\n" + e2100 + "\r\n" + e100k + "\r\nk\r\n");
    testing::MessageBoxAnswerer answerer(IDYES);
    EXPECT_TRUE(f.FormCloseQuery()); // saved, merged with the line added meanwhile
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")),
              FormatExceptions({e600, e2100, e100k, std::string(600, 'd'), "h", "i", "j", "k"}));
}

TEST_F(FormTest, AddressesThatBecomeTheSameTextAreAllKeptAndAskedAbout) {
    folder.Write("popup-exp.ini", "?.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    ListBox& list = *f.Editor->ListBox1;
    // "ж.example" and "з.example" become the "?.example" listed already, and
    // are neither it nor each other; "ж.example" again is.
    PutOnClipboard(L"\x436.example\r\nb.example\r\n\x437.example\r\n\x436.example");
    ::SendMessageW(list.Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Title(f.Handle()), "3 added, 1 already listed");
    // Typed, the same: a third address.
    ::SetWindowTextW(f.Editor->Edit1->Handle(), L"\x438.example");
    f.Editor->Button_AddClick(nullptr);
    ::SetWindowTextW(f.Editor->Edit1->Handle(), L"\x437.example");
    f.Editor->Button_AddClick(nullptr);
    EXPECT_EQ(list.Count(), 5);
    // Copied, each is the address it was.
    for (int i = 0; i < list.Count(); ++i)
        list.Select(i, list.At(i).original == L"\x436.example" || list.Item(i) == "b.example");
    ::SendMessageW(list.Handle(), WM_COPY, 0, 0);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_STREQ(static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT))),
                 L"\x436.example\r\nb.example");
    ::GlobalUnlock(::GetClipboardData(CF_UNICODETEXT));
    ::CloseClipboard();
    testing::MessageBoxAnswerer answerer(IDYES);
    f.Editor->Button_OkClick(nullptr);
    ASSERT_EQ(answerer.Texts().size(), 1u);
    EXPECT_EQ(answerer.Texts()[0].substr(0, 30), "3 entries contain characters t");
    EXPECT_EQ(ReadWholeFile(folder.File("popup-exp.ini")),
              "?.example\r\n?.example\r\n?.example\r\n?.example\r\nb.example\r\n");
}

TEST_F(FormTest, ScreenReadersFindNamesForTheControls) {
    TForm_Stilvane& f = Build();
    const auto name = [](HWND window) {
        IAccessible* accessible = nullptr;
        if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                reinterpret_cast<void**>(&accessible))))
            return std::string("(none)");
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR text = nullptr;
        std::string result = "(no name)";
        if (accessible->get_accName(self, &text) == S_OK && text) {
            result = std::string(text, text + ::SysStringLen(text));
            ::SysFreeString(text);
        }
        accessible->Release();
        return result;
    };
    EXPECT_EQ(name(f.Editor->Edit1->Handle()), "New exception");
    EXPECT_EQ(name(f.Editor->Button_Add->Handle()), "Add");
    wchar_t cue[64] = {};
    ::SendMessageW(f.Editor->Edit1->Handle(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
    EXPECT_STREQ(cue, L"Web address or part of one");
    char text[512] = {};
    ::GetWindowTextA(f.Editor->Label1->Handle(), text, sizeof text);
    EXPECT_EQ(std::string(text).substr(0, 47), "Normally the Popup Blocker blocks every popup.\r");
}

} // namespace
} // namespace stilvane
