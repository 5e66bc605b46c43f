#include "core/app/QuarnLib.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"

namespace {

TEST(QuarnLib, FormatByteSize) {
  const QLocale c(QLocale::C);
  struct Case {
    quint64 Bytes;
    bool Short;
    const char* Expected;
  } cases[] = {
      {0, true, "0 B"},
      {1023, true, "1023 B"},
      {1024, true, "1 KB"},
      {1536, true, "1.5 KB"},
      {1048576, true, "1 MB"},
      {1024 + 5, true, "1 KB"},       // 1.0048.. rounds to 1.00
      {1024 + 128, true, "1.12 KB"},  // 1.125: the half goes to the even neighbour
      {3ull << 40, false, "3 TeraByte"},
      {~0ull, true, "16 EB"},
  };
  for (const Case& k : cases)
    EXPECT_EQ(QuarnLib::FormatByteSize(k.Short, k.Bytes, c), QString::fromUtf8(k.Expected))
        << k.Bytes;
  EXPECT_EQ(QuarnLib::FormatByteSize(true, 1536, QLocale(QLocale::German, QLocale::Germany)),
            QStringLiteral("1,5 KB"));
}

TEST(QuarnLib, DayNamesFollowTheEBayOrLocalClock) {
  QTemporaryDir dir;
  QFile f(dir.filePath(QStringLiteral("Lang.ini")));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("[Deutsch]\nTODAY=Heute\nTOMORROW=Morgen\nYESTERDAY=Gestern\n");
  f.close();
  LanguageTable().LoadFile(f.fileName(), QStringLiteral("Deutsch"));

  const QDateTime now(QDate(2026, 3, 10), QTime(0, 5));
  QuarnClock::SetLocalSource([now] { return now; });
  EXPECT_EQ(QuarnLib::RelativeDayName(QDateTime(QDate(2026, 3, 9), QTime(23, 59))),
            QStringLiteral("Gestern"));
  EXPECT_EQ(QuarnLib::RelativeDayName(QDateTime(QDate(2026, 3, 8), QTime(23, 59))), QString());
  EXPECT_EQ(QuarnLib::RelativeDayName(QDateTime(QDate(2026, 3, 11), QTime(0, 0))),
            QStringLiteral("Morgen"));
  // Once the eBay clock is known it decides which day "today" is.
  QuarnClock::SetEBaySource([] { return QDateTime(QDate(2026, 3, 11), QTime(1, 0)); });
  EXPECT_EQ(QuarnLib::RelativeDayName(QDateTime(QDate(2026, 3, 11), QTime(12, 0))),
            QStringLiteral("Heute"));
  QuarnClock::SetEBaySource({});
  QuarnClock::SetLocalSource({});
  LanguageTable().Clear();

  EXPECT_TRUE(QuarnLib::SameDay(QDateTime(QDate(2026, 1, 1), QTime(0, 0)),
                                QDateTime(QDate(2026, 1, 1), QTime(23, 59))));
  EXPECT_FALSE(QuarnLib::SameDay(QDateTime(QDate(2026, 1, 1), QTime(0, 0)),
                                 QDateTime(QDate(2025, 1, 1), QTime(0, 0))));
}

TEST(QuarnLib, FileNamesFoldersAndXml) {
  EXPECT_EQ(QuarnLib::RemoveFileNameChars(QStringLiteral("Was? Nikon: D70 <neu> \"a|b\" c\\d/e*")),
            QStringLiteral("Was Nikon D70 neu ab cde"));
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("cache"));
  QDir().mkpath(folder + QStringLiteral("/sub"));
  QFile(folder + QStringLiteral("/sub/x.jpg")).open(QIODevice::WriteOnly);
  EXPECT_TRUE(QuarnLib::DeleteFolder(folder));
  EXPECT_FALSE(QDir(folder).exists());
  EXPECT_TRUE(QuarnLib::DeleteFolder(folder));  // already gone
  EXPECT_TRUE(QuarnLib::IsXmlComponentUsable());
  EXPECT_FALSE(QuarnLib::TempFolder().endsWith(QLatin1Char('/')));
}

}  // namespace
