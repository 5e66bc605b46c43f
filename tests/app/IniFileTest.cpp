#include "core/app/IniFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/app/TextCodec.h"

namespace {

TEST(IniFile, NamesIgnoreCaseAndKeepFileOrder) {
  TIniFile ini;
  ini.LoadFromText(
      QStringLiteral("[Application]\r\nZeta=1\r\nalpha = two words \r\n"
                     "ZETA=3\r\n[other]\nk=v\n"));
  EXPECT_TRUE(ini.SectionExists(QStringLiteral("APPLICATION")));
  EXPECT_EQ(ini.ReadString(QStringLiteral("application"), QStringLiteral("ALPHA"), {}),
            QStringLiteral("two words"));
  // The first of two equal keys is the one read, and it keeps its place.
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("Application"), QStringLiteral("zeta"), 0), 1);
  EXPECT_EQ(ini.SectionKeys(QStringLiteral("Application")),
            (QStringList{QStringLiteral("Zeta"), QStringLiteral("alpha")}));
  EXPECT_EQ(ini.Sections(), (QStringList{QStringLiteral("Application"), QStringLiteral("other")}));
}

TEST(IniFile, IntegersThatDoNotParseReadAsDefault) {
  struct Case {
    const char* Text;
    int Expected;
  } cases[] = {{"42", 42}, {" -7 ", -7},       {"$1F", 31}, {"0x10", 16}, {"12abc", 99},
               {"", 99},   {"4294967296", 99}, {"1.5", 99}, {"+3", 3},    {"٣", 99}};
  for (const Case& c : cases) {
    TIniFile ini;
    ini.LoadFromText(QStringLiteral("[s]\nk=") + QString::fromUtf8(c.Text) + QLatin1Char('\n'));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("s"), QStringLiteral("k"), 99), c.Expected) << c.Text;
  }
  TIniFile ini;
  ini.LoadFromText(QStringLiteral("[s]\nflag=0\nother=5\n"));
  EXPECT_FALSE(ini.ReadBool(QStringLiteral("s"), QStringLiteral("flag"), true));
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("s"), QStringLiteral("other"), false));
  EXPECT_TRUE(ini.ReadBool(QStringLiteral("s"), QStringLiteral("missing"), true));
}

TEST(IniFile, BrokenEmptyAndBinaryInputGivesWhatCanBeRead) {
  TIniFile ini;
  ini.LoadFromText(
      QStringLiteral("key=before any section\n[ok\n=novalue\nnoequals\n"
                     "[good]\nk=v\n;comment=x\n[]\nx=y\n"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("good"), QStringLiteral("k"), {}), QStringLiteral("v"));
  EXPECT_FALSE(ini.ValueExists(QStringLiteral("good"), QStringLiteral(";comment")));
  EXPECT_EQ(ini.SectionKeys(QStringLiteral("ok")), QStringList());

  QByteArray binary;
  for (int i = 0; i < 4096; ++i)
    binary.append(static_cast<char>((i * 7919) & 0xFF));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bin.ini"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(binary);
  f.close();
  const TIniFile fromBinary(path);  // must not crash; whatever it finds is fine
  EXPECT_EQ(
      fromBinary.ReadString(QStringLiteral("Connection"), QStringLiteral("x"), QStringLiteral("d")),
      QStringLiteral("d"));
  const TIniFile missing(dir.filePath(QStringLiteral("nope.ini")));
  EXPECT_TRUE(missing.Sections().isEmpty());
}

TEST(IniFile, SavesAtomicallyAndRoundTripsUnicodeAndLongValues) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("x.ini"));
  TIniFile ini;
  const QString longValue(5000, QLatin1Char('z'));  // far past the old 2047-character cut
  ini.WriteString(QStringLiteral("Application"), QStringLiteral("Name"),
                  QStringLiteral("Jürgen €"));
  ini.WriteString(QStringLiteral("Application"), QStringLiteral("Long"), longValue);
  ini.WriteInteger(QStringLiteral("Network"), QStringLiteral("Max"), 30);
  ASSERT_TRUE(ini.SaveAs(path));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.contains("[Network]\r\nMax=30\r\n"));
  const TIniFile back(path);
  EXPECT_EQ(back.ReadString(QStringLiteral("application"), QStringLiteral("name"), {}),
            QStringLiteral("Jürgen €"));
  EXPECT_EQ(back.ReadString(QStringLiteral("Application"), QStringLiteral("Long"), {}), longValue);
  EXPECT_FALSE(ini.SaveAs(dir.filePath(QStringLiteral("no/such/dir/x.ini"))));
}

TEST(IniFile, ReadsWindows1252FilesFromOlderInstallations) {
  const QByteArray legacy("[Application]\r\nEBayUserName=M\xFCller \x80\r\n");
  EXPECT_EQ(TextCodec::DecodeText(legacy),
            QStringLiteral("[Application]\r\nEBayUserName=Müller €\r\n"));
  EXPECT_EQ(TextCodec::DecodeText(QByteArray("\xEF\xBB\xBFok")), QStringLiteral("ok"));
}

}  // namespace
