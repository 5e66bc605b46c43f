// The calls end to end: through the scheduler, over HTTP, to a local endpoint
// that records what it gets and answers like the Shopping API.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/Clock.h"
#include "core/net/HTTPThreadManager.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/MultipleItemsDetailDataRequest.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/MultipleItemsStatusDataRequest.h"
#include "core/shopping/ShoppingAPIAccess.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "core/shopping/TimeRequest.h"
#include "shopping/FakeShoppingServer.h"
#include "shopping/ShoppingTestUtil.h"

using namespace ShoppingTest;
using TCall = TFakeShoppingServer::TCall;

namespace {

int PageOf(const TCall& call) {
  const QByteArrayList pages = call.Values("PageNumber");
  return pages.isEmpty() ? 1 : pages.first().toInt();
}

// Answers item calls with every requested listing, located "Detail".
QByteArray DetailAnswer(const TCall& call) {
  QByteArray xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><GetMultipleItemsResponse "
      "xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Success</Ack>";
  for (const QByteArray& id : call.Values("ItemID"))
    xml += "<Item><ItemID>" + id + "</ItemID><Location>Detail</Location></Item>";
  return xml + "</GetMultipleItemsResponse>";
}

std::vector<int> SortedPages(TFakeShoppingServer& server) {
  std::vector<int> pages;
  for (const TCall& c : server.Calls("FindItemsAdvanced"))
    pages.push_back(PageOf(c));
  std::sort(pages.begin(), pages.end());
  return pages;
}

struct TSearchEvents {
  explicit TSearchEvents(TSimpleItemList& list) {
    list.OnSearchStarted = [this](TSimpleItemList*) { ++Started; };
    list.OnFirstPage = [this](TSimpleItemList*, const TResponseText&, TXMLDocument&) { ++First; };
    list.OnNextPage = [this](TSimpleItemList*, const TResponseText&, TXMLDocument&) { ++Next; };
    list.OnFinished = [this](TSimpleItemList*) { ++Finished; };
    list.OnError = [this](TSimpleItemList*, const EShopping& e) {
      Errors.push_back(e.ClassName());
    };
  }
  int Started = 0, First = 0, Next = 0, Finished = 0;
  std::vector<std::string> Errors;
};

class ShoppingCalls : public ::testing::Test {
 protected:
  void SetUp() override { InstallShoppingApiAppID(); }
};

TEST_F(ShoppingCalls, SearchQueuesThePagesOfASequence) {
  struct Case {
    int MaxPages;
    int TotalPages;
    std::vector<int> Pages;
  };
  const Case cases[] = {{3, 10, {1, 2, 3}}, {3, 2, {1, 2}}, {1, 10, {1}}, {3, 1, {1}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.MaxPages) + "/" + std::to_string(c.TotalPages));
    TFakeShoppingServer server(
        [&](const TCall& call) { return SearchAnswer(4, PageOf(call), c.TotalPages); });
    TSimpleItemList list;
    list.SetAutoFetchDetails(false);
    TSearchEvents events(list);
    auto* request = new TAdvancedSearchRequest;
    request->SiteID = 77;
    request->QueryKeywords = QStringLiteral("harry potter");
    list.StartSearch(request, c.MaxPages);
    EXPECT_EQ(events.Started, 1);
    ASSERT_TRUE(WaitFor([&] { return events.Finished == 1; }));
    Settle(50);
    EXPECT_EQ(SortedPages(server), c.Pages);
    EXPECT_EQ(events.First, 1);
    EXPECT_EQ(events.Next, int(c.Pages.size()) - 1);
    EXPECT_EQ(events.Finished, 1);
    EXPECT_EQ(list.TotalPages, c.TotalPages);
    EXPECT_EQ(list.TotalItems, c.TotalPages * 4);
    ASSERT_EQ(list.Count(), int(c.Pages.size()) * 4);
    // Pages arrive in any order; every listing knows where it came from.
    for (int i = 0; i < list.Count(); ++i) {
      const TSimpleItem* item = list.Items(i);
      const int n = item->ItemID().toInt() - 1000;
      EXPECT_EQ(item->PageNumber, n / 4 + 1);
      EXPECT_EQ(item->PagePosition, n % 4 + 1);
    }
    const TCall first = server.Calls().front();
    EXPECT_EQ(first.SiteID, "77");
    EXPECT_EQ(first.AppID, kBuiltInShoppingAppID);
    EXPECT_EQ(first.ContentType, "text/xml;charset=utf-8");
    EXPECT_EQ(first.Values("QueryKeywords"), QByteArrayList({"harry potter"}));
  }
}

TEST_F(ShoppingCalls, FirstPageTotalsAreReadDefensively) {
  TFakeShoppingServer server([](const TCall& call) {
    const QByteArray totals = call.Values("QueryKeywords").value(0);
    QByteArray answer = SearchAnswer(2, PageOf(call), 1);
    const QByteArray tag = "<TotalPages>1</TotalPages>";
    if (totals == "none") return answer.replace(tag, "");
    return answer.replace(tag, "<TotalPages>" + totals + "</TotalPages>");
  });
  struct Case {
    const char* Totals;
    int TotalPages;  // afterwards, starting from 7
    std::vector<int> Pages;
  };
  const Case cases[] = {{"2147483647", 2147483647, {1, 2, 3}},
                        {"-5", -5, {1}},
                        {"many", 0, {1}},
                        {"99999999999", 0, {1}},
                        {"none", 7, {1, 2, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Totals);
    TSimpleItemList list;
    list.SetAutoFetchDetails(false);
    TSearchEvents events(list);
    list.TotalPages = 7;  // as left by an earlier search
    auto* request = new TAdvancedSearchRequest;
    request->QueryKeywords = QString::fromLatin1(c.Totals);
    const size_t before = server.Calls().size();
    list.StartSearch(request, 3);
    ASSERT_TRUE(WaitFor([&] { return events.Finished == 1; }));
    EXPECT_EQ(list.TotalPages, c.TotalPages);
    std::vector<int> pages;
    const std::vector<TCall> calls = server.Calls();
    for (size_t i = before; i < calls.size(); ++i)
      pages.push_back(PageOf(calls[i]));
    std::sort(pages.begin(), pages.end());
    EXPECT_EQ(pages, c.Pages);
  }
}

TEST_F(ShoppingCalls, RequestPagesContinuesASearch) {
  TFakeShoppingServer server([](const TCall& call) { return SearchAnswer(2, PageOf(call), 5); });
  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  TSearchEvents events(list);
  list.StartSearch(new TAdvancedSearchRequest, 3);
  ASSERT_TRUE(WaitFor([&] { return events.Finished == 1; }));
  EXPECT_EQ(SortedPages(server), std::vector<int>({1, 2, 3}));
  list.RequestPages(4, 0);
  ASSERT_TRUE(WaitFor([&] { return events.Finished == 2; }));
  Settle(50);
  EXPECT_EQ(SortedPages(server), std::vector<int>({1, 2, 3, 4, 5}));
  EXPECT_EQ(list.Count(), 10);
  EXPECT_EQ(list.SearchRequest()->PageNumber, 5);
  EXPECT_EQ(events.Next, 4);
}

TEST_F(ShoppingCalls, TwentyFiveListingsAreCompletedInBatchesOfTen) {
  TFakeShoppingServer server([](const TCall& call) {
    return call.CallName == "FindItemsAdvanced" ? SearchAnswer(25, 1, 1) : DetailAnswer(call);
  });
  TSimpleItemList list;
  TSearchEvents events(list);
  qsizetype queuedAfterPage = -1;
  list.OnFirstPage = [&](TSimpleItemList* l, const TResponseText&, TXMLDocument&) {
    queuedAfterPage = l->DetailsRequest()->ItemIDs.size();
  };
  auto* request = new TAdvancedSearchRequest;
  request->SiteID = 3;
  list.StartSearch(request, 1);
  ASSERT_TRUE(WaitFor([&] {
    if (events.Finished != 1 || list.Count() != 25) return false;
    for (int i = 0; i < list.Count(); ++i)
      if (list.Items(i)->Location != QLatin1String("Detail")) return false;
    return true;
  }));
  // Two full batches went out while the page was read; five waited for its end.
  EXPECT_EQ(queuedAfterPage, 5);
  EXPECT_TRUE(list.DetailsRequest()->ItemIDs.isEmpty());
  const std::vector<TCall> details = server.Calls("GetMultipleItems");
  ASSERT_EQ(details.size(), 3u);
  std::vector<qsizetype> sizes;
  for (const TCall& c : details) {
    sizes.push_back(c.Values("ItemID").size());
    EXPECT_EQ(c.SiteID, "3");
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, std::vector<qsizetype>({5, 10, 10}));
  EXPECT_EQ(list.Count(), 25);  // refreshed in place, nothing added twice
}

TEST_F(ShoppingCalls, NestedItemizeRunsSendOnceAtTheOutermostEnd) {
  TFakeShoppingServer server(DetailAnswer);
  TSimpleItemList list;
  list.ItemItemizeBegin();
  list.ItemItemizeBegin();
  list.ItemItemize("1");
  list.ItemItemizeEnd();
  Settle();
  EXPECT_TRUE(server.Calls().empty());
  EXPECT_EQ(list.ItemizeCount(), 1);
  list.ItemItemize("2");
  list.ItemItemizeEnd();
  ASSERT_TRUE(WaitFor([&] { return list.Count() == 2; }));
  Settle(50);
  const std::vector<TCall> calls = server.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].CallName, "GetMultipleItems");
  EXPECT_EQ(calls[0].Values("ItemID"), QByteArrayList({"1", "2"}));
  EXPECT_TRUE(list.PendingIDs().IsEmpty());
}

TEST_F(ShoppingCalls, UpdateResendsWhatIsStillPending) {
  bool answerItems = false;
  TFakeShoppingServer server(
      [&](const TCall& call) { return answerItems ? DetailAnswer(call) : ItemsAnswer({}); });
  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  auto* item = new TSimpleItem(&list);
  item->SetItemID("5");
  list.Add(item);
  list.ItemItemizeBegin();
  list.ItemItemize("5");
  list.ItemItemizeEnd();
  ASSERT_TRUE(WaitFor([&] { return server.Calls().size() == 1; }));
  Settle();
  EXPECT_TRUE(list.IsPending("5"));  // the answer did not hold it

  answerItems = true;
  item->Update();
  ASSERT_TRUE(WaitFor([&] { return item->Location == QLatin1String("Detail"); }));
  const std::vector<TCall> calls = server.Calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].Values("ItemID"), QByteArrayList({"5"}));
  EXPECT_FALSE(list.IsPending("5"));
  EXPECT_EQ(list.ItemizeCount(), 0);
}

TEST_F(ShoppingCalls, ItemizeWithGetSingleItemAndItsSelector) {
  TFakeShoppingServer server(DetailAnswer);
  TSimpleItemList list;
  auto* detail = new TMultipleItemsDetailDataRequest;
  detail->IncludeSelector.Add("ShippingCosts");
  detail->IncludeSelector.Add("details");
  int ownFinished = 0;
  detail->OnFinished = [&](TBaseMultipleItemsRequest* sender) {
    EXPECT_EQ(sender, detail);
    ++ownFinished;
  };
  list.ItemItemizeBegin(detail);
  EXPECT_EQ(list.ItemizeRequest(), detail);
  // A second request while the run is open is dropped; its numbers go to the first.
  list.ItemItemizeBegin(new TMultipleItemsStatusDataRequest);
  list.ItemItemize("11");
  list.ItemItemize("12");
  list.ItemItemizeEnd();
  list.ItemItemizeEnd();
  ASSERT_TRUE(WaitFor([&] { return ownFinished == 1 && list.ItemizeRequest() == nullptr; }));
  const std::vector<TCall> calls = server.Calls();
  ASSERT_EQ(calls.size(), 2u);
  for (const TCall& c : calls) {
    EXPECT_EQ(c.CallName, "GetSingleItem");
    EXPECT_EQ(c.Values("ItemID").size(), 1);
    EXPECT_EQ(c.Values("IncludeSelector"), QByteArrayList({"Details,ShippingCosts"}));
    EXPECT_LT(c.Body.indexOf("<ItemID>"), c.Body.indexOf("<IncludeSelector>"));
  }
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(list.PendingIDs().IsEmpty());
}

TEST_F(ShoppingCalls, AddItemIDOfGetSingleItemSendsAtOnce) {
  TFakeShoppingServer server(DetailAnswer);
  TMultipleItemsDetailDataRequest request;
  std::vector<QByteArray> items;
  int started = 0, finished = 0;
  request.OnItem = [&](TBaseMultipleItemsRequest*, const QByteArray& id, TXMLNode) {
    items.push_back(id);
  };
  request.OnStarted = [&](TBaseMultipleItemsRequest*) { ++started; };
  request.OnFinished = [&](TBaseMultipleItemsRequest*) { ++finished; };
  request.AddItemID("1");
  request.AddItemID("2");
  EXPECT_TRUE(request.ItemIDs.isEmpty());
  EXPECT_EQ(started, 2);
  ASSERT_TRUE(WaitFor([&] { return finished == 1; }));
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, std::vector<QByteArray>({"1", "2"}));
}

TEST_F(ShoppingCalls, BrokenPagesAreReportedAndTheOthersUsed) {
  TFakeShoppingServer server([](const TCall& call) -> QByteArray {
    switch (PageOf(call)) {
      case 1:
        return SearchAnswer(3, 1, 4);
      case 2:
        return Fixture("FindItems_failure_RequestError.xml");
      case 3:
        return "<FindItemsAdvancedResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\">"
               "<Ack>Success</Ack><SearchResult><ItemArray><Item><ItemID>31</ItemID></Item>"
               "<Item><ItemID>32</ItemID><BidCount>drei</BidCount></Item><Item><ItemID>33"
               "</ItemID></Item></ItemArray></SearchResult></FindItemsAdvancedResponse>";
      default:
        return "<FindItemsAdvancedResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Succ";
    }
  });
  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  TSearchEvents events(list);
  list.StartSearch(new TAdvancedSearchRequest, 4);
  ASSERT_TRUE(WaitFor([&] { return events.Finished == 1; }));
  std::sort(events.Errors.begin(), events.Errors.end());
  EXPECT_EQ(events.Errors,
            std::vector<std::string>({"EShopping", "EShopping", "EShoppingReturnError"}));
  EXPECT_EQ(list.Count(), 5);
  EXPECT_NE(list.FindByID("33"), nullptr);
  EXPECT_EQ(list.FindByID("32"), nullptr);
  EXPECT_EQ(events.Next, 1);  // only page 3 was usable
}

TEST_F(ShoppingCalls, AFirstPageThatIsNotXmlEndsTheSearch) {
  TFakeShoppingServer server([](const TCall&) { return QByteArray("Service Unavailable"); });
  TSimpleItemList list;
  TSearchEvents events(list);
  list.StartSearch(new TAdvancedSearchRequest, 3);
  ASSERT_TRUE(WaitFor([&] { return events.Finished == 1; }));
  Settle(50);
  EXPECT_EQ(events.Errors, std::vector<std::string>({"EShopping"}));
  EXPECT_EQ(events.First, 0);
  EXPECT_EQ(server.Calls().size(), 1u);
}

TEST_F(ShoppingCalls, CancelledOrDestroyedListsHearNothing) {
  TFakeShoppingServer server([](const TCall& call) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return SearchAnswer(3, PageOf(call), 3);
  });
  TSimpleItemList list;
  TSearchEvents events(list);
  list.StartSearch(new TAdvancedSearchRequest, 3);
  list.CancelAll();
  EXPECT_EQ(HTTPThreadManager().CountForOwner(&list), 1);  // running, marked cancelled

  auto* doomed = new TSimpleItemList;
  int doomedPages = 0;
  doomed->OnFirstPage = [&](TSimpleItemList*, const TResponseText&, TXMLDocument&) {
    ++doomedPages;
  };
  doomed->StartSearch(new TAdvancedSearchRequest, 3);
  delete doomed;

  Settle(600);
  EXPECT_EQ(events.First, 0);
  EXPECT_EQ(events.Finished, 0);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(doomedPages, 0);
}

TEST_F(ShoppingCalls, TheTimeRequestSetsTheProgramsEBayClock) {
  TFakeShoppingServer server([](const TCall&) { return Fixture("GeteBayTime_response.xml"); });
  TimeRequest().Reset();
  StartEBayTimeRequest();
  ASSERT_TRUE(WaitFor([] { return TimeRequest().EBayTime.isValid(); }));
  const std::vector<TCall> calls = server.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].CallName, "GeteBayTime");
  EXPECT_EQ(calls[0].SiteID, "none");
  const QDateTime ten(QDate(2008, 5, 20), QTime(10, 0), Qt::UTC);
  const QDateTime now = QuarnClock::EBayNow();
  ASSERT_TRUE(now.isValid());
  EXPECT_GE(now.toUTC(), ten);
  EXPECT_LT(now.toUTC(), ten.addSecs(30));
  EXPECT_EQ(QuarnClock::NowEBayOrLocal().toUTC().date(), ten.date());
  TimeRequest().Reset();
  EXPECT_FALSE(QuarnClock::EBayNow().isValid());
  QuarnClock::SetEBaySource({});
}

}  // namespace
