#include "core/app/Prefs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/app/IniFile.h"
#include "core/app/Scramble.h"
#include "core/app/VersionInfo.h"

namespace {

TIniFile Ini(const char* text) {
  TIniFile ini;
  ini.LoadFromText(QString::fromUtf8(text));
  return ini;
}

TEST(Version, FileVersionGivesVersionStringAndDerivedValues) {
  const TVersionInfo v = TVersionInfo::FromFileVersion(2, 2, 3, 30);
  EXPECT_EQ(v.VersionString, QStringLiteral("2.230"));
  EXPECT_EQ(v.DisplayedVersion(), QStringLiteral("2.23"));
  EXPECT_EQ(v.BetaText(), QString());
  EXPECT_DOUBLE_EQ(v.VersionNumber(), 2.23);
  EXPECT_TRUE(Prefs::UserAgentFor(v.VersionString).endsWith(QStringLiteral("Quarn 2.230)")));
  EXPECT_EQ(TVersionInfo{QStringLiteral("2.231")}.BetaText(), QStringLiteral(" beta 1"));
  EXPECT_EQ(TVersionInfo::FromFileVersion(10, 1, 0, 5).VersionString, QStringLiteral("10.100"));
}

TEST(Prefs, FirstRunDecision) {
  struct Case {
    const char* Text;
    QStringList Args;
    bool Wizard;
  } cases[] = {
      {"", {}, true},
      {"[Connection]\nUseProxy=0\n[Application]\nLanguage=English\n", {}, true},
      {"[Network]\nMaxConcurentConnections=15\n", {}, true},
      {"[Connection]\n[Network]\n", {}, false},
      {"[connection]\n[NETWORK]\n", {}, false},
      {"[Connection]\n[Network]\n", {QStringLiteral("SETUP")}, true},
      {"[Connection]\n[Network]\n", {QStringLiteral("sEtUp")}, true},
      {"[Connection]\n[Network]\n", {QStringLiteral("other"), QStringLiteral("setup")}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Prefs::NeedsFirstRunWizard(Ini(c.Text), c.Args), c.Wizard)
        << c.Text << " " << qPrintable(c.Args.join(' '));
}

TEST(Prefs, FirstPassDefaultsBlanksAndValuesNeverReadBack) {
  QTemporaryDir dir;
  const QString wave = dir.filePath(QStringLiteral("mine.wav"));
  QFile(wave).open(QIODevice::WriteOnly);
  TConfigTable c = TConfigTable::Defaults(QStringLiteral("/sfx/"));
  QString cat;
  Prefs::ReadFirstPass(Ini("[Application]\nLanguage=   \nDefaultSiteID=abc\nCatVersion=200901\n"
                           "[Gallery]\nTinyThumbWidth=200\nThumbsBorderSize=4\n"
                           "[ItemList]\nShowDayName=0\nSequenceSize=7\n"
                           "[Alarm]\nWaveFile=/no/such/file.wav\n"),
                       c, cat, QStringLiteral("/sfx/Alarm.wav"));
  EXPECT_EQ(c.Language, QStringLiteral("Deutsch"));
  EXPECT_EQ(c.DefaultSiteID, 77);
  EXPECT_EQ(cat, QStringLiteral("200901"));
  EXPECT_EQ(c.TinyThumbWidth, 120);
  EXPECT_EQ(c.ThumbsBorderSize, 4);
  EXPECT_FALSE(c.ShowDayName);
  EXPECT_EQ(c.SequenceSize, 7);
  EXPECT_EQ(c.AlarmWaveFile, QStringLiteral("/sfx/Alarm.wav"));

  TIniFile withWave;
  withWave.WriteString(QStringLiteral("Alarm"), QStringLiteral("WaveFile"), wave);
  Prefs::ReadFirstPass(withWave, c, cat, QStringLiteral("/sfx/Alarm.wav"));
  EXPECT_EQ(c.AlarmWaveFile, wave);
  EXPECT_EQ(cat, QStringLiteral("200805"));

  TIniFile out;
  Prefs::WriteAll(out, c, TNetworkSettings(), TSessionSettings());
  EXPECT_EQ(out.ReadInteger(QStringLiteral("Gallery"), QStringLiteral("TinyThumbWidth"), 0), 120);
  EXPECT_FALSE(out.ValueExists(QStringLiteral("Application"), QStringLiteral("CatVersion")));
  EXPECT_FALSE(out.ValueExists(QStringLiteral("SideBar"), QStringLiteral("Type")));
}

TEST(Scramble, ProxyUserKeyAddsKeyBytesAndWraps) {
  // "ProxyUser" is 9 bytes: the tenth plain byte is shifted by "P" again.
  const QByteArray plain("aaaaaaaaaa\xF0");
  const QByteArray key("ProxyUser");
  const QByteArray s = ScrambleBytes(plain, key);
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 0x61 + 0x50);
  EXPECT_EQ(static_cast<unsigned char>(s[1]), 0x61 + 0x72);
  EXPECT_EQ(static_cast<unsigned char>(s[9]), 0x61 + 0x50);
  EXPECT_EQ(static_cast<unsigned char>(s[10]), (0xF0 + 0x72) & 0xFF);  // wraps modulo 256
  EXPECT_EQ(UnscrambleBytes(s, key), plain);

  const QString stored =
      ScrambleSetting(QStringLiteral("hans.müller"), QStringLiteral("ProxyUser"));
  EXPECT_TRUE(stored.startsWith(QLatin1Char('/')) && stored.endsWith(QLatin1Char('/')));
  EXPECT_EQ(UnscrambleSetting(stored, QStringLiteral("ProxyUser")), QStringLiteral("hans.müller"));
  EXPECT_EQ(ScrambleSetting(QString(), QStringLiteral("ProxyUser")), QStringLiteral("//"));
  EXPECT_EQ(UnscrambleSetting(QStringLiteral("//"), QStringLiteral("ProxyUser")), QString());
  EXPECT_EQ(UnscrambleSetting(QString(), QStringLiteral("ProxyUser")), QString());
}

TEST(Scramble, PlainStoredPasswordIsUsedAndWrittenBackScrambled) {
  TConfigTable c;
  TNetworkSettings n;
  Prefs::ReadSecondPass(Ini("[Connection]\nProxyPassword=geheim\nProxyUser=/x\n"
                            "UseProxy=1\nProxyPort=8080x\n[Network]\nMaxConcurentConnections=30\n"),
                        c, n);
  EXPECT_EQ(n.ProxyPassword, QStringLiteral("geheim"));
  EXPECT_EQ(n.ProxyUser, QStringLiteral("/x"));  // starts but does not end with "/"
  EXPECT_TRUE(n.UseProxy);
  EXPECT_EQ(n.ProxyPort, 1080);
  EXPECT_EQ(n.MaxConcurentConnections, 30);
  EXPECT_EQ(n.MaxNewConnectionsIn5Sec, 20);

  TIniFile out;
  Prefs::WriteAll(out, c, n, TSessionSettings());
  const QString stored =
      out.ReadString(QStringLiteral("Connection"), QStringLiteral("ProxyPassword"), {});
  EXPECT_NE(stored, QStringLiteral("geheim"));
  EXPECT_EQ(UnscrambleSetting(stored, QStringLiteral("ProxyPassword")), QStringLiteral("geheim"));
}

TEST(Scramble, ValuesWhoseScrambledFormBreaksTheLineSurviveTheFile) {
  // U+00BA is C2 BA in UTF-8; 0xBA + "P" (0x50) wraps to 0x0A, a line feed.
  // Placed so that its second byte meets the key's "P" again (position 9 of
  // "ProxyUser", position 13 of "ProxyPassword").
  const QString user = QStringLiteral("abcdefgh\u00BA");
  ASSERT_TRUE(ScrambleBytes(user.toUtf8(), "ProxyUser").contains('\n'));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("prefs.ini"));
  TNetworkSettings n;
  n.ProxyUser = user;
  n.ProxyPassword = QStringLiteral("abcdefghijkl\u00BA");
  TIniFile out;
  Prefs::WriteAll(out, TConfigTable(), n, TSessionSettings());
  ASSERT_TRUE(out.SaveAs(path));
  TConfigTable c;
  TNetworkSettings back;
  Prefs::ReadSecondPass(TIniFile(path), c, back);
  EXPECT_EQ(back.ProxyUser, user);
  EXPECT_EQ(back.ProxyPassword, n.ProxyPassword);
}

TEST(Prefs, SessionRoundTripAndSideBarTypeOnlyWhenVisible) {
  TSessionSettings s;
  s.Left = 10;
  s.Top = 20;
  s.Width = 800;
  s.Height = 600;
  s.FullScreen = true;
  s.SideBarVisible = true;
  s.SideBarType = 2;
  s.SideBarWidth = 250;
  TIniFile ini;
  Prefs::WriteAll(ini, TConfigTable(), TNetworkSettings(), s);
  TSessionSettings back;
  Prefs::ReadSession(ini, back);
  EXPECT_EQ(back, s);

  TSessionSettings hidden;
  Prefs::ReadSession(Ini("[SideBar]\nVisible=0\nType=2\n"), hidden);
  EXPECT_EQ(hidden.SideBarType, 0);
}

}  // namespace
