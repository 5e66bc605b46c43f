#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <memory>

#include "common/TempProgramFolder.h"
#include "core/app/AppCore.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/search/SearchAction.h"
#include "core/search/SearchActionList.h"
#include "gui/app/AlertWindow.h"
#include "gui/app/NagScreen.h"
#include "gui/app/QuarnMainForm.h"
#include "gui/search/EBayFrame.h"

namespace {

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppCore() = TAppCore();
    QFile::copy(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                Folder.File(QStringLiteral("common/Lang.ini")));
  }
  void TearDown() override {
    AppCore() = TAppCore();
    LanguageTable().Clear();
  }
  TQuarnMainForm::Options Options() const { return {Folder.Path(), Folder.TempPath(), {}}; }
  TempProgramFolder Folder;
};

TEST_F(MainFormTest, StartsWithCaptionAndBootTextsAndWritesSettingsAtClose) {
  Folder.Write(QStringLiteral("settings/prefs.ini"),
               "[Application]\nLanguage=English\nWidth=900\nHeight=650\nLeft=40\nTop=30\n"
               "[Connection]\n[Network]\nMaxConcurentConnections=30\n");
  Folder.Write(QStringLiteral("settings/ListedItems.txt"), "222\r\n111\r\n");
  TNagScreen nag;
  QStringList shown;
  {
    TQuarnMainForm form(Options(), &nag);
    ASSERT_TRUE(form.RunStartup()) << qPrintable(form.StartupError());
    const QString expectedTitle =
        QStringLiteral("Quarn ") + AppCore().Version.DisplayedVersion() + QStringLiteral(" - ") +
        Translate(QStringLiteral("QUARN_SLOGAN")) + QStringLiteral(" - www.quarn.app");
    EXPECT_EQ(form.windowTitle(), expectedTitle);
    EXPECT_EQ(nag.VersionLabel->text(),
              QStringLiteral("Version ") + AppCore().Version.DisplayedVersion());
    EXPECT_EQ(nag.StatusLabel->text(), Translate(QStringLiteral("NAG_COMPLETE")));
    EXPECT_EQ(form.size(), QSize(900, 650));
    EXPECT_TRUE(form.IsListed(QStringLiteral("111")));
    form.AddListed(QStringLiteral("333"));
    TSearchAction search;
    search.SetCustomCaption(QStringLiteral("kept"));
    form.SearchHistory.AddToHistory(search);
    form.resize(1000, 700);
    form.show();
  }
  TSearchActionList history;
  history.LoadFromFile(Folder.File(QStringLiteral("settings/SearchHistory.xml")));
  ASSERT_EQ(history.Count(), 1);
  EXPECT_EQ(history.Items(0)->CustomCaption(), QStringLiteral("kept"));
  EXPECT_EQ(Folder.Read(QStringLiteral("settings/ListedItems.txt")),
            QByteArray("333\r\n222\r\n111\r\n"));
  const TIniFile ini(Folder.File(QStringLiteral("settings/prefs.ini")));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Application"), QStringLiteral("Width"), 0), 1000);
  EXPECT_EQ(ini.ReadString(QStringLiteral("Application"), QStringLiteral("Language"), {}),
            QStringLiteral("English"));
  EXPECT_TRUE(
      ini.ValueExists(QStringLiteral("Network"), QStringLiteral("MaxConcurentConnections")));
}

TEST_F(MainFormTest, AFailedStartLeavesPrefsUntouched) {
  const QByteArray prefs = "[Application]\nLanguage=Klingonisch\n[Connection]\n[Network]\n";
  Folder.Write(QStringLiteral("settings/prefs.ini"), prefs);
  {
    // No such language: the first translated text fails and ends the start.
    TQuarnMainForm form(Options());
    EXPECT_FALSE(form.RunStartup());
    EXPECT_EQ(form.StartupError(), QStringLiteral("Key \"QUARN_SLOGAN\" not found"));
  }
  EXPECT_EQ(Folder.Read(QStringLiteral("settings/prefs.ini")), prefs);
}

}  // namespace

namespace {

// A search tab whose status and busy state the test sets by hand.
class FakeTab : public TEBayFrame {
 public:
  using TEBayFrame::TEBayFrame;
  void Start(const QString& caption) {
    SetCaption(1, caption);
    SearchStarted();
  }
  void Finish() { SearchFinished(); }
  int Shows = 0;
  void Shown() override { ++Shows; }
};

class MainWindowTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Folder.Write(QStringLiteral("settings/prefs.ini"),
                 "[Application]\nLanguage=English\n[Connection]\n[Network]\n");
    Form = std::make_unique<TQuarnMainForm>(Options());
    Form->SearchTabFactory = [](QWidget* p) { return new FakeTab(p); };
    ASSERT_TRUE(Form->RunStartup());
  }
  void TearDown() override {
    Form.reset();
    MainFormTest::TearDown();
  }
  FakeTab* Tab(int i) { return static_cast<FakeTab*>(Form->SearchTabAt(i)); }
  std::unique_ptr<TQuarnMainForm> Form;
};

TEST_F(MainWindowTest, TabsKeepTheirNumbersAndLongCaptionsAreCut) {
  ASSERT_EQ(Form->SearchTabCount(), 1);
  Form->NewSearchTab();
  Form->NewSearchTab();
  EXPECT_EQ(Form->TabStrip()->tabText(2), QStringLiteral("eBay view 3"));
  EXPECT_EQ(Form->TabStrip()->tabButton(0, QTabBar::RightSide), nullptr);
  EXPECT_NE(Form->TabStrip()->tabButton(1, QTabBar::RightSide), nullptr);
  Form->CloseSearchTab(1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(Form->SearchTabCount(), 2);
  EXPECT_EQ(Form->TabStrip()->tabText(1), QStringLiteral("eBay view 3"));
  Form->CloseSearchTab(0);  // the first tab cannot be closed
  EXPECT_EQ(Form->SearchTabCount(), 2);

  const QString caption41 = QString(40, QLatin1Char('k')) + QLatin1Char('X');
  Tab(1)->Start(caption41);
  EXPECT_EQ(Form->TabStrip()->tabText(1), QString(40, QLatin1Char('k')) + QStringLiteral("..."));
  EXPECT_EQ(Form->TabStrip()->tabToolTip(1), caption41);
  EXPECT_EQ(Form->TabStrip()->tabTextColor(1), QColor(Qt::red));
  EXPECT_FALSE(Form->TabStrip()->tabIcon(1).isNull());  // type code 1
  EXPECT_TRUE(TQuarnMainForm::SearchTypeIcon(0).isNull());
  EXPECT_TRUE(TQuarnMainForm::SearchTypeIcon(5).isNull());
  Tab(1)->Start(QStringLiteral("R&B"));
  EXPECT_EQ(Form->TabStrip()->tabText(1), QStringLiteral("R&&B"));
  EXPECT_EQ(Form->TabStrip()->tabToolTip(1), QString());
  Tab(1)->Finish();
  EXPECT_NE(Form->TabStrip()->tabTextColor(1), QColor(Qt::red));
}

TEST_F(MainWindowTest, CancelButtonAndStatusBarFollowTheVisibleTab) {
  FakeTab* first = Tab(0);
  first->Status.StatusText = QStringLiteral("loading");
  first->Status.ListProgress = 40;
  first->Status.FirstPage = 1;
  first->Status.LastPage = 3;
  first->Status.TotalItems = 1234;
  first->Start(QStringLiteral("nikon"));
  EXPECT_TRUE(Form->ProcessCancelButton->isEnabled());
  Form->UpdateStatusBar();
  EXPECT_EQ(Form->StatusPanelText(0), QStringLiteral("loading"));
  EXPECT_EQ(Form->StatusPanelProgress(1), 40);
  EXPECT_EQ(Form->StatusPanelProgress(2), -1);
  EXPECT_EQ(Form->StatusPanelText(4), QStringLiteral("1 - 3"));
  EXPECT_EQ(Form->StatusPanelText(5), QString());
  EXPECT_EQ(Form->StatusPanelText(7), QStringLiteral("1234"));
  EXPECT_TRUE(Form->StatusPanelText(8).startsWith(QStringLiteral("Local time: ")));

  // The watch list shown while the search runs: no cancel, its own (empty) status.
  Form->ShowFavoritesUnit();
  EXPECT_FALSE(Form->ProcessCancelButton->isEnabled());
  EXPECT_FALSE(Form->EBayViewRefreshButton->isEnabled());
  Form->UpdateStatusBar();
  EXPECT_EQ(Form->StatusPanelText(0), QString());
  Form->ShowSearchUnit();
  EXPECT_TRUE(Form->ProcessCancelButton->isEnabled());

  // A busy change of a tab in the background does not touch the button.
  Form->NewSearchTab();
  EXPECT_FALSE(Form->ProcessCancelButton->isEnabled());
  first->Finish();
  Tab(1)->Start(QStringLiteral("x"));
  EXPECT_TRUE(Form->ProcessCancelButton->isEnabled());
  Form->ProcessCancelButton->click();
  EXPECT_FALSE(Tab(1)->Busy());
  EXPECT_FALSE(Form->ProcessCancelButton->isEnabled());
}

TEST_F(MainWindowTest, FullScreenIsStoredAndRestored) {
  Form->show();
  Form->setGeometry(50, 60, 900, 600);
  Form->SetFullScreen(true);
  EXPECT_TRUE(Form->FullScreenButton->isChecked());
  EXPECT_TRUE(Form->WindowRootCommandsPanel->isVisibleTo(Form.get()));
  Form->SetFullScreen(false);
  EXPECT_FALSE(Form->WindowRootCommandsPanel->isVisibleTo(Form.get()));
  EXPECT_EQ(Form->geometry().size(), QSize(900, 600));
  Form->SetFullScreen(true);
  Form.reset();  // closes in full screen
  const TIniFile ini(Folder.File(QStringLiteral("settings/prefs.ini")));
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("Application"), QStringLiteral("FullScreen"), false));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Application"), QStringLiteral("Width"), 0), 900);

  AppCore() = TAppCore();
  TQuarnMainForm again(Options());
  ASSERT_TRUE(again.RunStartup());
  EXPECT_TRUE(again.FullScreenOn());
  EXPECT_TRUE(again.FullScreenButton->isChecked());
}

TEST_F(MainWindowTest, NotificationsAndTheirLinks) {
  Form->NewSearchTab();
  Form->SelectSearchTab(0);
  Form->AddAlertMessage(QStringLiteral("plain"), nullptr, false, 0);
  Form->AddAlertMessage(QStringLiteral("bid"), Tab(1), true, 2);
  EXPECT_EQ(Form->Alerts()->Count(), 2);
  EXPECT_EQ(Form->Alerts()->Current(), 1);
  Form->ShowFavoritesUnit();
  Q_EMIT Form->Alerts()->LinkActivated(1);
  EXPECT_TRUE(Form->SearchUnitShown());
  EXPECT_EQ(Form->CurrentSearchTab(), Tab(1));
  EXPECT_FALSE(Form->Alerts()->isVisible());
}

}  // namespace
