// The start-up and close-down sequences, headless, in a throw-away program folder.
#include <gtest/gtest.h>

#include <QDir>

#include "common/TempProgramFolder.h"
#include "core/app/AppCore.h"
#include "core/app/CloseDownSequence.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/app/StartupSequence.h"

namespace {

const QByteArray kLang =
    "[Deutsch]\nNAG_LOGON=Anmelden...\nNAG_COMPLETE=Fertig\nQUARN_SLOGAN=x\n"
    "[English]\nNAG_LOGON=Logging on...\nNAG_COMPLETE=Done\n";

const QByteArray kPrefs =
    "[Application]\r\nLanguage=English\r\nDefaultSiteID=3\r\ntoken=abc\r\n"
    "[Connection]\r\nUseProxy=0\r\nProxyUser=plainuser\r\n"
    "[Network]\r\nMaxConcurentConnections=25\r\n"
    "[Gallery]\r\nTinyThumbWidth=200\r\n"
    "[UndockedBrowser]\r\nLeft=5\r\n";

class SequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppCore() = TAppCore();
    Folder.Write(QStringLiteral("common/Lang.ini"), kLang);
  }
  void TearDown() override {
    AppCore() = TAppCore();
    LanguageTable().Clear();
  }
  TStartupSequence MakeStartup(QStringList args = {}) {
    return TStartupSequence({Folder.Path(), Folder.TempPath(), std::move(args)});
  }
  TempProgramFolder Folder;
};

TEST_F(SequenceTest, RunsThirtyOneStepsInOrderWithTheirStatusTexts) {
  Folder.Write(QStringLiteral("settings/prefs.ini"), kPrefs);
  TStartupSequence startup = MakeStartup();
  QStringList statuses;
  QList<int> order;
  startup.OnStatus = [&](const QString& s) { statuses << s; };
  for (int step = 1; step <= 31; ++step)
    startup.AddAction(step, [&order, step] { order << step; });
  ASSERT_TRUE(startup.Run()) << qPrintable(startup.ErrorMessage());

  QList<int> expected;
  for (int i = 1; i <= 31; ++i)
    expected << i;
  EXPECT_EQ(order, expected);
  ASSERT_EQ(statuses.size(), 13);
  EXPECT_EQ(statuses.first(), QStringLiteral("Logging on..."));  // translated, in English
  EXPECT_EQ(statuses[1], QStringLiteral("NAG_REGEX"));           // key not in this file
  EXPECT_EQ(statuses.last(), QStringLiteral("Done"));

  const TAppCore& core = AppCore();
  EXPECT_FALSE(core.FirstRunWizardNeeded);
  EXPECT_EQ(core.Config.Language, QStringLiteral("English"));
  EXPECT_EQ(core.Config.DefaultSiteID, 3);
  EXPECT_EQ(core.Network.MaxConcurentConnections, 25);
  EXPECT_EQ(core.Network.ProxyUser, QStringLiteral("plainuser"));
  EXPECT_EQ(core.Network.UserAgent,
            QStringLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Quarn ") +
                core.Version.VersionString + QLatin1Char(')'));
  EXPECT_EQ(core.ModuleUserAgent, QStringLiteral("Quarn-Client ") + core.Version.VersionString);
  EXPECT_EQ(core.Folders.PrefsFile, Folder.Path() + QStringLiteral("settings/prefs.ini"));
  EXPECT_TRUE(QDir(core.Folders.CacheFolder).exists());
  EXPECT_TRUE(core.Folders.CacheFolder.startsWith(Folder.TempPath()));
}

TEST_F(SequenceTest, CloseWritesEveryKeyKeepsForeignOnesAndDeletesTheCache) {
  Folder.Write(QStringLiteral("settings/prefs.ini"), kPrefs);
  TStartupSequence startup = MakeStartup();
  ASSERT_TRUE(startup.Run());
  const QString cache = AppCore().Folders.CacheFolder;
  TCloseDownSequence close;
  QList<int> order;
  for (int step = 1; step <= 7; ++step)
    close.AddAction(step, [&order, step] { order << step; });
  ASSERT_TRUE(close.Run());
  EXPECT_EQ(order, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_FALSE(QDir(cache).exists());

  const TIniFile ini(Folder.File(QStringLiteral("settings/prefs.ini")));
  EXPECT_EQ(ini.ReadString(QStringLiteral("Application"), QStringLiteral("token"), {}),
            QStringLiteral("abc"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Gallery"), QStringLiteral("TinyThumbWidth"), 0), 120);
  EXPECT_EQ(
      ini.ReadInteger(QStringLiteral("Network"), QStringLiteral("MaxNewConnectionsIn5Sec"), 0), 20);
  EXPECT_EQ(ini.ReadString(QStringLiteral("Connection"), QStringLiteral("ProxyUser"), {}).front(),
            QLatin1Char('/'));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("UndockedBrowser"), QStringLiteral("Left"), 0), 5);
  for (const char* section : {"Application", "SideBar", "Connection", "Network", "Alarm",
                              "ItemList", "Gallery", "Bewertung", "Browser"})
    EXPECT_TRUE(ini.SectionExists(QLatin1String(section))) << section;
  EXPECT_EQ(ini.SectionKeys(QStringLiteral("ItemList")).size(), 9);
  EXPECT_EQ(ini.SectionKeys(QStringLiteral("Alarm")).size(), 5);
}

TEST_F(SequenceTest, AFailedStartWritesNothingAndKeepsTheCache) {
  Folder.Write(QStringLiteral("settings/prefs.ini"), kPrefs);
  TStartupSequence startup = MakeStartup();
  bool laterStepRan = false;
  // A log-on that fails without a proxy ends the program.
  startup.AddAction(18, [] { AppCore().StartupAborted = true; });
  startup.AddAction(19, [&] { laterStepRan = true; });
  EXPECT_FALSE(startup.Run());
  EXPECT_FALSE(laterStepRan);
  EXPECT_EQ(startup.Sequence().LastStep(), 18);

  TCloseDownSequence close;
  EXPECT_FALSE(close.Run());
  EXPECT_EQ(Folder.Read(QStringLiteral("settings/prefs.ini")), kPrefs);
  EXPECT_TRUE(QDir(AppCore().Folders.CacheFolder).exists());
}

TEST_F(SequenceTest, AnErrorInsideAStepEndsTheStartLikeAnAbort) {
  TStartupSequence startup = MakeStartup();
  // No prefs.ini: the wizard is needed; without a wizard the language loads anyway.
  startup.AddAction(22, [] { Translate(QStringLiteral("NO_SUCH_KEY")); });
  EXPECT_FALSE(startup.Run());
  EXPECT_EQ(startup.ErrorMessage(), QStringLiteral("Key \"NO_SUCH_KEY\" not found"));
  EXPECT_TRUE(AppCore().FirstRunWizardNeeded);
  EXPECT_TRUE(AppCore().StartupAborted);
  TCloseDownSequence close;
  EXPECT_FALSE(close.Run());
  EXPECT_FALSE(QFile::exists(Folder.File(QStringLiteral("settings/prefs.ini"))));
}

TEST_F(SequenceTest, SetupArgumentRunsTheWizardInsteadOfLoadingTheLanguage) {
  Folder.Write(QStringLiteral("settings/prefs.ini"), kPrefs);
  TStartupSequence startup = MakeStartup({QStringLiteral("Setup")});
  int wizardRuns = 0;
  startup.RunWizard = [&] {
    ++wizardRuns;
    LoadLanguage(QStringLiteral("Deutsch"));
  };
  ASSERT_TRUE(startup.Run());
  EXPECT_EQ(wizardRuns, 1);
  EXPECT_EQ(Translate(QStringLiteral("NAG_COMPLETE")), QStringLiteral("Fertig"));
}

}  // namespace
