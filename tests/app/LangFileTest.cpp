// The shipped language file: both languages complete, and every text the
// program formats carries the placeholders its callers pass.
#include <gtest/gtest.h>

#include <QFile>

#include "core/app/FormatText.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"

namespace {

const QString kLangFile = QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini");

QStringList ReadLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList lines;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    const QString line = QString::fromUtf8(raw).trimmed();
    if (!line.isEmpty()) lines << line;
  }
  return lines;
}

TEST(LangFile, BothLanguagesHoldEveryKey) {
  const QStringList keys = ReadLines(QStringLiteral(QUARN_SOURCE_DIR "/tests/data/lang_keys.txt"));
  ASSERT_EQ(keys.size(), 373);
  const TIniFile ini(kLangFile);
  EXPECT_EQ(ini.Sections(), (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English")}));
  for (const QString& language : {QStringLiteral("Deutsch"), QStringLiteral("English")}) {
    TLanguageTable table;
    table.LoadFile(kLangFile, language);
    EXPECT_EQ(table.Count(), 373) << qPrintable(language);
    for (const QString& key : keys) {
      ASSERT_TRUE(table.HasKey(key)) << qPrintable(language + QLatin1Char(' ') + key);
      EXPECT_FALSE(table.Translate(key).trimmed().isEmpty()) << qPrintable(language + ' ' + key);
      EXPECT_FALSE(table.Translate(key).contains(QLatin1Char('$')))
          << "unresolved reference in " << qPrintable(language + ' ' + key);
    }
    EXPECT_EQ(table.Translate(QStringLiteral("LANG_CODE")),
              language == QLatin1String("Deutsch") ? QStringLiteral("de") : QStringLiteral("en"));
  }
}

TEST(LangFile, FormattedTextsCarryTheirCallersPlaceholders) {
  QHash<QString, QString> expected;  // key -> conversion letters in order
  for (const QString& line :
       ReadLines(QStringLiteral(QUARN_SOURCE_DIR "/tests/data/lang_format_keys.txt"))) {
    const QStringList parts = line.split(QLatin1Char('\t'));
    expected.insert(parts.value(0), parts.value(1));
  }
  // The keys the application core itself formats must be among them.
  for (const char* key : {"EBAY_VIEW", "NAG_MODULE", "MSG_MODULE_LOAD_FAILED",
                          "MSG_URL_SCHEMA_LOAD_FAILED", "MSG_CLEAR_ENDED_VIEWED_ITEMS",
                          "UCL_MSG_NEW_QUARN_VERSION", "UCL_DOWNLOAD_QUARN", "MSG_PORT_ERROR"})
    EXPECT_TRUE(expected.contains(QLatin1String(key))) << key;
  EXPECT_EQ(expected.value(QStringLiteral("EBAY_VIEW")), QStringLiteral("d"));
  EXPECT_EQ(expected.value(QStringLiteral("MSG_CLEAR_ENDED_VIEWED_ITEMS")), QStringLiteral("d"));

  for (const QString& language : {QStringLiteral("Deutsch"), QStringLiteral("English")}) {
    TLanguageTable table;
    table.LoadFile(kLangFile, language);
    for (const QString& key : table.Keys()) {
      QString letters;
      for (QChar c : FormatPlaceholders(table.Translate(key)))
        letters += c;
      EXPECT_EQ(letters, expected.value(key)) << qPrintable(language + ' ' + key);
    }
  }
}

}  // namespace
