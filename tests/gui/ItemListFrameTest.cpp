#include "gui/search/ItemListFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <memory>
#include <vector>

#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/IniFile.h"
#include "core/app/LanguageTable.h"
#include "core/shopping/SimpleItem.h"

namespace {

using C = TItemListColumns;

class TTwoLevels : public TCategoryLookup {
 public:
  QList<TPathEntry> CategoryPath(int, const QByteArray& id) const override {
    if (id == "21") return {{"2", "Technik"}, {"21", "Kameras"}};
    return {};
  }
};

class ItemListFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LanguageTable().LoadFile(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                             QStringLiteral("English"));
    SavedConfig = AppCore().Config;
    QuarnClock::SetEBaySource([] { return QDateTime(QDate(2009, 7, 20), QTime(12, 0)); });
  }
  void TearDown() override {
    QuarnClock::SetEBaySource({});
    AppCore().Config = SavedConfig;
    LanguageTable().Clear();
  }

  std::unique_ptr<TItemListFrame> Frame() {
    auto frame = std::make_unique<TItemListFrame>();
    frame->Model()->SetCategoryLookup(&Tree);
    frame->resize(1200, 400);
    return frame;
  }
  TSimpleItem* Add(TItemListFrame& frame, const QByteArray& id, TMoney price,
                   const QByteArray& category = QByteArray()) {
    Items.push_back(std::make_unique<TSimpleItem>());
    TSimpleItem* item = Items.back().get();
    item->SetItemID(id);
    item->Title = QStringLiteral("Listing ") + QString::fromLatin1(id);
    item->ListingType = TListingType::Chinese;
    item->CurrentPrice = price;
    item->PrimaryCategoryID = category;
    item->EndTime = QDateTime(QDate(2009, 7, 21), QTime(10, 0));
    frame.AddItem(item);
    return item;
  }
  static QPoint SectionPoint(const QHeaderView* header, int column) {
    return QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                  header->height() / 2);
  }
  static QStringList TopOrder(const TItemListFrame& frame) {
    QStringList out;
    const QAbstractItemModel* m = frame.ItemList->model();
    for (int r = 0; r < m->rowCount(); ++r)
      out << m->index(r, 0).data().toString();
    return out;
  }

  TConfigTable SavedConfig;
  TTwoLevels Tree;
  std::vector<std::unique_ptr<TSimpleItem>> Items;
};

TEST_F(ItemListFrameTest, StartsWithTheColumnLayoutCaptionsAndTimer) {
  auto frame = Frame();
  const QHeaderView* header = frame->ItemList->header();
  EXPECT_EQ(frame->ItemList->objectName(), QStringLiteral("ItemList"));
  ASSERT_EQ(header->count(), 17);
  EXPECT_EQ(frame->ItemList->model()->headerData(C::Left, Qt::Horizontal).toString(),
            QStringLiteral("Time left"));
  EXPECT_EQ(frame->ItemList->model()->headerData(C::Title, Qt::Horizontal, Qt::ToolTipRole),
            QStringLiteral("Item title"));
  for (int c : {int(C::Number), int(C::Dest), int(C::LocationInfo), int(C::Category)})
    EXPECT_TRUE(header->isSectionHidden(c)) << c;
  for (int c = 0; c < C::kCount; ++c)
    EXPECT_EQ(header->visualIndex(c), C::Def(c).Order) << c;
  EXPECT_EQ(header->sectionSize(C::Title), 250);
  EXPECT_EQ(header->sortIndicatorSection(), int(C::Left));
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(frame->ItemList->treePosition(), int(C::Title));
  EXPECT_TRUE(frame->ItemListTimer->isActive());
  EXPECT_EQ(frame->ItemListTimer->interval(), 1000);
}

TEST_F(ItemListFrameTest, HeaderClicksSortAndFlipTheArrow) {
  auto frame = Frame();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  Add(*frame, "b", 20000);
  Add(*frame, "c", 30000);
  Add(*frame, "a", 10000);
  QSignalSpy sortState(frame.get(), &TItemListFrame::OnSortStateChange);
  QHeaderView* header = frame->ItemList->header();

  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, SectionPoint(header, C::Price));
  EXPECT_EQ(header->sortIndicatorSection(), int(C::Price));
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_EQ(TopOrder(*frame), QStringList({"a", "b", "c"}));
  ASSERT_GE(sortState.count(), 1);
  EXPECT_FALSE(sortState.last().at(0).toBool());

  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, SectionPoint(header, C::Price));
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
  EXPECT_EQ(TopOrder(*frame), QStringList({"c", "b", "a"}));
}

TEST_F(ItemListFrameTest, HeaderMenuHidesAndShowsColumnsAndTheLayoutRoundTrips) {
  auto frame = Frame();
  QHeaderView* header = frame->ItemList->header();
  const QList<QAction*> actions = frame->HeaderMenu()->actions();
  ASSERT_EQ(actions.size(), 17);
  EXPECT_EQ(actions[C::Seller]->text(), QStringLiteral("Seller"));
  EXPECT_FALSE(actions[C::Number]->isChecked());
  actions[C::Seller]->trigger();  // hide
  actions[C::Number]->trigger();  // show
  EXPECT_TRUE(header->isSectionHidden(C::Seller));
  EXPECT_FALSE(header->isSectionHidden(C::Number));
  header->resizeSection(C::Title, 333);
  header->moveSection(header->visualIndex(C::End), 0);
  frame->Model()->SetSortColumn(C::Bids, false);

  TIniFile ini;
  frame->SaveColumns(ini);
  auto other = Frame();
  other->LoadColumns(ini);
  const QHeaderView* h = other->ItemList->header();
  EXPECT_TRUE(h->isSectionHidden(C::Seller));
  EXPECT_FALSE(h->isSectionHidden(C::Number));
  EXPECT_EQ(h->sectionSize(C::Title), 333);
  EXPECT_EQ(h->logicalIndex(0), int(C::End));
  EXPECT_EQ(h->sortIndicatorSection(), int(C::Bids));
  EXPECT_EQ(h->sortIndicatorOrder(), Qt::DescendingOrder);
  // A hidden column keeps its width for when it is shown again.
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("ItemList"), QStringLiteral("9.Width"), 0), 100);

  // The picture column stays within its limits.
  header->resizeSection(C::Picture, 300);
  EXPECT_EQ(header->sectionSize(C::Picture), 50);
}

TEST_F(ItemListFrameTest, ClicksEnterAndRightClicksReachTheTab) {
  auto frame = Frame();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  Add(*frame, "111", 10000);
  Add(*frame, "222", 20000);
  QSignalSpy open(frame.get(), &TItemListFrame::OnOpenItem);
  QSignalSpy menu(frame.get(), &TItemListFrame::OnItemContextMenu);
  QTreeView* list = frame->ItemList;
  const QRect second = list->visualRect(frame->FindRow("222").siblingAtColumn(C::Title));

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
  ASSERT_EQ(open.count(), 1);
  EXPECT_EQ(open.last().at(0).toByteArray(), QByteArray("222"));
  EXPECT_EQ(frame->FocusedItemID(), QByteArray("222"));

  frame->SelectItem("111");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(open.count(), 2);
  EXPECT_EQ(open.last().at(0).toByteArray(), QByteArray("111"));

  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, second.center());
  ASSERT_EQ(menu.count(), 1);
  EXPECT_EQ(frame->Model()->ItemAt(menu.last().at(0).toModelIndex())->ItemID(), "222");
  EXPECT_EQ(open.count(), 2);  // a right click opens nothing
}

TEST_F(ItemListFrameTest, GroupsOpenIndentAndSelectItemFindsRowsInside) {
  auto frame = Frame();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  Add(*frame, "1", 10000, "21");
  Add(*frame, "2", 10000);
  frame->SetListMode(TItemListModel::ByCategoryPath);
  QTreeView* list = frame->ItemList;
  EXPECT_EQ(list->indentation(), TItemListFrame::kGroupIndent);
  const QModelIndex technik = list->model()->index(0, 0);
  EXPECT_TRUE(list->isExpanded(technik));
  EXPECT_TRUE(list->isExpanded(list->model()->index(0, 0, technik)));

  Add(*frame, "3", 10000, "21");  // joins the open group
  list->collapseAll();
  frame->SelectItem("3");
  EXPECT_EQ(frame->FocusedItemID(), QByteArray("3"));
  EXPECT_TRUE(list->isExpanded(technik));
  EXPECT_TRUE(list->selectionModel()->isRowSelected(frame->FindRow("3").row(),
                                                    frame->FindRow("3").parent()));

  frame->SetListMode(TItemListModel::Flat);
  EXPECT_EQ(frame->FocusedItemID(), QByteArray("3"));  // regrouping keeps the focus
  EXPECT_EQ(list->indentation(), 0);
  EXPECT_EQ(list->model()->rowCount(), 3);
}

TEST_F(ItemListFrameTest, RowsPaintTheirBackgroundsAndWrapLongTitles) {
  auto frame = Frame();
  frame->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
  Add(*frame, "1", 10000);
  Add(*frame, "2", 10000);
  QTreeView* list = frame->ItemList;
  const QRect first = list->visualRect(frame->FindRow("1").siblingAtColumn(C::HighBidder));
  const QRect second = list->visualRect(frame->FindRow("2").siblingAtColumn(C::HighBidder));
  EXPECT_EQ(first.height(), TItemListFrame::kRowHeight);
  const QImage image = list->viewport()->grab().toImage();
  // The empty high-bidder cell shows the bare row colour.
  EXPECT_EQ(QColor(image.pixel(second.center())), QColor(238, 238, 255));
  EXPECT_NE(QColor(image.pixel(first.center())), QColor(238, 238, 255));

  Items.front()->Title = QString(40, QLatin1Char('w')).append(QLatin1Char(' ')).repeated(8);
  AppCore().Config.UseWordWrap = true;
  frame->ApplySettings();
  QApplication::processEvents();
  const int wrapped = list->visualRect(frame->FindRow("1").siblingAtColumn(C::Title)).height();
  EXPECT_GT(wrapped, 2 * list->fontMetrics().height());
  AppCore().Config.UseWordWrap = false;
  frame->ApplySettings();
  QApplication::processEvents();
  EXPECT_EQ(list->visualRect(frame->FindRow("1").siblingAtColumn(C::Title)).height(),
            TItemListFrame::kRowHeight);
}

}  // namespace
