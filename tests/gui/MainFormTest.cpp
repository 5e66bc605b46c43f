#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>

#include "common/TempProgramFolder.h"
#include "core/app/AppCore.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "gui/app/NagScreen.h"
#include "gui/app/QuarnMainForm.h"

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
               "[Connection]\n[Network]\n");
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
    form.resize(1000, 700);
    form.show();
  }
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
