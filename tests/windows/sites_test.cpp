// Blocked sites: the submenu, one-click allowing, policies, notification, statistics.
#include "form_fixture.h"

namespace stilvane {
namespace {

using namespace testing;
using Rows = std::vector<std::string>;

const char kManaged[] =
    "Your organization now manages the exception list: your changes to it cannot be saved.";

class SitesTest : public PauseTest {
protected:
    void SetUp() override {
        PauseTest::SetUp();
        shell.notify = [this, base = shell.notify](DWORD message, NOTIFYICONDATAA& data) {
            if ((data.uFlags & NIF_INFO) && data.szInfo[0])
                balloons.push_back(data.szInfo);
            return base(message, data);
        };
    }
    void Block(const std::string& address) const {
        key.SetString("PopupBlocker_BlockURL", address);
        Signal(), form->ThreadTimer1Timer(nullptr);
    }
    Rows Submenu() const {
        Rows shown;
        for (const auto& item : form->Recent->Items())
            shown.push_back(item->Caption + (item->Enabled ? "" : " [grey]"));
        return shown;
    }
    void SetPolicy(const char* name, DWORD value) const {
        RegistryKey::Create(HKEY_CURRENT_USER, PolicyPath(), KEY_SET_VALUE)
            .SetBytes(name, REG_DWORD, &value, sizeof value);
        ::SendMessageA(form->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    }
    std::string File() const { return ReadWholeFile(folder.File("popup-exp.ini")); }
    Rows balloons;
};

TEST_F(SitesTest, TheSubmenuListsTheLastSitesNewestFirstAcrossARestartUntilAReset) {
    Build();
    EXPECT_EQ(Submenu(), Rows{"No sites yet [grey]"});
    Block("http://Shop.Example.com/cart?id=7");
    Block("https://user:pw@www.other.example:8443/");
    Block("http://shop.example.com/");
    Build(); // the records outlive a restart
    EXPECT_EQ(Submenu(), (Rows{"shop.example.com (2)", "other.example (1)"}));
    MessageBoxAnswerer yes(IDYES);
    form->Statistics->Button_ResetClick(nullptr);
    EXPECT_EQ(Submenu(), Rows{"No sites yet [grey]"});
}

TEST_F(SitesTest, ASiteIsAllowedOnYesIntoTheFileOrTheOpenEditorOrSaidToBeCovered) {
    folder.Write("popup-exp.ini", "example.org\r\n");
    Build();
    Block("http://news.example.org/");
    Block("http://shop.example.com/");
    for (const int answer : {IDNO, IDYES}) {
        MessageBoxAnswerer answerer(answer);
        form->Recent->Items()[0]->Click();
        EXPECT_EQ(answerer.Texts(), Rows{"Allow popups from shop.example.com?"});
    }
    EXPECT_EQ(File(), "example.org\r\nshop.example.com\r\n");
    MessageBoxAnswerer answerer(IDYES);
    form->Recent->Items()[1]->Click();
    EXPECT_EQ(answerer.Texts(), Rows{"Popups from news.example.org are already allowed by the "
                                     "entry example.org."});
    Block("http://a.example/"); // now with the editor open: an unsaved addition
    form->ExceptionsClick(nullptr);
    form->Editor->Edit1->SetText("half typ");
    form->Hide(); // behind the others
    form->Recent->Items()[0]->Click();
    EXPECT_EQ(form->Editor->ListBox1->Items(),
              (Rows{"a.example", "example.org", "shop.example.com"}));
    EXPECT_TRUE(form->Editor->HasUnsavedEdits() && ::IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Editor->Edit1->Text(), "half typ");
    EXPECT_EQ(File(), "example.org\r\nshop.example.com\r\n");
}

TEST_F(SitesTest, TheOrganizationGreysTheSitesOrStopsRecordingThemAndForgetsThem) {
    Build();
    Block("http://shop.example.com/");
    SetPolicy("ExceptionsEditable", 0);
    EXPECT_EQ(Submenu(), Rows{"shop.example.com (1) (set by your organization) [grey]"});
    MessageBoxAnswerer answerer;
    form->Sites().Allow("shop.example.com");
    EXPECT_EQ(answerer.Texts(), Rows{kManaged});
    SetPolicy("RecordBlockedSites", 0);
    EXPECT_FALSE(form->Recent->Visible);
    EXPECT_EQ(Own("BlockedSites"), "");
    Block("http://other.example/");
    EXPECT_EQ(Own("BlockedSiteCounts"), "");
}

TEST_F(SitesTest, APublicSuffixIsNeverOfferedALongNameKeepsItsDomainAndTheLockIsLookedAtAgain) {
    folder.Write("popup-exp.ini", "co.uk\r\n");
    Build();
    form->Notify->Click();
    Block("http://github.io/");
    EXPECT_EQ(balloons.back(), "Popup blocked on github.io.");
    Block("http://www.co.uk/");
    Block("http://shop.co.uk/"); // the entry co.uk covers no one's site
    std::string lure = "http://www.paypal.com.login-secure-account-verification";
    while (lure.size() < 240)
        lure += ".xxxxxxxxxx";
    Block(lure + ".attacker.example/");
    EXPECT_EQ(Submenu(),
              (Rows{"paypal.com.login-secur...xxxxxx.attacker.example (1)", "shop.co.uk (1)",
                    "www.co.uk (1)", "github.io (1) (shared by many sites) [grey]"}));
    {
        MessageBoxAnswerer no(IDNO);
        form->Sites().Allow("github.io"); // asks nothing
        form->Recent->Items()[0]->Click();
        EXPECT_EQ(no.Texts(),
                  Rows{"Allow popups from "
                       "paypal.com.login-secure-accoun...xxx.xxxxxxxxxx.attacker.example?"});
    }
    // The organization takes the list over while the question waits.
    MessageBoxAnswerer yes(IDYES, [this] { SetPolicy("ExceptionsEditable", 0); });
    form->Recent->Items()[1]->Click();
    EXPECT_EQ(yes.Texts(), (Rows{"Allow popups from shop.co.uk?", kManaged}));
    EXPECT_EQ(File(), "co.uk\r\n");
}

TEST_F(SitesTest, NotificationsAreAskedForPacedCutToTheShellsFieldAndAClickAsks) {
    Build();
    balloons.clear();                  // the first start's
    Block("http://shop.example.com/"); // not told: off at first
    form->Notify->Click();
    for (int i = 0; i < 50; ++i)
        Block("http://shop.example.com/");
    Block("http://other.example/"); // within the minute
    EXPECT_EQ(balloons,
              Rows{"Popup blocked on shop.example.com. Click to allow popups from this site."});
    wall += 61;
    const std::string label(63, 'a');
    Block("http://" + label + "." + label + "." + label + "." + std::string(61, 'b') + "/");
    const std::string cut = balloons.back();
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut.substr(cut.find("...") - 2, 5) + cut.substr(cut.size() - 42),
              "aa...bbb. Click to allow popups from this site.");
    wall += 61;
    Block("http://other.example/");
    MessageBoxAnswerer answerer(IDYES);
    ::SendMessageA(form->TrayIcon1->MessageWindow(), TTrayIcon::kCallbackMessage, 0,
                   NIN_BALLOONUSERCLICK);
    EXPECT_EQ(File(), "other.example\r\n");
}

TEST_F(SitesTest, TheStatisticsListTheSitesBlockedMostEachWithItsAllowButton) {
    Build();
    form->CountClick(nullptr);
    EXPECT_EQ(form->Statistics->TopSites->Rows[0]->Text(), "No sites yet");
    EXPECT_TRUE(::IsWindowVisible(form->Statistics->TopSites->Rows[0]->Handle()));
    for (const char* site : {"a.example", "b.example", "b.example", "c.example"})
        Block(std::string("http://") + site + "/");
    form->CountClick(nullptr);
    const TopSitesList& list = *form->Statistics->TopSites;
    EXPECT_EQ(list.Rows[0]->Text() + "|" + list.Rows[1]->Text(),
              "b.example: 2 popups|c.example: 1 popup");
    MessageBoxAnswerer yes(IDYES);
    list.Buttons[0]->Click();
    EXPECT_EQ(File(), "b.example\r\n");
    SetPolicy("RecordBlockedSites", 0);
    EXPECT_FALSE(::IsWindowVisible(list.Heading->Handle()));
}

} // namespace
} // namespace stilvane
