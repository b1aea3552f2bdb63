// The organization's policies, read from the test's own policy keys: the
// locked items and what they store, values put back, pauses ended, managed
// entries, the read-only editor, a program that must keep running, values
// of the wrong kind, and the statistics window, which no policy touches.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

class PolicyTest : public PauseTest {
protected:
    void TearDown() override {
        PauseTest::TearDown();
        DeleteTree(HKEY_LOCAL_MACHINE, key.Path());
    }
    void Set(HKEY root, const std::string& name, DWORD type, const void* data, std::size_t size,
             const std::string& below = "") const {
        RegistryKey::Create(root, PolicyPath() + below, KEY_SET_VALUE)
            .SetBytes(name, type, data, static_cast<DWORD>(size));
    }
    void SetSwitch(HKEY root, const char* name, DWORD value) const {
        Set(root, name, REG_DWORD, &value, sizeof value);
    }
    void SetManaged(const std::string& number, const std::string& text) const {
        Set(HKEY_LOCAL_MACHINE, number, REG_SZ, text.c_str(), text.size() + 1,
            "\\ManagedExceptions");
    }
    std::string File() const { return ReadWholeFile(folder.File("popup-exp.ini")); }
    static bool Marked(const std::string& text) {
        const std::string mark = " (set by your organization)";
        return text.size() > mark.size() && text.substr(text.size() - mark.size()) == mark;
    }
};

TEST_F(PolicyTest, EachSwitchLocksItsItemSaysSoAndKeepsItsValueStored) {
    struct Case {
        const char* name;
        DWORD value;
        MenuItem* TForm_Stilvane::*item;
        const char* stored; // the shared value the lock keeps
    };
    const Case cases[] = {
        {"Blocking", 1, &TForm_Stilvane::Block, "PopupBlocker"},
        {"Blocking", 0, &TForm_Stilvane::Block, "PopupBlocker"},
        {"Sound", 1, &TForm_Stilvane::Sound, "PopupBlocker_Sound"},
        {"Sound", 0, &TForm_Stilvane::Sound, "PopupBlocker_Sound"},
        {"AllowPause", 0, &TForm_Stilvane::Pause, nullptr},
        {"AllowQuit", 0, &TForm_Stilvane::Beenden1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
        // Stored the other way round, blocking on for the pause.
        key.SetString("PopupBlocker", c.value == 1 ? "0" : "1");
        key.SetString("PopupBlocker_Sound", c.value == 1 ? "0" : "1");
        SetSwitch(HKEY_LOCAL_MACHINE, c.name, c.value);
        TForm_Stilvane& f = Build();
        MenuItem* const item = f.*c.item;
        EXPECT_FALSE(item->Enabled);
        EXPECT_TRUE(Marked(item->Caption)) << item->Caption;
        if (c.stored) {
            EXPECT_EQ(item->Checked, c.value == 1);
            EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), c.stored),
                      c.value == 1 ? "1" : "0");
        }
        EXPECT_EQ(Marked(Row(0)), item == f.Block) << Row(0);
        for (MenuItem* other : {f.Block, f.Sound, f.Beenden1})
            EXPECT_TRUE(other == item || (other->Enabled && !Marked(other->Caption)))
                << other->Caption;
        form.reset();
        DeleteTree(HKEY_LOCAL_MACHINE, PolicyPath());
    }
}

TEST_F(PolicyTest, LockedBlockingHoldsThePauseIsPutBackAtOnceAndGivesTheUsersChoiceBack) {
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause5->Click();
    ASSERT_TRUE(f.PauseEnds());
    // Written while the program runs; the machine's value wins.
    SetSwitch(HKEY_CURRENT_USER, "Blocking", 0);
    SetSwitch(HKEY_LOCAL_MACHINE, "Blocking", 1);
    EXPECT_TRUE(PumpUntil(
        [&] { return On() == "1" && f.PoliciesInForce().Switch(PolicyId::Blocking) == true; },
        1000));
    EXPECT_FALSE(f.PauseEnds());
    EXPECT_EQ(Own("PauseEnds"), "");
    EXPECT_FALSE(f.Pause->Enabled);
    EXPECT_EQ(LastIcon(), "on");
    key.SetString("PopupBlocker", "0"); // another program
    EXPECT_TRUE(PumpUntil([&] { return On() == "1"; }, 1000));
    ::SendMessageA(f.TrayIcon1->MessageWindow(), TTrayIcon::kCallbackMessage, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(On(), "1"); // not even for a moment "0"
    // Dropped: the item is the user's again, and so is the pause.
    DeleteTree(HKEY_LOCAL_MACHINE, PolicyPath());
    DeleteTree(HKEY_CURRENT_USER, PolicyPath());
    EXPECT_TRUE(PumpUntil([&] { return f.Block->Enabled && f.Pause->Enabled; }, 1000));
    EXPECT_EQ(On(), "0");
    EXPECT_TRUE(f.PauseEnds());
    EXPECT_FALSE(Marked(f.Block->Caption));
    // Locked off past the pause's end, and once more: blocking is back on.
    for (int round = 0; round < 2; ++round) {
        SetSwitch(HKEY_CURRENT_USER, "Blocking", 0);
        ::SendMessageA(f.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
        EXPECT_TRUE(!f.Block->Enabled && !f.PauseEnds() && On() == "0") << round;
        wall += 600;
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, PolicyPath().c_str(), "Blocking");
        ::SendMessageA(f.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
        EXPECT_TRUE(f.Block->Checked && On() == "1" && !f.PauseEnds()) << round;
    }
}

TEST_F(PolicyTest, AFileThatCannotTakeTheManagedEntriesIsToldOnce) {
    folder.Write("popup-exp.ini", "a.example\r\n");
    ::SetFileAttributesA(folder.File("popup-exp.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    Build();
    MessageBoxAnswerer answerer(IDOK, [&] { // twenty changes while the report waits
        for (int i = 2; i < 22; ++i, ::Sleep(40))
            SetManaged(std::to_string(i), std::to_string(i) + ".example");
    });
    SetManaged("1", "corp.example");
    PumpFor(1500); // through the box, open until the changes are over
    EXPECT_EQ(answerer.Texts().size(), 1u);
}

TEST_F(PolicyTest, ManagedEntriesAreAddedShownMarkedKeptAndGoOnlyIfThePolicyPutThemIn) {
    folder.Write("popup-exp.ini", "own.example\r\nshared.example\r\n");
    SetManaged("1", "corp.example");
    SetManaged("2", "shared.example");
    TForm_Stilvane& f = Build();
    EXPECT_EQ(File(), "own.example\r\nshared.example\r\ncorp.example\r\n");
    f.ExceptionsClick(nullptr);
    ListBox& list = *f.Editor->ListBox1;
    f.Editor->Edit1->SetText("corp.example");
    f.Editor->Button_AddClick(nullptr);
    list.SelectAll();
    f.Editor->Button_DeleteClick(nullptr);
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"corp.example", "shared.example"}));
    wchar_t shown[64] = {};
    ::SendMessageW(list.Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(shown, L"corp.example (managed)");
    EXPECT_EQ(Title(f.Handle()), "PopUp Blocker: managed entries (set by your organization)");
    f.Editor->Button_OkClick(nullptr);
    // Dropped by the policy: only the entry it had put in goes.
    DeleteTree(HKEY_LOCAL_MACHINE, PolicyPath());
    EXPECT_TRUE(PumpUntil([&] { return File() == "shared.example\r\n"; }, 1000)) << File();
    EXPECT_EQ(Own("PolicyAdded"), "");
}

TEST_F(PolicyTest, ALockOverUnsavedEditsShowsTheFileAndOffersTheAdditionsInsteadOfSavingThem) {
    const std::string original = "a.example\r\nb.example\r\n";
    folder.Write("popup-exp.ini", original);
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    ExceptionsEditor& editor = *f.Editor;
    ListBox& list = *editor.ListBox1;
    editor.Edit1->SetText("new.example");
    editor.Button_AddClick(nullptr);
    list.Select(0, true); // a.example
    editor.Button_DeleteClick(nullptr);
    const auto apply = [&f] {
        ::SendMessageA(f.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    };
    const std::vector<std::string> file{"a.example", "b.example"};
    {
        MessageBoxAnswerer answerer(IDYES);
        SetSwitch(HKEY_CURRENT_USER, "ExceptionsEditable", 0);
        SetManaged("1", "corp.example");
        apply();
        EXPECT_TRUE(answerer.Texts().empty()); // not inside the policy's handler
        EXPECT_EQ(list.Items(),
                  (std::vector<std::string>{"a.example", "b.example", "corp.example"}));
        EXPECT_TRUE(list.At(2).tag & kManagedEntry);
        PumpFor(300);
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"Your organization now manages the exception list: your "
                                           "changes to it cannot be saved.\r\n\r\nCopy the 1 entry "
                                           "you added to the clipboard before it is discarded?"});
    }
    ASSERT_TRUE(::OpenClipboard(nullptr));
    EXPECT_STREQ(static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT))),
                 L"new.example");
    ::GlobalUnlock(::GetClipboardData(CF_UNICODETEXT));
    ::CloseClipboard();
    // Read-only, the open list follows the policy's changes to the file.
    DeleteTree(HKEY_LOCAL_MACHINE, PolicyPath());
    apply();
    EXPECT_EQ(list.Items(), file);
    {
        MessageBoxAnswerer answerer;
        f.Editor->Button_OkClick(nullptr);
        f.ExceptionsClick(nullptr);
        EXPECT_TRUE(f.FormCloseQuery());
        EXPECT_TRUE(answerer.Texts().empty()) << answerer.Texts()[0];
    }
    EXPECT_EQ(File(), original);
    // Editable again: nothing of the dropped edits comes back.
    DeleteTree(HKEY_CURRENT_USER, PolicyPath());
    apply();
    f.ExceptionsClick(nullptr);
    EXPECT_EQ(list.Items(), file);
    EXPECT_FALSE(f.Editor->HasUnsavedEdits());
}

TEST_F(PolicyTest, AnEntryTheUserHadUnsavedWhenThePolicyAddedItStaysWhenThePolicyDropsIt) {
    folder.Write("popup-exp.ini", "own.example\r\n");
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    f.Editor->Edit1->SetText("m2.example");
    f.Editor->Button_AddClick(nullptr);
    SetManaged("1", "m2.example");
    EXPECT_TRUE(PumpUntil([&] { return File() == "own.example\r\nm2.example\r\n"; }, 1000));
    f.Editor->Button_OkClick(nullptr);
    EXPECT_EQ(Own("PolicyAdded"), "");
    DeleteTree(HKEY_LOCAL_MACHINE, PolicyPath());
    EXPECT_TRUE(PumpUntil([&] { return f.PoliciesInForce().managedExceptions.empty(); }, 1000));
    EXPECT_EQ(File(), "m2.example\r\nown.example\r\n");
}

TEST_F(PolicyTest, TheListScrollsSidewaysToTheEndOfItsLongestEntryAndItsMark) {
    const std::string longest(2083, 'w');
    SetManaged("1", longest);
    TForm_Stilvane& f = Build();
    f.ExceptionsClick(nullptr);
    const HWND list = f.Editor->ListBox1->Handle();
    for (const int dpi : {96, 144}) { // another scale, another font
        f.Editor->Layout(dpi);
        const HDC dc = ::GetDC(list);
        const HGDIOBJ font =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
        SIZE shown{}, mark{};
        ::GetTextExtentPoint32A(dc, (longest + " (managed)").c_str(), 2083 + 10, &shown);
        ::GetTextExtentPoint32A(dc, " (managed)", 10, &mark);
        ::SelectObject(dc, font);
        ::ReleaseDC(list, dc);
        const LRESULT extent = ::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
        EXPECT_GE(extent, shown.cx) << dpi;
        EXPECT_LT(extent, shown.cx + mark.cx) << dpi;
    }
}

TEST_F(PolicyTest, NoPauseAReadOnlyListAndAProgramThatMustRunComeWithGroupPolicysAnnouncement) {
    folder.Write("popup-exp.ini", "a.example\r\n");
    key.SetString("PopupBlocker", "1");
    TForm_Stilvane& f = Build();
    f.Pause60->Click();
    for (const char* name : {"AllowPause", "ExceptionsEditable", "AllowQuit"})
        SetSwitch(HKEY_CURRENT_USER, name, 0);
    // Heard at once, before the keys' own notification is handled.
    ::SendMessageA(f.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    EXPECT_FALSE(f.PauseEnds());
    EXPECT_EQ(On(), "1");
    EXPECT_FALSE(f.Pause->Enabled);
    f.ExceptionsClick(nullptr);
    ExceptionsEditor& editor = *f.Editor;
    for (const Control* control :
         {static_cast<Control*>(editor.Edit1.get()), static_cast<Control*>(editor.Button_Add.get()),
          static_cast<Control*>(editor.Button_Delete.get())})
        EXPECT_FALSE(::IsWindowEnabled(control->Handle()));
    editor.ListBox1->SelectAll();
    HoldKeys({});
    ::SendMessageA(editor.ListBox1->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    PutOnClipboard(L"b.example\r\nc.example");
    ::SendMessageA(editor.ListBox1->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(editor.ListBox1->Items(), std::vector<std::string>{"a.example"});
    ExceptionListTools& tools = *editor.ListTools;
    tools.PopupMenu_List->OnPopup(nullptr);
    EXPECT_FALSE(tools.List_Remove->Enabled || tools.List_Paste->Enabled ||
                 tools.List_Import->Enabled);
    EXPECT_TRUE(tools.List_Copy->Enabled && tools.List_Export->Enabled);
    EXPECT_EQ(Title(f.Handle()), "PopUp Blocker: read-only (set by your organization)");
    EXPECT_FALSE(f.Beenden1->Enabled);
    // Closing only hides the editor.
    ::SendMessageA(Application().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(f.Handle()));
    MSG quit;
    EXPECT_FALSE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(PolicyTest, ValuesOfTheWrongKindSizeOrRangeLockNothingAndBotherNobody) {
    key.SetString("PopupBlocker", "1"); // for the pause submenu
    const unsigned long long one = 1;
    const std::vector<BYTE> large(100000, 1);
    Set(HKEY_LOCAL_MACHINE, "Blocking", REG_SZ, "1", 2);
    SetSwitch(HKEY_CURRENT_USER, "Sound", 2);
    Set(HKEY_LOCAL_MACHINE, "AllowPause", REG_QWORD, &one, 8);
    Set(HKEY_CURRENT_USER, "AllowQuit", REG_BINARY, large.data(), large.size());
    Set(HKEY_LOCAL_MACHINE, "ExceptionsEditable", REG_DWORD, &one, 2);
    const std::vector<std::pair<std::string, std::string>> badEntries{
        {"a", "x.example"}, {"01", "x.example"},
        {"3", ""},          {"4", std::string(2084, 'x')},
        {"5", "a\r\nb"},    {"6", std::string(100000, 'x')}};
    for (const auto& [name, text] : badEntries)
        SetManaged(name, text);
    Set(HKEY_LOCAL_MACHINE, "7", REG_DWORD, &one, 4, "\\ManagedExceptions");
    const wchar_t outsideTheCodePage[] = L"\x436.example";
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, AnsiToWide(PolicyPath() + "\\ManagedExceptions").c_str(),
                      L"8", REG_SZ, outsideTheCodePage, sizeof outsideTheCodePage);
    // Full-width digits, which the code page would make ASCII ones.
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, AnsiToWide(PolicyPath() + "\\ManagedExceptions").c_str(),
                      L"\xFF11\xFF12", REG_SZ, L"wide.example", sizeof L"wide.example");
    SetManaged("10", "  later.example\t");
    SetManaged("9", "good.example");
    SetManaged("11", "good.example");
    MessageBoxAnswerer answerer;
    TForm_Stilvane& f = Build();
    PumpFor(300);
    EXPECT_EQ(f.PoliciesInForce().managedExceptions,
              (std::vector<std::string>{"good.example", "later.example"}));
    for (MenuItem* item : {f.Block, f.Pause, f.Sound, f.Beenden1})
        EXPECT_TRUE(item->Enabled && !Marked(item->Caption)) << item->Caption;
    EXPECT_TRUE(::IsWindowEnabled(f.Editor->Edit1->Handle()));
    EXPECT_EQ(File(), "good.example\r\nlater.example\r\n");
    EXPECT_TRUE(answerer.Texts().empty()) << answerer.Texts()[0];
}

TEST_F(PolicyTest, TheStatisticsWindowAndItsResetAreNoneOfThePolicies) {
    key.SetString("PopupBlocker", "1");
    for (const char* name : {"Blocking", "Sound", "AllowPause", "AllowQuit", "ExceptionsEditable"})
        SetSwitch(HKEY_LOCAL_MACHINE, name, std::string(name) == "Blocking");
    TForm_Stilvane& f = Build();
    Signal(), f.ThreadTimer1Timer(nullptr);
    EXPECT_TRUE(f.Count->Enabled);
    EXPECT_EQ(f.Count->Caption, "1 popup blocked today, 1 in all");
    f.CountClick(nullptr);
    ASSERT_TRUE(f.Statistics->IsOpen());
    EXPECT_TRUE(::IsWindowEnabled(f.Statistics->Button_Reset->Handle()));
    MessageBoxAnswerer answerer(IDYES);
    f.Statistics->Button_ResetClick(nullptr);
    EXPECT_EQ(Own("BlockedTotal"), "");
    EXPECT_EQ(Row(1), "0 popups blocked today, 0 in all");
}

TEST_F(PolicyTest, TheEditorIsMadeWhenFirstOpenedWithWhatThePoliciesDecidedBefore) {
    SetSwitch(HKEY_CURRENT_USER, "ExceptionsEditable", 0);
    TForm_Stilvane& f = Build();
    // The tray, its menu and the tick make no control.
    f.PopupMenu1->OnPopup(nullptr);
    f.ThreadTimer1Timer(nullptr);
    EXPECT_EQ(::GetWindow(f.Handle(), GW_CHILD), nullptr);
    EXPECT_EQ(f.Editor.IfMade(), nullptr);
    const std::string caption = Title(f.Handle());
    EXPECT_NE(caption, kEditorCaption);
    f.ExceptionsClick(nullptr);
    ASSERT_NE(f.Editor.IfMade(), nullptr);
    EXPECT_EQ(::GetParent(f.Editor->Edit1->Handle()), f.Handle());
    EXPECT_FALSE(::IsWindowEnabled(f.Editor->Edit1->Handle()));
    EXPECT_EQ(Title(f.Handle()), caption);
    f.Editor->Button_OkClick(nullptr);
}

TEST_F(PolicyTest, APolicyKeyDeletedWithItsParentAndMadeAgainIsWatchedAgain) {
    SetSwitch(HKEY_LOCAL_MACHINE, "Sound", 0);
    TForm_Stilvane& f = Build();
    ASSERT_FALSE(f.Sound->Enabled);
    DeleteTree(HKEY_LOCAL_MACHINE, key.Path());
    // The safety look (here: back from sleep) finds the key gone.
    ::SendMessageA(f.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(PumpUntil([&] { return f.Sound->Enabled; }, 2000));
    SetSwitch(HKEY_LOCAL_MACHINE, "Sound", 0);
    EXPECT_TRUE(PumpUntil([&] { return !f.Sound->Enabled; }, 2000)); // by its notification
}

} // namespace
} // namespace stilvane
