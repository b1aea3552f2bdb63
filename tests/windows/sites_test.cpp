// The sites popups were blocked on: the submenu of the last ones, allowing
// one in a click (into the file, or into the open editor), the policies over
// them, the notification and its pace, and the statistics window's list.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;

class SitesTest : public PauseTest {
protected:
    void SetUp() override {
        PauseTest::SetUp();
        const DWORD welcomed = 1; // no first start's balloon
        SetOwn("Welcomed", REG_DWORD, &welcomed, sizeof welcomed);
        shell.notify = [this, base = shell.notify](DWORD message, NOTIFYICONDATAA& data) {
            if ((data.uFlags & NIF_INFO) && data.szInfo[0])
                balloons.push_back(data);
            return base(message, data);
        };
    }
    void TearDown() override {
        PauseTest::TearDown();
        DeleteTree(HKEY_LOCAL_MACHINE, key.Path());
    }
    void Block(const std::string& address) const {
        key.SetString("PopupBlocker_BlockURL", address);
        Signal();
        form->ThreadTimer1Timer(nullptr);
    }
    std::vector<std::string> Submenu() const {
        std::vector<std::string> shown;
        for (const auto& item : form->Recent->Items())
            shown.push_back(item->Caption + (item->Enabled ? "" : " [grey]"));
        return shown;
    }
    void SetPolicy(const char* name, DWORD value) const {
        RegistryKey::Create(HKEY_LOCAL_MACHINE, PolicyPath(), KEY_SET_VALUE)
            .SetBytes(name, REG_DWORD, &value, sizeof value);
        ::SendMessageA(form->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    }
    std::string File() const { return ReadWholeFile(folder.File("popup-exp.ini")); }
    std::vector<NOTIFYICONDATAA> balloons;
};

TEST_F(SitesTest, TheSubmenuListsTheLastSitesNewestFirstAcrossARestartUntilAReset) {
    Build();
    EXPECT_EQ(Submenu(), std::vector<std::string>{"No sites yet [grey]"});
    Block("http://Shop.Example.com/cart?id=7");
    Block("https://user:pw@www.other.example:8443/");
    Block("http://shop.example.com/");
    Block("javascript:void(0)"); // a block without a site
    const std::vector<std::string> shown{"shop.example.com (2)", "other.example (1)"};
    EXPECT_EQ(Submenu(), shown);
    EXPECT_EQ(form->Counted().total, 4u);
    EXPECT_EQ(Own("BlockedSites").find("pw"), std::string::npos);
    Build();
    EXPECT_EQ(Submenu(), shown);
    MessageBoxAnswerer yes(IDYES);
    form->Statistics->Button_ResetClick(nullptr);
    EXPECT_EQ(Submenu(), std::vector<std::string>{"No sites yet [grey]"});
    EXPECT_EQ(Own("BlockedSiteCounts"), "");
}

TEST_F(SitesTest, ASiteIsAllowedOnYesOnlyAndOneAlreadyCoveredIsSaidToBe) {
    folder.Write("popup-exp.ini", "example.org\r\n");
    Build();
    Block("http://news.example.org/");
    Block("http://shop.example.com/");
    for (const int answer : {IDNO, IDYES}) {
        MessageBoxAnswerer answerer(answer);
        form->Recent->Items()[0]->Click();
        EXPECT_EQ(answerer.Texts(),
                  std::vector<std::string>{"Allow popups from shop.example.com?"});
    }
    EXPECT_EQ(File(), "example.org\r\nshop.example.com\r\n");
    MessageBoxAnswerer answerer;
    form->Recent->Items()[1]->Click();
    form->Recent->Items()[0]->Click();
    EXPECT_EQ(answerer.Texts(),
              (std::vector<std::string>{
                  "Popups from news.example.org are already allowed by the entry example.org.",
                  "Popups from shop.example.com are already allowed by the entry "
                  "shop.example.com."}));
}

TEST_F(SitesTest, WithTheEditorOpenTheSiteJoinsItsListUnsavedAndTheFileIsLeftAlone) {
    folder.Write("popup-exp.ini", "a.example\r\n");
    Build();
    Block("http://shop.example.com/");
    form->ExceptionsClick(nullptr);
    ExceptionsEditor& editor = *form->Editor;
    editor.Edit1->SetText("half typ");
    form->Hide();
    MessageBoxAnswerer yes(IDYES);
    form->Recent->Items()[0]->Click();
    EXPECT_EQ(editor.ListBox1->Items(),
              (std::vector<std::string>{"a.example", "shop.example.com"}));
    EXPECT_TRUE(editor.HasUnsavedEdits());
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_EQ(editor.Edit1->Text(), "half typ");
    EXPECT_EQ(File(), "a.example\r\n");
}

TEST_F(SitesTest, TheOrganizationGreysTheSitesOrStopsRecordingThemAndForgetsThem) {
    Build();
    Block("http://shop.example.com/");
    SetPolicy("ExceptionsEditable", 0);
    EXPECT_EQ(Submenu(),
              std::vector<std::string>{"shop.example.com (1) (set by your organization) [grey]"});
    MessageBoxAnswerer answerer;
    form->Sites().Allow("shop.example.com");
    EXPECT_TRUE(answerer.Texts().empty());
    SetPolicy("RecordBlockedSites", 0);
    EXPECT_FALSE(form->Recent->Visible);
    EXPECT_FALSE(key.Exists("Stilvane\\BlockedSites") || Own("BlockedSites") != "");
    Block("http://other.example/");
    EXPECT_EQ(Own("BlockedSiteCounts"), "");
    EXPECT_FALSE(key.Exists("PopupBlocker_BlockURL"));
    EXPECT_EQ(form->Counted().total, 2u);
}

TEST_F(SitesTest, NotificationsAreAskedForPacedCutToTheShellsFieldAndAClickAsks) {
    Build();
    Block("http://shop.example.com/");
    EXPECT_TRUE(balloons.empty()); // off by default
    form->Notify->Click();
    EXPECT_TRUE(form->Notify->Checked);
    for (int i = 0; i < 50; ++i)
        Block("http://shop.example.com/");
    Block("http://other.example/"); // within the minute
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_STREQ(balloons[0].szInfo,
                 "Popup blocked on shop.example.com. Click to allow popups from this site.");
    EXPECT_EQ(balloons[0].dwInfoFlags & NIIF_RESPECT_QUIET_TIME, DWORD{NIIF_RESPECT_QUIET_TIME});
    const std::string label(63, 'a');
    const std::string longest = label + "." + label + "." + label + "." + std::string(61, 'b');
    wall += 61;
    Block("http://" + longest + "/");
    ASSERT_EQ(balloons.size(), 2u);
    const std::string text = balloons[1].szInfo;
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 20) + text.substr(text.find("...") - 2, 5),
              "Popup blocked on aaaaa...");
    EXPECT_EQ(text.substr(text.size() - 42), "bbb. Click to allow popups from this site.");
    wall += 61;
    Block("http://other.example/");
    MessageBoxAnswerer answerer(IDYES);
    ::SendMessageA(form->TrayIcon1->MessageWindow(), TTrayIcon::kCallbackMessage, 0,
                   NIN_BALLOONUSERCLICK);
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"Allow popups from other.example?"});
    EXPECT_EQ(File(), "other.example\r\n");
    Build();
    EXPECT_TRUE(form->Notify->Checked);
}

TEST_F(SitesTest, TheStatisticsListTheSitesBlockedMostEachWithItsAllowButton) {
    Build();
    for (const char* site : {"a.example", "b.example", "b.example", "c.example"})
        Block(std::string("http://") + site + "/");
    form->CountClick(nullptr);
    const TopSitesList& list = *form->Statistics->TopSites;
    EXPECT_EQ(list.Rows[0]->Text() + "|" + list.Rows[1]->Text(),
              "b.example: 2 popups|c.example: 1 popup");
    EXPECT_TRUE(::IsWindowVisible(list.Rows[2]->Handle()));
    EXPECT_FALSE(::IsWindowVisible(list.Rows[3]->Handle()));
    MessageBoxAnswerer yes(IDYES);
    list.Buttons[0]->Click();
    EXPECT_EQ(File(), "b.example\r\n");
    SetPolicy("RecordBlockedSites", 0);
    form->CountClick(nullptr);
    EXPECT_FALSE(::IsWindowVisible(list.Heading->Handle()));
}

} // namespace
} // namespace stilvane
