#include "core/search/SearchActionList.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/SellerSearchRequest.h"

namespace {

const QString kFixtures = QStringLiteral(QUARN_SOURCE_DIR "/tests/data/search/");

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(data);
}

class SearchActionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LanguageTable().LoadFile(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                             QStringLiteral("Deutsch"));
    AppCore().Version = TVersionInfo::Current();
    SetNow(QDateTime(QDate(2024, 3, 5), QTime(9, 30)));
  }
  void TearDown() override { QuarnClock::SetLocalSource(nullptr); }

  static void SetNow(const QDateTime& now) {
    QuarnClock::SetLocalSource([now] { return now; });
  }
  QString Path(const char* name) const { return Dir.filePath(QLatin1String(name)); }

  QTemporaryDir Dir;
};

std::unique_ptr<TSearchAction> KeywordAction(const QString& query, bool withFlags = false) {
  TAdvancedSearchRequest request;
  request.SiteID = 77;
  request.QueryKeywords = query;
  if (withFlags) {
    request.IncludeSearchFlag(TSearchFlag::Gallery);
    request.IncludeSearchFlag(TSearchFlag::FreeShipping);
  }
  return std::make_unique<TSearchAction>(request);
}

QString LastCall(const TSearchAction& action) {
  return action.Root().SelectSingleNode("./Info/LastCall").Text();
}

TEST_F(SearchActionListTest, RunningTheSameSearchTwiceLeavesOneEntryRunTwice) {
  TSearchActionList history;
  const std::unique_ptr<TSearchAction> first = KeywordAction(QStringLiteral("leica"));
  history.AddToHistory(*first);
  history.AddToHistory(*KeywordAction(QStringLiteral("rollei")));

  SetNow(QDateTime(QDate(2024, 3, 6), QTime(18, 0, 5)));
  // The same parameters under another caption are the same search.
  std::unique_ptr<TSearchAction> again = KeywordAction(QStringLiteral("leica"));
  again->SetCustomCaption(QStringLiteral("Meine Leica"));
  TSearchAction* entry = history.AddToHistory(*again);

  ASSERT_EQ(history.Count(), 2);
  EXPECT_EQ(entry, history.Items(0));
  EXPECT_EQ(entry->CallsCount(), 2);
  EXPECT_EQ(LastCall(*entry), "2024-03-06 18:00:05");
  EXPECT_EQ(entry->CustomCaption(), "");
  EXPECT_EQ(history.Items(1)->CallsCount(), 1);
  // The history holds copies: the tab's action is its own.
  EXPECT_EQ(first->CallsCount(), 1);
  EXPECT_NE(history.Items(0), first.get());
}

TEST_F(SearchActionListTest, HistoryFileRoundTripsAndMatchesSearchesMadeAfresh) {
  TSearchActionList history;
  history.Add(KeywordAction(QStringLiteral("leica & <summicron>"), true));
  TSellerSearchRequest seller;
  seller.SiteID = 77;
  seller.SellerID = QStringLiteral("fotohaus-berlin");
  history.Add(std::make_unique<TSearchAction>(seller))
      ->SetCustomCaption(QStringLiteral("Fotohaus"));

  const QString path = Path(TSearchActionList::kHistoryFileName);
  QString error;
  ASSERT_TRUE(history.SaveToFile(path, &error)) << error.toStdString();
  const QByteArray first = ReadAll(path);
  EXPECT_TRUE(
      first.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<SearchActionList>\n  <Action>\n"))
      << first.constData();

  TSearchActionList loaded;
  ASSERT_TRUE(loaded.LoadFromFile(path));
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Items(1)->Caption(), "Fotohaus(fotohaus-berlin)");
  // A search with nested parameters read back from the indented file is
  // still the same search as one made in a tab.
  EXPECT_EQ(loaded.Items(0)->Fingerprint(), history.Items(0)->Fingerprint());
  loaded.AddToHistory(*KeywordAction(QStringLiteral("leica & <summicron>"), true));
  EXPECT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Items(0)->CallsCount(), 2);

  TSearchActionList reloaded;
  ASSERT_TRUE(reloaded.LoadFromFile(path));
  ASSERT_TRUE(reloaded.SaveToFile(path));
  EXPECT_EQ(ReadAll(path), first);
}

TEST_F(SearchActionListTest, UnreadableFilesGiveEmptyLists) {
  const std::pair<const char*, QByteArray> cases[] = {
      {"missing", QByteArray()},
      {"empty", QByteArray("")},
      {"not XML", QByteArray("SiteID=77\r\nQuery=leica\r\n")},
      {"cut off", QByteArray("<SearchActionList><Action><Data Type=\"Undefined\">")},
      {"binary", QByteArray("\x00\xff\xfe<\x01\x02", 6)},
  };
  for (const auto& [name, content] : cases) {
    const QString path = Path(TSearchActionList::kFavoritesFileName);
    QFile::remove(path);
    if (qstrcmp(name, "missing") != 0) WriteAll(path, content);
    TSearchActionList list;
    EXPECT_FALSE(list.LoadFromFile(path)) << name;
    EXPECT_FALSE(list.LoadTreeFromFile(path)) << name;
    EXPECT_FALSE(list.LoadSearchFavorites(Dir.path())) << name;
    EXPECT_EQ(list.Count(), 0) << name;
  }

  // The right elements below the wrong root are not read.
  TSearchActionList list;
  EXPECT_FALSE(list.LoadFromFile(kFixtures + QStringLiteral("WrongRoot.xml")));
  EXPECT_FALSE(list.LoadTreeFromFile(kFixtures + QStringLiteral("WrongRoot.xml")));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(SearchActionListTest, SavedSearchesReadFoldersAndFallBackToTheExamples) {
  ASSERT_TRUE(QFile::copy(kFixtures + QStringLiteral("SearchFavorites.xml"),
                          Path(TSearchActionList::kExampleFavoritesFileName)));
  TSearchActionList tree;
  ASSERT_TRUE(tree.LoadSearchFavorites(Dir.path()));
  EXPECT_EQ(tree.Caption(), "Root");

  // Root: an action, the folder "Kameras", the attribute search (the unknown element is skipped).
  ASSERT_EQ(tree.Count(), 3);
  EXPECT_EQ(tree.Items(0)->Caption(), "leica m6");
  EXPECT_EQ(tree.Items(0)->CallsCount(), 3);
  EXPECT_EQ(tree.Items(2)->Caption(), "Analoge Kameras nach Merkmalen");
  EXPECT_EQ(tree.Items(2)->SearchTypeCode(), 7);
  TSearchActionList* cameras = tree.Folders(1);
  ASSERT_NE(cameras, nullptr);
  EXPECT_EQ(tree.Items(1), nullptr);
  EXPECT_EQ(cameras->Caption(), "Kameras");
  EXPECT_EQ(cameras->Parent(), &tree);

  ASSERT_EQ(cameras->Count(), 3);
  EXPECT_EQ(cameras->Items(0)->Caption(), "fotohaus-berlin");
  TSearchActionList* unnamed = cameras->Folders(1);
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(unnamed->Caption(), Translate(QStringLiteral("FAVORITE_DIRS")));
  EXPECT_EQ(unnamed->Caption(), "Ordner");
  ASSERT_EQ(unnamed->Count(), 1);
  EXPECT_EQ(unnamed->Items(0)->CallsCount(), 0);
  EXPECT_EQ(unnamed->Items(0)->Caption(), "Objektive");  // no category tree here
  EXPECT_EQ(cameras->Folders(2)->Caption(), "leer");
  EXPECT_EQ(cameras->Folders(2)->Count(), 0);

  // Duplicates are found at every depth.
  TCategorySearchRequest request;
  request.SiteID = 77;
  request.CategoryID = "15230";
  EXPECT_EQ(tree.FindFingerprint(TSearchAction(request).Fingerprint()), unnamed->Items(0));
  request.CategoryID = "15231";
  EXPECT_EQ(tree.FindFingerprint(TSearchAction(request).Fingerprint()), nullptr);

  // The history reader takes the top-level actions only.
  TSearchActionList flat;
  ASSERT_TRUE(flat.LoadFromFile(Path(TSearchActionList::kExampleFavoritesFileName)));
  EXPECT_EQ(flat.Count(), 2);
}

TEST_F(SearchActionListTest, SavedSearchesRoundTripWithFolders) {
  ASSERT_TRUE(QFile::copy(kFixtures + QStringLiteral("SearchFavorites.xml"),
                          Path(TSearchActionList::kExampleFavoritesFileName)));
  TSearchActionList tree;
  ASSERT_TRUE(tree.LoadSearchFavorites(Dir.path()));
  tree.Folders(1)->AddFolder(QStringLiteral("Neu"))->Add(KeywordAction(QStringLiteral("nikon")));
  QString error;
  ASSERT_TRUE(tree.SaveSearchFavorites(Dir.path(), &error)) << error.toStdString();
  const QByteArray first = ReadAll(Path(TSearchActionList::kFavoritesFileName));
  EXPECT_TRUE(first.contains("<SearchActionList Caption=\"Root\">"));
  EXPECT_TRUE(first.contains("<SearchActionList Caption=\"Ordner\">"));
  EXPECT_TRUE(first.contains("<SearchActionList Caption=\"leer\"/>"));
  EXPECT_FALSE(first.contains("Bookmark"));

  // The saved file now wins over the examples.
  QFile::remove(Path(TSearchActionList::kExampleFavoritesFileName));
  WriteAll(Path(TSearchActionList::kExampleFavoritesFileName),
           "<SearchActionList><Action/></SearchActionList>");
  TSearchActionList reloaded;
  ASSERT_TRUE(reloaded.LoadSearchFavorites(Dir.path()));
  ASSERT_EQ(reloaded.Count(), 3);
  ASSERT_EQ(reloaded.Folders(1)->Count(), 4);
  EXPECT_EQ(reloaded.Folders(1)->Folders(3)->Items(0)->Caption(), "nikon");
  ASSERT_TRUE(reloaded.SaveSearchFavorites(Dir.path()));
  EXPECT_EQ(ReadAll(Path(TSearchActionList::kFavoritesFileName)), first);
}

TEST_F(SearchActionListTest, RemovingTheLastSavedSearchLasts) {
  const QString saved = Path(TSearchActionList::kFavoritesFileName);
  TSearchActionList tree;

  // Nothing read, nothing to replace: no file is made.
  ASSERT_TRUE(tree.SaveSearchFavorites(Dir.path()));
  EXPECT_FALSE(QFile::exists(saved));

  // The user removes every example: they do not come back.
  ASSERT_TRUE(QFile::copy(kFixtures + QStringLiteral("SearchFavorites.xml"),
                          Path(TSearchActionList::kExampleFavoritesFileName)));
  ASSERT_TRUE(tree.LoadSearchFavorites(Dir.path()));
  while (tree.Count() > 0)
    tree.Remove(0);
  ASSERT_TRUE(tree.SaveSearchFavorites(Dir.path()));
  TSearchActionList reloaded;
  EXPECT_TRUE(reloaded.LoadSearchFavorites(Dir.path()));
  EXPECT_EQ(reloaded.Count(), 0);

  // A saved file that cannot be read is not overwritten by an empty tree.
  WriteAll(saved, "<SearchActionList><Action>");
  ASSERT_TRUE(reloaded.LoadSearchFavorites(Dir.path()) == false);
  ASSERT_TRUE(reloaded.SaveSearchFavorites(Dir.path()));
  EXPECT_EQ(ReadAll(saved), "<SearchActionList><Action>");
}

TEST_F(SearchActionListTest, EntriesAreOwnedAndAddressedByIndex) {
  TSearchActionList list;
  TSearchAction* a = list.Add(KeywordAction(QStringLiteral("a")));
  TSearchActionList* folder = list.AddFolder(QStringLiteral("f"));
  TSearchAction* b = list.Add(KeywordAction(QStringLiteral("b")));
  EXPECT_EQ(list.Add(nullptr), nullptr);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.IndexOf(b), 2);
  EXPECT_EQ(list.IndexOf(folder), 1);
  EXPECT_TRUE(list.IsFolder(1));
  EXPECT_EQ(list.Items(-1), nullptr);
  EXPECT_EQ(list.Items(3), nullptr);
  EXPECT_EQ(list.Folders(0), nullptr);
  list.Remove(0);
  list.Remove(7);
  EXPECT_EQ(list.IndexOf(a), -1);
  EXPECT_EQ(list.IndexOf(b), 1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);

  // A write that cannot be done reports it and leaves nothing behind.
  QString error;
  EXPECT_FALSE(list.SaveToFile(Path("missing/folder/list.xml"), &error));
  EXPECT_FALSE(error.isEmpty());
}

}  // namespace
