#include "core/app/LanguageTable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/app/FormatText.h"

namespace {

class LanguageTableTest : public ::testing::Test {
 protected:
  TLanguageTable Load(const QByteArray& content,
                      const QString& section = QStringLiteral("Deutsch")) {
    const QString path = Dir.filePath(QStringLiteral("Lang.ini"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    TLanguageTable table;
    table.LoadFile(path, section);
    return table;
  }
  QTemporaryDir Dir;
};

TEST_F(LanguageTableTest, LineBreakEscapeBecomesLineFeedThenCarriageReturn) {
  const TLanguageTable t = Load("[Deutsch]\nTWO=erste\\nzweite\n");
  const QString text = t.Translate(QStringLiteral("TWO"));
  EXPECT_EQ(text, QStringLiteral("erste\n\rzweite"));
  EXPECT_EQ(text.mid(5, 2).toLatin1(), QByteArray("\x0A\x0D"));
}

TEST_F(LanguageTableTest, ReferencesAreResolvedAndUnknownOnesStay) {
  const TLanguageTable t = Load(
      "[Deutsch]\nA=Hallo $b_1$!\nb_1=Welt\nC=Fehlt: $NOPE$ und $b_1$ $b_1$\n"
      "D=$A$ zweimal\n");
  EXPECT_EQ(t.Translate(QStringLiteral("A")), QStringLiteral("Hallo Welt!"));
  EXPECT_EQ(t.Translate(QStringLiteral("C")), QStringLiteral("Fehlt: $NOPE$ und Welt Welt"));
  // A's own reference was already resolved when D was processed (file order).
  EXPECT_EQ(t.Translate(QStringLiteral("D")), QStringLiteral("Hallo Welt! zweimal"));
}

TEST_F(LanguageTableTest, CaptionsKeysAndErrors) {
  const TLanguageTable t = Load("[Deutsch]\nCLOSE=Schließen\n[English]\nCLOSE=Close\n");
  EXPECT_EQ(t.TranslateCaption(QStringLiteral("#CLOSE")), QStringLiteral("Schließen"));
  EXPECT_EQ(t.TranslateCaption(QStringLiteral("#MISSING")), QString());
  EXPECT_EQ(t.TranslateCaption(QStringLiteral("CLOSE")), QString());
  EXPECT_TRUE(t.HasKey(QStringLiteral("CLOSE")));
  // The file ignores case, the table does not.
  EXPECT_FALSE(t.HasKey(QStringLiteral("close")));
  try {
    t.Translate(QStringLiteral("close"));
    FAIL() << "no error for a missing key";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message, QStringLiteral("Key \"close\" not found"));
  }
  try {
    t.Translate(QString());
    FAIL() << "no error for an empty key";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message, QStringLiteral("Key cannot be an empty string"));
  }
}

TEST_F(LanguageTableTest, MissingFileSectionOrGarbageGivesEmptyTable) {
  EXPECT_EQ(Load("[English]\nX=y\n", QStringLiteral("Deutsch")).Count(), 0);
  EXPECT_EQ(Load("").Count(), 0);
  EXPECT_EQ(Load(QByteArray("\x00\xFF\xFE[Deutsch\x00]", 10)).Count(), 0);
  TLanguageTable none;
  none.LoadFile(Dir.filePath(QStringLiteral("absent.ini")), QStringLiteral("Deutsch"));
  EXPECT_EQ(none.Count(), 0);
  EXPECT_THROW(none.Translate(QStringLiteral("OK")), ELanguageError);
}

TEST_F(LanguageTableTest, LoadsEveryKeyAndWholeValuesPastTheOldBufferLimits) {
  QByteArray content("[Deutsch]\n");
  for (int i = 0; i < 2000; ++i)
    content += "SOME_RATHER_LONG_KEY_NAME_NUMBER_" + QByteArray::number(i) + "=text\n";
  content += "LONG=" + QByteArray(4000, 'x') + "\n";
  const TLanguageTable t = Load(content);
  EXPECT_EQ(t.Count(), 2001);
  EXPECT_TRUE(t.HasKey(QStringLiteral("SOME_RATHER_LONG_KEY_NAME_NUMBER_1999")));
  EXPECT_EQ(t.Translate(QStringLiteral("LONG")).size(), 4000);
}

TEST(FormatText, ConversionsIndexesAndMissingArguments) {
  const QLocale c(QLocale::C);
  struct Case {
    const char* Format;
    QVariantList Args;
    const char* Expected;
  } cases[] = {
      {"Ansicht %d", {3}, "Ansicht 3"},
      {"%s von %s", {"a", "b"}, "a von b"},
      {"%1:s-%0:s", {"x", "y"}, "y-x"},
      {"%.2n EUR", {1234.5}, "1,234.50 EUR"},
      {"%.2f%s", {2.3, " beta 1"}, "2.30 beta 1"},
      {"%5d|%-4s|", {42, "ab"}, "   42|ab  |"},
      {"100%% %d", {7}, "100% 7"},
      {"%d und %d", {1}, "1 und %d"},
      {"kein %z Platzhalter", {1}, "kein %z Platzhalter"},
  };
  for (const Case& k : cases)
    EXPECT_EQ(FormatText(QString::fromUtf8(k.Format), k.Args, c), QString::fromUtf8(k.Expected))
        << k.Format;
  EXPECT_EQ(FormatPlaceholders(QStringLiteral("%d of %s, 50%% at %.2f")),
            (QList<QChar>{QLatin1Char('d'), QLatin1Char('s'), QLatin1Char('f')}));
}

}  // namespace
