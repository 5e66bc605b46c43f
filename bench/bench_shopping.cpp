// Listings from Shopping API answers: how much the listing model costs on top
// of libxml2 itself, and whether refreshing stays linear in the list's size.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <QByteArray>
#include <memory>
#include <vector>

#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/MSXMLTools.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"

namespace {

// One listing as a FindItemsAdvanced page carries it (with the seller, as a
// search tab asks for it).
QByteArray SearchItem(int i) {
  const QByteArray id = QByteArray::number(134000000000LL + i);
  const QByteArray price = QByteArray::number(1 + i % 400) + "." + QByteArray::number(i % 100);
  return "<Item><ItemID>" + id +
         "</ItemID><EndTime>2026-12-16T10:28:37.000Z</EndTime>"
         "<ViewItemURLForNaturalSearch>http://127.0.0.1:8870/itm/?item=" +
         id + "</ViewItemURLForNaturalSearch><ListingType>" +
         (i % 3 ? "Chinese" : "FixedPriceItem") +
         "</ListingType><GalleryURL>http://127.0.0.1:8870/pics/" + id +
         "/g_96x72.jpg</GalleryURL><PrimaryCategoryID>176984</PrimaryCategoryID>"
         "<PrimaryCategoryName>Music:CDs</PrimaryCategoryName><BidCount>" +
         QByteArray::number(i % 50) + "</BidCount><ConvertedCurrentPrice currencyID=\"USD\">" +
         price +
         "</ConvertedCurrentPrice><ListingStatus>Active</ListingStatus>"
         "<TimeLeft>P5DT7H13M52S</TimeLeft><Title>The Beatles Abbey Road CD 2004 number " +
         QByteArray::number(i) +
         "</Title><Seller><UserID>vintagecollector52</UserID><FeedbackRatingStar>Turquoise"
         "</FeedbackRatingStar><FeedbackScore>357</FeedbackScore></Seller>"
         "<ShippingCostSummary><ShippingServiceCost currencyID=\"USD\">8.69"
         "</ShippingServiceCost><ShippingType>Flat</ShippingType></ShippingCostSummary>"
         "<Country>US</Country></Item>";
}

QByteArray SearchAnswer(int count) {
  QByteArray xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FindItemsAdvancedResponse "
      "xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Timestamp>2026-12-11T03:14:44.690Z</Timestamp>"
      "<Ack>Success</Ack><Build>e567_core_Bundled_7143451_R1</Build><Version>567</Version>"
      "<SearchResult><ItemArray>";
  for (int i = 0; i < count; ++i)
    xml += SearchItem(i);
  return xml +
         "</ItemArray></SearchResult><PageNumber>1</PageNumber><TotalPages>9</TotalPages>"
         "<TotalItems>1800</TotalItems></FindItemsAdvancedResponse>";
}

// A GetMultipleItems-style refresh of one listing: new price, more bids.
QByteArray RefreshItem(int i) {
  const QByteArray id = QByteArray::number(134000000000LL + i);
  return "<Item><ItemID>" + id +
         "</ItemID><EndTime>2026-12-16T10:28:37.000Z</EndTime><ListingType>Chinese</ListingType>"
         "<Location>Glasgow</Location><BidCount>" +
         QByteArray::number(i % 50 + 1) + "</BidCount><ConvertedCurrentPrice currencyID=\"USD\">" +
         QByteArray::number(2 + i % 400) +
         ".5</ConvertedCurrentPrice><ListingStatus>Active</ListingStatus>"
         "<PictureURL>http://127.0.0.1:8870/pics/" +
         id + "/1_500x375.jpg</PictureURL><Title>The Beatles Abbey Road CD 2004</Title></Item>";
}

const QByteArray& Answer200() {
  static const QByteArray answer = SearchAnswer(200);
  return answer;
}

// The program's road: decode the body, parse it, check it, one listing per Item.
void BM_ParseSearchAnswerIntoListings(benchmark::State& state) {
  const QByteArray& body = Answer200();
  TAdvancedSearchRequest request;
  for (auto _ : state) {
    TSimpleItemList list;
    list.SetAutoFetchDetails(false);
    std::unique_ptr<TXMLDocument> document;
    request.ParseSearchResult(TResponseText::FromBody(body), list, document);
    if (list.Count() != 200) state.SkipWithError("wrong listing count");
    benchmark::DoNotOptimize(list.Items(199));
  }
  state.SetItemsProcessed(state.iterations() * 200);
  state.SetBytesProcessed(state.iterations() * body.size());
}
BENCHMARK(BM_ParseSearchAnswerIntoListings)->Unit(benchmark::kMicrosecond);

// The floor: libxml2 parses the same bytes and selects every Item once.
void BM_BareLibxml2ParseAndSelectItems(benchmark::State& state) {
  const QByteArray& body = Answer200();
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(body.constData(), body.size(), nullptr, nullptr, XML_PARSE_NONET);
    xmlXPathContextPtr ctx = xmlXPathNewContext(doc);
    xmlXPathRegisterNs(ctx, BAD_CAST "ebay", BAD_CAST kEBayNamespace);
    xmlXPathObjectPtr items = xmlXPathEvalExpression(BAD_CAST "//ebay:Item", ctx);
    if (!items || !items->nodesetval || items->nodesetval->nodeNr != 200)
      state.SkipWithError("wrong item count");
    benchmark::DoNotOptimize(items);
    xmlXPathFreeObject(items);
    xmlXPathFreeContext(ctx);
    xmlFreeDoc(doc);
  }
  state.SetItemsProcessed(state.iterations() * 200);
  state.SetBytesProcessed(state.iterations() * body.size());
}
BENCHMARK(BM_BareLibxml2ParseAndSelectItems)->Unit(benchmark::kMicrosecond);

// Refreshing n listings: every refreshed listing is looked up by number in a
// list of n. Time per listing must not grow with n.
void BM_RefreshListingsWithApplyItemNode(benchmark::State& state) {
  const int n = int(state.range(0));
  QByteArray answer =
      "<GetMultipleItemsResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Success</Ack>";
  answer.reserve(n * 400);
  for (int i = 0; i < n; ++i)
    answer += RefreshItem(i);
  answer += "</GetMultipleItemsResponse>";
  TXMLDocument document;
  if (!document.LoadXMLBytes(answer)) {
    state.SkipWithError("refresh answer does not load");
    return;
  }
  std::vector<std::pair<QByteArray, TXMLNode>> items;
  items.reserve(size_t(n));
  for (const TXMLNode& item : document.SelectNodes("//ebay:Item"))
    items.emplace_back(GetNodeText(item, "./ebay:ItemID", QString()).toUtf8(), item);

  TSimpleItemList list;
  list.SetAutoFetchDetails(false);
  // Refreshed in reverse, so the listings looked up last sit at the front.
  for (int i = n - 1; i >= 0; --i) {
    auto* item = new TSimpleItem(&list);
    item->SetItemID(QByteArray::number(134000000000LL + i));
    list.Add(item);
  }
  // The list view listens for changes, so every refresh takes a snapshot to compare.
  int changes = 0;
  list.OnItemChanged = [&changes](TSimpleItemList*, TItemChangeKind, TSimpleItem*, int) {
    ++changes;
  };
  for (auto _ : state) {
    for (const auto& [id, node] : items)
      list.ApplyItemNode(id, node);
  }
  if (list.Count() != n) state.SkipWithError("refresh added listings");
  state.SetItemsProcessed(state.iterations() * n);
  // Seconds per listing (shown in the time unit's scale by the reporter).
  state.counters["per_listing"] = benchmark::Counter(
      double(state.iterations()) * n, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  benchmark::DoNotOptimize(changes);
}
BENCHMARK(BM_RefreshListingsWithApplyItemNode)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
