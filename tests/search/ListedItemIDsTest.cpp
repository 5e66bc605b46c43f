#include "core/search/ListedItemIDs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ListedItemIDs, KnowsNumbersAndIgnoresBlanksAndText) {
  TListedItemIDs ids;
  ids.AddListed(QStringLiteral("110012345678"));
  ids.AddListed(QStringLiteral(" 110012345678 "));
  ids.AddListed(QStringLiteral("   "));
  ids.AddListed(QStringLiteral("abc"));
  EXPECT_EQ(ids.Count(), 1);
  EXPECT_TRUE(ids.IsListed(QStringLiteral("110012345678")));
  EXPECT_FALSE(ids.IsListed(QStringLiteral("")));
  EXPECT_FALSE(ids.IsListed(QStringLiteral("  ")));
  EXPECT_FALSE(ids.IsListed(QStringLiteral("110012345679")));
}

TEST(ListedItemIDs, SavesTheNewestFiftyThousandNewestFirstAndRoundTrips) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ListedItems.txt"));
  TListedItemIDs ids;
  for (qint64 i = 1; i <= 60000; ++i)
    ids.AddListed(QString::number(100000000000 + i));
  ASSERT_TRUE(ids.Save(path));
  const QByteArray first = ReadAll(path);
  const QList<QByteArray> lines = first.split('\n');
  ASSERT_EQ(lines.size(), 50001);  // the last line end leaves an empty tail
  EXPECT_EQ(lines.first(), QByteArray("100000060000\r"));
  EXPECT_EQ(lines[49999], QByteArray("100000010001\r"));

  TListedItemIDs loaded;
  loaded.Load(path);
  EXPECT_EQ(loaded.Count(), 50000);
  EXPECT_FALSE(loaded.IsListed(QStringLiteral("100000010000")));
  EXPECT_TRUE(loaded.IsListed(QStringLiteral("100000010001")));
  ASSERT_TRUE(loaded.Save(path));
  EXPECT_EQ(ReadAll(path), first);

  // A number added after loading is the newest.
  loaded.AddListed(QStringLiteral("5"));
  ASSERT_TRUE(loaded.Save(path));
  EXPECT_TRUE(ReadAll(path).startsWith("5\r\n100000060000\r\n"));
}

TEST(ListedItemIDs, BrokenOrMissingFilesLoadWhatIsReadable) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ListedItems.txt"));
  TListedItemIDs ids;
  ids.Load(path);
  EXPECT_EQ(ids.Count(), 0);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("300\r\nnot a number\r\n\r\n200\n\x01\x02\xFF\r\n100\r\n99999999999999999999999\r\n");
  f.close();
  ids.Load(path);
  EXPECT_EQ(ids.Count(), 3);
  ASSERT_TRUE(ids.Save(path));
  EXPECT_EQ(ReadAll(path), QByteArray("300\r\n200\r\n100\r\n"));
}

}  // namespace
