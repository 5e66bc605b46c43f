// A search tab against a real quarn-sandbox: type a keyword, press search, and
// watch the listings arrive, complete, page and sort as a user would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <functional>
#include <memory>

#include "common/TempProgramFolder.h"
#include "core/app/AppCore.h"
#include "core/app/Clock.h"
#include "core/app/LanguageTable.h"
#include "core/search/ItemListModel.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "gui/app/AlertWindow.h"
#include "gui/app/QuarnMainForm.h"
#include "gui/search/EBayFrame.h"
#include "gui/search/ItemListFrame.h"
#include "sandbox/SandboxProcess.h"

namespace {

bool WaitFor(const std::function<bool()>& done, int ms = 60000) {
  QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

void SaveScreenshot(QWidget* w, const QString& name) {
  const QString dir = QStringLiteral(QUARN_BUILD_DIR "/screenshots");
  QDir().mkpath(dir);
  w->grab().save(dir + QLatin1Char('/') + name);
}

class SearchTabTest : public ::testing::Test {
 protected:
  void StartProgram(const std::vector<std::string>& sandboxArgs) {
    AppCore() = TAppCore();
    Sandbox = std::make_unique<SandboxProcess>(sandboxArgs);
    ASSERT_TRUE(Sandbox->Running());
    QFile::copy(QStringLiteral(QUARN_SOURCE_DIR "/data/common/Lang.ini"),
                Folder.File(QStringLiteral("common/Lang.ini")));
    Folder.Write(QStringLiteral("settings/prefs.ini"),
                 "[Application]\nLanguage=English\n[ItemList]\nSequenceSize=2\n"
                 "[Connection]\n[Network]\nMaxConcurentConnections=30\n"
                 "MaxNewConnectionsIn5Sec=100\n");
    AppCore().ShoppingApiUrl = QString::fromStdString(Sandbox->Address()) + "shopping?";
    Form = std::make_unique<TQuarnMainForm>(
        TQuarnMainForm::Options{Folder.Path(), Folder.TempPath(), {}});
    ASSERT_TRUE(Form->RunStartup()) << qPrintable(Form->StartupError());
    Form->resize(1400, 860);
    Form->show();
  }
  void TearDown() override {
    Form.reset();
    Sandbox.reset();
    QuarnClock::SetEBaySource({});
    AppCore() = TAppCore();
    LanguageTable().Clear();
  }
  void Search(TEBayFrame* tab, const QString& words,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    tab->STDQueryEdit->setEditText(words);
    tab->SearchButtonClick(modifiers);
  }

  TempProgramFolder Folder;
  std::unique_ptr<SandboxProcess> Sandbox;
  std::unique_ptr<TQuarnMainForm> Form;
};

std::vector<std::string> LiveCatalogue() {
  return {"--port", "0", "--seed", "1", "--clock-speed", "0", "--categories", "builtin"};
}

TEST_F(SearchTabTest, KeywordSearchFillsTheListPagesSortsAndOpensNewTabs) {
  StartProgram(LiveCatalogue());
  TEBayFrame* tab = Form->CurrentSearchTab();
  Search(tab, QStringLiteral("neu"));
  EXPECT_TRUE(tab->Busy());
  EXPECT_EQ(Form->TabStrip()->tabTextColor(0), QColor(Qt::red));
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); })) << "the search never finished";

  // The first sequence (two pages of 50) with details from the detail calls.
  TSimpleItemList* items = tab->Items();
  ASSERT_EQ(items->Count(), 100);
  EXPECT_GT(items->TotalPages, 2);
  EXPECT_EQ(tab->ListView()->Model()->ShownCount(), 100);
  int withPictures = 0;
  for (int i = 0; i < items->Count(); ++i) {
    const TSimpleItem* item = items->Items(i);
    EXPECT_TRUE(item->Title.contains(QStringLiteral("neu"), Qt::CaseInsensitive));
    EXPECT_GT(qMax(item->CurrentPrice, item->BuyItNowPrice), 0);
    EXPECT_TRUE(item->EndTime.isValid());
    EXPECT_FALSE(item->Seller.UserID.isEmpty());
    if (!item->PictureURLs.isEmpty()) ++withPictures;
  }
  EXPECT_GT(withPictures, 50) << "details (pictures) did not arrive";
  EXPECT_EQ(Form->TabStrip()->tabText(0), QStringLiteral("neu"));
  EXPECT_NE(Form->TabStrip()->tabTextColor(0), QColor(Qt::red));

  ASSERT_TRUE(WaitFor([] { return QuarnClock::EBayNow().isValid(); }, 10000));
  Form->UpdateStatusBar();
  EXPECT_EQ(Form->StatusPanelText(4), QStringLiteral("1 - 2"));
  EXPECT_EQ(Form->StatusPanelText(5), QString::number(items->TotalPages));
  EXPECT_EQ(Form->StatusPanelText(6), QStringLiteral("100"));
  EXPECT_EQ(Form->StatusPanelText(7), QString::number(items->TotalItems));
  EXPECT_TRUE(Form->StatusPanelText(8).startsWith(QStringLiteral("eBay time: ")));
  EXPECT_TRUE(tab->SequencePanel->isVisible());
  SaveScreenshot(Form.get(), QStringLiteral("search-results.png"));

  // Opening a listing selects its row and records it as viewed.
  const QByteArray opened = items->Items(7)->ItemID();
  tab->NavigateItem(QString::fromUtf8(opened));
  EXPECT_EQ(tab->ListView()->FocusedItemID(), opened);
  EXPECT_TRUE(Form->ViewedItems.IsViewed(QString::fromUtf8(opened)));

  // The second sequence brings the next two pages.
  QSet<QByteArray> first;
  for (int i = 0; i < items->Count(); ++i)
    first.insert(items->Items(i)->ItemID());
  tab->SequenceNextButton->click();
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); }));
  EXPECT_EQ(tab->CurrentSequence(), 2);
  EXPECT_EQ(tab->Status.FirstPage, 3);
  EXPECT_EQ(tab->Status.LastPage, 4);
  ASSERT_EQ(items->Count(), 100);
  for (int i = 0; i < items->Count(); ++i)
    EXPECT_FALSE(first.contains(items->Items(i)->ItemID()));

  // The tool bar's refresh loads the shown sequence again.
  Form->EBayViewRefreshButton->click();
  EXPECT_TRUE(tab->Busy());
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); }));
  EXPECT_EQ(tab->CurrentSequence(), 2);
  EXPECT_EQ(tab->Status.LastPage, 4);
  EXPECT_EQ(items->Count(), 100);
  for (int i = 0; i < items->Count(); ++i)
    EXPECT_FALSE(first.contains(items->Items(i)->ItemID()));

  // Sorting by price orders the rows.
  TItemListModel* model = tab->ListView()->Model();
  model->SetSortColumn(3, true);
  model->SortNow();
  for (int r = 1; r < model->rowCount(); ++r) {
    const TItemListRow* a = model->RowAt(model->index(r - 1, 0));
    const TItemListRow* b = model->RowAt(model->index(r, 0));
    ASSERT_LE(model->CompareRows(*a, *b, 3), 0) << "row " << r;
  }
  Form->UpdateStatusBar();
  EXPECT_EQ(Form->StatusPanelText(4), QStringLiteral("3 - 4"));
  SaveScreenshot(Form.get(), QStringLiteral("search-sorted.png"));

  // With Ctrl the search runs in a new tab; the first keeps its results.
  Search(tab, QStringLiteral("Canon"), Qt::ControlModifier);
  ASSERT_EQ(Form->SearchTabCount(), 2);
  TEBayFrame* second = Form->CurrentSearchTab();
  ASSERT_NE(second, tab);
  ASSERT_TRUE(WaitFor([&] { return !second->Busy(); }));
  EXPECT_GT(second->Items()->Count(), 0);
  EXPECT_EQ(tab->Items()->Count(), 100);
  EXPECT_EQ(Form->TabStrip()->tabText(1), QStringLiteral("Canon"));
  EXPECT_EQ(Form->SearchHistory.Count(), 2);
}

TEST_F(SearchTabTest, SellerSearchAndCancel) {
  StartProgram(LiveCatalogue());
  TEBayFrame* tab = Form->CurrentSearchTab();
  Search(tab, QStringLiteral("Canon"));
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); }));
  ASSERT_GT(tab->Items()->Count(), 0);
  const QString seller = tab->Items()->Items(0)->Seller.UserID;

  tab->SearchModePages->setCurrentWidget(tab->SearchModeSellerTabSheet);
  tab->SellerEdit->setEditText(seller);
  tab->SearchButtonClick(Qt::NoModifier);
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); }));
  ASSERT_GT(tab->Items()->Count(), 0);
  for (int i = 0; i < tab->Items()->Count(); ++i)
    EXPECT_EQ(tab->Items()->Items(i)->Seller.UserID, seller);
  EXPECT_EQ(Form->TabStrip()->tabText(0), seller);
  EXPECT_EQ(tab->SellerEdit->findText(seller), 0);

  // Cancelling: busy off at once, the caption stays red until a search ends.
  Search(tab, QStringLiteral("neu"));
  ASSERT_TRUE(tab->Busy());
  Form->ProcessCancelButton->click();
  EXPECT_FALSE(tab->Busy());
  EXPECT_FALSE(Form->ProcessCancelButton->isEnabled());
  EXPECT_EQ(tab->Status.StatusText, Translate(QStringLiteral("PROCESS_CANCELED")));
  EXPECT_EQ(tab->Status.ListProgress, -1);
  EXPECT_EQ(Form->TabStrip()->tabTextColor(0), QColor(Qt::red));
  QCoreApplication::processEvents();
  EXPECT_FALSE(tab->Busy());
}

TEST_F(SearchTabTest, NoResultEndsTheSearchWithANotice) {
  StartProgram(LiveCatalogue());
  TEBayFrame* tab = Form->CurrentSearchTab();
  Search(tab, QStringLiteral("xyzzyplugh"));
  ASSERT_TRUE(WaitFor([&] { return !tab->Busy(); }));
  EXPECT_EQ(tab->Items()->Count(), 0);
  ASSERT_EQ(Form->Alerts()->Count(), 1);
  EXPECT_EQ(Form->Alerts()->MessageAt(0).Text, Translate(QStringLiteral("MSG_NO_ITEMS_FOUND")));
  EXPECT_EQ(Form->SearchHistory.Count(), 1);
}

TEST_F(SearchTabTest, ABrokenServerLeavesTheOtherPagesAndEnds) {
  std::vector<std::string> args = LiveCatalogue();
  args.insert(args.end(), {"--faults", "shopping:drop=0.2,http500=0.15,badxml=0.15"});
  StartProgram(args);
  TEBayFrame* tab = Form->CurrentSearchTab();
  // A few tries: a first page that fails leaves nothing to continue from.
  for (int attempt = 0; attempt < 5 && tab->Items()->Count() == 0; ++attempt) {
    Search(tab, QStringLiteral("neu"));
    ASSERT_TRUE(WaitFor([&] { return !tab->Busy() || tab->Status.ListProgress == -1; }));
    WaitFor([&] { return !tab->Busy(); }, 30000);
    if (tab->Busy()) tab->CancelSearch();
  }
  EXPECT_GT(tab->Items()->Count(), 0);
  EXPECT_LE(tab->Items()->Count(), 100);
  EXPECT_EQ(tab->ListView()->Model()->ShownCount(), tab->Items()->Count());
  SaveScreenshot(Form.get(), QStringLiteral("search-faults.png"));
}

}  // namespace
