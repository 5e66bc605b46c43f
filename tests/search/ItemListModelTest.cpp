#include "core/search/ItemListModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <memory>
#include <vector>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/search/ListedItemIDs.h"
#include "core/shopping/SimpleItem.h"

namespace {

using C = TItemListColumns;
using M = TItemListModel;

// A small category tree: Sammeln (1) > Figuren (11) > Star Wars (111), and
// Technik (2) > Kameras (21).
class TFakeTree : public TCategoryLookup {
 public:
  QList<TPathEntry> CategoryPath(int, const QByteArray& id) const override {
    static const QHash<QByteArray, QList<TPathEntry>> paths = {
        {"1", {{"1", "Sammeln"}}},
        {"11", {{"1", "Sammeln"}, {"11", "Figuren"}}},
        {"111", {{"1", "Sammeln"}, {"11", "Figuren"}, {"111", "Star Wars"}}},
        {"2", {{"2", "Technik"}}},
        {"21", {{"2", "Technik"}, {"21", "Kameras"}}},
    };
    return paths.value(id);
  }
};

class ItemListModel : public ::testing::Test {
 protected:
  void SetUp() override {
    LanguageTable().LoadFile(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                             QStringLiteral("English"));
    SavedConfig = AppCore().Config;
    QuarnClock::SetEBaySource([this] { return Now; });
    Model.SetCategoryLookup(&Tree);
    Model.SetLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  }
  void TearDown() override {
    QuarnClock::SetEBaySource({});
    AppCore().Config = SavedConfig;
    LanguageTable().Clear();
  }

  // An auction owned by the test; the model only points at it.
  TSimpleItem* Item(const QByteArray& id, const QByteArray& category = QByteArray(),
                    TMoney price = 10000, int endMinutes = 60) {
    Items.push_back(std::make_unique<TSimpleItem>());
    TSimpleItem* item = Items.back().get();
    item->SetItemID(id);
    item->Title = QStringLiteral("Listing ") + QString::fromLatin1(id);
    item->ListingType = TListingType::Chinese;
    item->CurrentPrice = price;
    item->PrimaryCategoryID = category;
    item->EndTime = Now.addSecs(endMinutes * 60);
    return item;
  }
  TSimpleItem* Add(const QByteArray& id, const QByteArray& category = QByteArray(),
                   TMoney price = 10000, int endMinutes = 60) {
    TSimpleItem* item = Item(id, category, price, endMinutes);
    Model.AddItem(item);
    return item;
  }

  QString Text(const QModelIndex& parent, int row, int column = C::Title) const {
    return Model.index(row, column, parent).data().toString();
  }
  // The item numbers of the rows below parent, in order ("[caption]" for groups).
  QStringList Order(const QModelIndex& parent = QModelIndex()) const {
    QStringList out;
    for (int r = 0; r < Model.rowCount(parent); ++r) {
      const QModelIndex i = Model.index(r, 0, parent);
      out << (i.data(M::KindRole).toInt() == 0 ? i.data().toString()
                                               : QLatin1Char('[') + Text(parent, r) + ']');
    }
    return out;
  }
  int GroupRows() const {
    int groups = 0;
    Model.ForEachRow([&](TItemListRow& row) { groups += row.IsGroup() ? 1 : 0; });
    return groups;
  }

  QDateTime Now{QDate(2009, 7, 20), QTime(12, 0)};
  TConfigTable SavedConfig;
  TFakeTree Tree;
  std::vector<std::unique_ptr<TSimpleItem>> Items;
  M Model;
};

TEST_F(ItemListModel, ShowsEveryNumberOnceAndMarksListedBefore) {
  TListedItemIDs store;
  store.AddListed(QStringLiteral("200"));
  Model.UseListedStore(&store);
  QSignalSpy sortState(&Model, &M::OnSortStateChange);

  Add("100");
  Add("200");
  Add("100");  // the same number again, e.g. in a later sequence
  Model.AddItem(Item("100"));
  EXPECT_EQ(Model.rowCount(), 2);
  EXPECT_EQ(Model.ShownCount(), 2);
  EXPECT_EQ(sortState.count(), 2);
  EXPECT_TRUE(sortState.last().at(0).toBool());

  const QModelIndex fresh = Model.FindRow("100", C::Title);
  const QModelIndex known = Model.FindRow("200", C::Title);
  EXPECT_FALSE(fresh.data(M::ListedBeforeRole).toBool());
  EXPECT_TRUE(known.data(M::ListedBeforeRole).toBool());
  // New listings are remembered for the next list, and shown bold until then.
  EXPECT_TRUE(store.IsListed(QStringLiteral("100")));
  EXPECT_TRUE(fresh.data(M::BoldRole).toBool());
  EXPECT_FALSE(fresh.siblingAtColumn(C::Seller).data(M::BoldRole).toBool());
  EXPECT_FALSE(known.data(M::BoldRole).toBool());
  AppCore().Config.BoldLine = true;
  EXPECT_TRUE(fresh.siblingAtColumn(C::Seller).data(M::BoldRole).toBool());

  M next;
  next.UseListedStore(&store);
  next.AddItem(Items.front().get());
  EXPECT_TRUE(next.FindRow("100").data(M::ListedBeforeRole).toBool());
  EXPECT_FALSE(Model.FindRow("300").isValid());
}

TEST_F(ItemListModel, ColoursFollowViewedWatchedFilterAndRowParity) {
  Add("1");
  Add("2");
  Add("3");
  QSet<QByteArray> viewed{"1", "3"}, watched{"3"};
  Model.IsViewed = [&](const QByteArray& id) { return viewed.contains(id); };
  Model.IsFavorite = [&](const QByteArray& id) { return watched.contains(id); };

  const QModelIndex one = Model.FindRow("1", C::Title);
  const QModelIndex two = Model.FindRow("2", C::Title);
  const QModelIndex three = Model.FindRow("3", C::Title);
  EXPECT_EQ(one.data(M::TextColorRole).toUInt(), M::kViewedColor);
  EXPECT_FALSE(one.data(M::BoldRole).toBool());  // viewed: green, not bold
  EXPECT_FALSE(two.data(M::TextColorRole).isValid());
  EXPECT_TRUE(two.data(M::BoldRole).toBool());
  EXPECT_EQ(three.data(M::TextColorRole).toUInt(), M::kWatchedColor);  // red over green

  Model.SetRowFilterState(Model.RowOf("2"), M::kHighlightColor, C::Seller);
  EXPECT_EQ(two.data(M::TextColorRole).toUInt(), M::kHighlightColor);
  EXPECT_EQ(two.siblingAtColumn(C::Seller).data(M::FrameColorRole).toUInt(), M::kFilterFrameColor);
  EXPECT_FALSE(two.data(M::FrameColorRole).isValid());

  EXPECT_FALSE(one.data(M::BackgroundColorRole).isValid());
  EXPECT_EQ(two.data(M::BackgroundColorRole).toUInt(), M::kOddBackground);
  Model.SetListMode(M::ByListed);
  EXPECT_EQ(Model.index(0, 0).data(M::BackgroundColorRole).toUInt(), M::kGroupBackground);
}

TEST_F(ItemListModel, SortsByPriceWithShippingAndBreaksTiesByEndTime) {
  TSimpleItem* a = Add("a", {}, 100000, 30);  // 10 + 4.5 shipping = 14.5
  a->ShippingServiceCost = 45000;
  Add("b", {}, 140000, 40);  // 14
  Add("c", {}, 145000, 20);  // 14.5, ends first
  Add("d", {}, 50000, 10);

  QSignalSpy sortState(&Model, &M::OnSortStateChange);
  Model.HeaderClick(C::Price);
  EXPECT_EQ(Order(), QStringList({"d", "b", "c", "a"}));
  ASSERT_EQ(sortState.count(), 1);
  EXPECT_FALSE(sortState.last().at(0).toBool());

  Model.HeaderClick(C::Price);  // same column again: the other way round
  EXPECT_FALSE(Model.SortAscending());
  EXPECT_EQ(Order(), QStringList({"a", "c", "b", "d"}));

  AppCore().Config.PriceWithShip = false;
  Model.SetSortColumn(C::Price, true);
  Model.SortNow();
  EXPECT_EQ(Order(), QStringList({"d", "a", "b", "c"}));

  Model.HeaderClick(C::Left);  // a new column starts ascending
  EXPECT_TRUE(Model.SortAscending());
  EXPECT_EQ(Order(), QStringList({"d", "c", "a", "b"}));
}

TEST_F(ItemListModel, SortKeysOfNumbersTextsAndCategories) {
  struct Case {
    int Column;
    QStringList Ascending;
  };
  Add("100", "21")->Title = QStringLiteral("beta");
  Add("", "x")->Title = QStringLiteral("Alpha");     // empty number counts 0, category 0
  Add("abc", "3")->Title = QStringLiteral("gamma");  // not a number: -1
  Add("5", "")->Title = QStringLiteral("ALPHA");     // same title as "": earlier end decides
  Model.RowOf("5")->Subject->EndTime = Now.addSecs(-60);
  const Case cases[] = {
      {C::Number, {"abc", "", "5", "100"}},
      {C::Title, {"5", "", "100", "abc"}},
      {C::Category, {"5", "", "abc", "100"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Column);
    Model.SetSortColumn(c.Column, true);
    Model.SortNow();
    EXPECT_EQ(Order(), c.Ascending);
  }
}

TEST_F(ItemListModel, GroupsSortByTheirListingCountAndKeepTheirPlaces) {
  Model.SetListMode(M::ByCategory);
  for (const char* id : {"a1", "a2", "a3"})
    Add(id, "21");
  Add("loose", "");
  for (const char* id : {"b1", "b2", "b3", "b4", "b5"})
    Add(id, "111");
  EXPECT_EQ(Order(),
            QStringList({"[Technik > Kameras]", "loose", "[Sammeln > Figuren > Star Wars]"}));
  EXPECT_EQ(Text(QModelIndex(), 2, C::Left), QStringLiteral("(5 items)"));

  Model.SetSortColumn(C::Title, true);
  Model.SortNow();
  // Groups trade places among themselves; the loose listing stays between.
  EXPECT_EQ(Order(),
            QStringList({"[Sammeln > Figuren > Star Wars]", "loose", "[Technik > Kameras]"}));
  Model.SetSortColumn(C::Title, false);
  Model.SortNow();
  EXPECT_EQ(Order(),
            QStringList({"[Technik > Kameras]", "loose", "[Sammeln > Figuren > Star Wars]"}));
  EXPECT_EQ(Order(Model.index(2, 0)), QStringList({"b5", "b4", "b3", "b2", "b1"}));
}

TEST_F(ItemListModel, ListModesRegroupAndLeaveNoStrayGroupRows) {
  TListedItemIDs store;
  store.AddListed(QStringLiteral("3"));
  Model.UseListedStore(&store);
  Add("1", "111");
  Add("2", "21");
  Add("3", "11");
  Add("4", "999");  // not in the tree
  Add("5", "");

  Model.SetListMode(M::ByCategoryPath);
  EXPECT_EQ(Order(), QStringList({"[Sammeln]", "[Technik]", "4", "5"}));
  const QModelIndex sammeln = Model.index(0, 0);
  EXPECT_EQ(Order(sammeln), QStringList({"[Figuren]"}));
  const QModelIndex figuren = Model.index(0, 0, sammeln);
  EXPECT_EQ(Order(figuren), QStringList({"[Star Wars]", "3"}));
  EXPECT_EQ(Model.CountItems(Model.RowAt(sammeln)), 2);
  EXPECT_EQ(Text(QModelIndex(), 0, C::Left), QStringLiteral("(2 items)"));
  EXPECT_EQ(Text(QModelIndex(), 0, C::Price), QString());

  Model.SetListMode(M::ByCategory);  // rebuilt, not stacked on the old groups
  EXPECT_EQ(Order(), QStringList({"[Sammeln > Figuren > Star Wars]", "[Sammeln > Figuren]",
                                  "[Technik > Kameras]", "[Unknown]", "5"}));
  EXPECT_EQ(GroupRows(), 4);

  Model.SetListMode(M::ByListed);
  EXPECT_EQ(Order(), QStringList({"[New items]", "[Listed before]"}));
  EXPECT_EQ(Order(Model.index(1, 0)), QStringList({"3"}));

  Model.SetListMode(M::Flat);
  EXPECT_EQ(GroupRows(), 0);
  EXPECT_EQ(Model.rowCount(), 5);
  EXPECT_EQ(Model.ShownCount(), 5);
  for (int r = 0; r < Model.rowCount(); ++r)
    EXPECT_FALSE(Model.hasChildren(Model.index(r, 0)));

  // New listings go straight into their groups.
  Model.SetListMode(M::ByCategoryPath);
  Add("6", "21");
  EXPECT_EQ(Order(Model.index(0, 0, Model.index(1, 0))), QStringList({"2", "6"}));
}

TEST_F(ItemListModel, AFilterKeepsNewRowsOutOfTheGroups) {
  Model.SetListMode(M::ByCategory);
  int filtered = 0;
  Model.FilterRow = [&](TItemListRow& row) {
    ++filtered;
    row.TextColor = M::kHighlightColor;
  };
  Add("1", "21");
  EXPECT_EQ(filtered, 1);
  EXPECT_EQ(Order(), QStringList({"1"}));
  EXPECT_EQ(Model.FindRow("1").data(M::TextColorRole).toUInt(), M::kHighlightColor);
}

TEST_F(ItemListModel, RemoveAndClearForgetTheNumbersAndEmptyGroups) {
  Model.SetListMode(M::ByCategory);
  Add("1", "21");
  Add("2", "21");
  Add("3", "111");
  ASSERT_TRUE(Model.RemoveItem("1"));
  EXPECT_FALSE(Model.IsShown("1"));
  EXPECT_FALSE(Model.RemoveItem("1"));
  Add("1", "21");  // may come back once removed
  EXPECT_EQ(Order(Model.index(0, 0)), QStringList({"2", "1"}));

  ASSERT_TRUE(Model.RemoveItem("3"));  // the last of its group: the group goes too
  EXPECT_EQ(Order(), QStringList({"[Technik > Kameras]"}));
  ASSERT_TRUE(Model.RemoveItem(Model.RowAt(Model.index(0, 0))));  // a whole group
  EXPECT_EQ(Model.rowCount(), 0);
  EXPECT_EQ(Model.ShownCount(), 0);

  Add("4", "21");
  Add("5");
  Model.Clear();
  EXPECT_EQ(Model.rowCount(), 0);
  EXPECT_EQ(Model.ShownCount(), 0);
  Add("4", "21");  // a fresh group after Clear
  EXPECT_EQ(Order(), QStringList({"[Technik > Kameras]"}));
}

TEST_F(ItemListModel, SortingKeepsSelectionsOnTheirRows) {
  Add("a", {}, 30000);
  Add("b", {}, 10000);
  Add("c", {}, 20000);
  const QPersistentModelIndex a(Model.FindRow("a", C::Seller));
  Model.SetSortColumn(C::Price, true);
  Model.SortNow();
  ASSERT_TRUE(a.isValid());
  EXPECT_EQ(a.row(), 2);
  EXPECT_EQ(a.column(), int(C::Seller));
  EXPECT_EQ(Model.ItemAt(a)->ItemID(), "a");
}

TEST_F(ItemListModel, StaysConsistentUnderTheModelTester) {
  QAbstractItemModelTester tester(&Model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const char* categories[] = {"111", "11", "21", "", "999", "2"};
  for (int i = 0; i < 60; ++i)
    Add(QByteArray::number(i), categories[i % 6], 10000 * (i % 7), i % 11);
  int removed = 0;
  for (int mode : {2, 1, 3, 2, 0, 2}) {
    Model.SetListMode(mode);
    Add(QByteArray::number(100 + mode), categories[mode]);
    for (int column : {int(C::Price), int(C::Title), int(C::Left)}) {
      Model.HeaderClick(column);
      Model.HeaderClick(column);
    }
    ASSERT_TRUE(Model.RemoveItem(QByteArray::number(++removed * 7)));
  }
  Model.SetListMode(M::ByCategoryPath);
  Model.RemoveItem(Model.RowAt(Model.index(0, 0)));
  Model.Clear();
  Add("x", "21");
  EXPECT_EQ(Model.rowCount(), 1);
}

TEST_F(ItemListModel, ColumnsSaveAndLoadAndSurviveBrokenSettings) {
  Model.Columns().Columns[C::Title].Width = 321;
  Model.Columns().MoveTo(C::Seller, 0);
  Model.Columns().Columns[C::Price].Visible = false;
  Model.SetSortColumn(C::Price, false);
  TIniFile ini;
  Model.SaveColumns(ini);
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("ItemList"), QStringLiteral("1.Width"), 0), 321);
  EXPECT_FALSE(ini.ReadBool(QStringLiteral("ItemList"), QStringLiteral("3.Visible"), true));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("ItemList"), QStringLiteral("SortColumn"), 0), 3);

  M other;
  other.LoadColumns(ini);
  EXPECT_EQ(other.Columns().Columns[C::Title].Width, 321);
  EXPECT_EQ(other.Columns().DisplayOrder()[0], int(C::Seller));
  EXPECT_FALSE(other.Columns().Columns[C::Price].Visible);
  EXPECT_EQ(other.SortColumn(), int(C::Price));
  EXPECT_FALSE(other.SortAscending());

  // A column shown by the user is shown again, though it starts hidden; junk
  // is tamed.
  TIniFile broken;
  broken.LoadFromText(
      "[ItemList]\n0.Visible=1\n1.Width=-50\n2.Width=999999\n13.Width=400\n"
      "5.Position=0\n9.Position=0\n4.Position=77\nSortColumn=99\n");
  M tamed;
  tamed.LoadColumns(broken);
  const TItemListColumns& c = tamed.Columns();
  EXPECT_TRUE(c.Columns[C::Number].Visible);
  EXPECT_GE(c.Columns[C::Title].Width, 10);
  EXPECT_LE(c.Columns[C::Bids].Width, 4000);
  EXPECT_EQ(c.Columns[C::Picture].Width, 50);
  QList<int> positions;
  for (const auto& col : c.Columns)
    positions << col.Position;
  std::sort(positions.begin(), positions.end());
  for (int p = 0; p < C::kCount; ++p)
    EXPECT_EQ(positions[p], p);
  EXPECT_EQ(c.DisplayOrder().back(), int(C::BuyItNow));
  EXPECT_EQ(tamed.SortColumn(), int(C::Left));
  EXPECT_TRUE(tamed.SortAscending());
}

TEST_F(ItemListModel, HeaderShowsTranslatedCaptionsAndHints) {
  EXPECT_EQ(Model.columnCount(), 17);
  EXPECT_EQ(Model.headerData(C::Title, Qt::Horizontal).toString(), QStringLiteral("Title"));
  EXPECT_EQ(Model.headerData(C::Left, Qt::Horizontal, Qt::ToolTipRole).toString(),
            QStringLiteral("Time left until the listing ends"));
  EXPECT_EQ(Model.headerData(C::LocationInfo, Qt::Horizontal).toString(),
            Model.headerData(C::Location, Qt::Horizontal).toString());
}

TEST(CategoryLookup, FormatsPathsAndKnowsNothingByDefault) {
  TFakeTree tree;
  EXPECT_EQ(tree.CategoryCaption(77, "111"), QStringLiteral("Sammeln > Figuren > Star Wars"));
  EXPECT_EQ(tree.FormatPath(77, "111", QString(), 2, true), QStringLiteral("Star Wars < Figuren"));
  EXPECT_EQ(tree.FormatPath(77, "111", QString(), 1, false), QStringLiteral("Sammeln"));
  EXPECT_EQ(tree.FormatPath(77, "11", QStringLiteral("/"), 0, false),
            QStringLiteral("Sammeln/Figuren"));
  EXPECT_FALSE(tree.FormatPath(77, "404", QString(), 0, false).has_value());
  EXPECT_FALSE(TCategoryLookup::Current().FormatPath(77, "111", QString(), 0, false).has_value());
  TCategoryLookup::SetCurrent(&tree);
  EXPECT_TRUE(TCategoryLookup::Current().FormatPath(77, "111", QString(), 0, false).has_value());
  TCategoryLookup::SetCurrent(nullptr);
}

}  // namespace
