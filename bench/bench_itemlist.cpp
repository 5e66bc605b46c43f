// The result list with a very large search: 100 000 listings added one by
// one, sorted by price, grouped by category path (a tree four levels deep with
// 2 000 categories) and flattened again. Each step should stay well under
// 300 ms. The add benchmark also reports the memory a listing costs: the
// listing itself and its row in the list.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <memory>
#include <vector>

#include "core/app/Clock.h"
#include "core/search/ItemListModel.h"
#include "core/shopping/SimpleItem.h"

namespace {

constexpr int kListings = 100000;

// Five top categories, five below each, eight below those, and the leaves
// below them: 5 + 25 + 200 + 1770 = 2000 categories, four levels deep.
class TBenchTree : public TCategoryLookup {
 public:
  TBenchTree() {
    int next = 1;
    auto add = [&](const QList<TPathEntry>& above) {
      const QByteArray id = QByteArray::number(next++);
      QList<TPathEntry> path = above;
      path.append({id, QStringLiteral("Category ") + QString::fromLatin1(id)});
      Paths.insert(id, path);
      return path;
    };
    for (int a = 0; a < 5; ++a) {
      const auto pa = add({});
      for (int b = 0; b < 5; ++b) {
        const auto pb = add(pa);
        for (int c = 0; c < 8; ++c) {
          const auto pc = add(pb);
          const int count = a * 40 + b * 8 + c < 170 ? 9 : 8;
          for (int d = 0; d < count; ++d)
            Leaves << add(pc).last().CategoryID;
        }
      }
    }
    Count = next - 1;
  }
  QList<TPathEntry> CategoryPath(int, const QByteArray& id) const override {
    return Paths.value(id);
  }

  QHash<QByteArray, QList<TPathEntry>> Paths;
  QList<QByteArray> Leaves;
  int Count = 0;
};

const TBenchTree& Tree() {
  static const TBenchTree tree;
  return tree;
}

// Resident memory and heap bytes in use, for the cost per listing.
size_t ResidentBytes() {
  QFile f(QStringLiteral("/proc/self/statm"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> parts = f.readAll().split(' ');
  return parts.size() > 1 ? size_t(parts[1].toULongLong()) * size_t(sysconf(_SC_PAGESIZE)) : 0;
}
size_t HeapBytes() {
  return mallinfo2().uordblks;
}

std::vector<std::unique_ptr<TSimpleItem>> MakeListings() {
  std::vector<std::unique_ptr<TSimpleItem>> items;
  items.reserve(kListings);
  const QDateTime now = QDateTime::currentDateTime();
  quint32 seed = 12345;
  auto rnd = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int i = 0; i < kListings; ++i) {
    auto item = std::make_unique<TSimpleItem>();
    item->SetItemID(QByteArray::number(110000000000LL + i));
    item->Title = QStringLiteral("Nikon D70 digital camera body with charger and strap #%1").arg(i);
    item->ListingType = (i % 3) ? TListingType::Chinese : TListingType::FixedPriceItem;
    item->CurrentPrice = TMoney(rnd() % 10000000);
    item->BuyItNowPrice = TMoney(rnd() % 10000000);
    item->ShippingServiceCost = TMoney(rnd() % 100000);
    item->CurrencyID = TCurrencyCode::EUR;
    item->BidCount = quint8(rnd() % 40);
    item->EndTime = now.addSecs(qint64(rnd() % (10 * 86400)));
    item->StartTime = item->EndTime.addDays(-7);
    item->Seller.UserID = QStringLiteral("seller_%1").arg(rnd() % 5000);
    item->Location = QStringLiteral("Muenchen");
    item->Country = QStringLiteral("DE");
    item->PostalCode = "80331";
    item->PrimaryCategoryID = Tree().Leaves[int(rnd() % quint32(Tree().Leaves.size()))];
    items.push_back(std::move(item));
  }
  return items;
}

const std::vector<std::unique_ptr<TSimpleItem>>& Listings() {
  static const auto items = MakeListings();
  return items;
}

void Fill(TItemListModel& model) {
  for (const auto& item : Listings())
    model.AddItem(item.get());
}

void BM_AddListings(benchmark::State& state) {
  const size_t heap0 = HeapBytes();
  const size_t rss0 = ResidentBytes();
  const auto& items = Listings();  // built once, outside the timing
  const size_t listingHeap = HeapBytes() - heap0;
  const size_t listingRss = ResidentBytes() - rss0;
  size_t rowHeap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto model = std::make_unique<TItemListModel>();
    model->SetCategoryLookup(&Tree());
    const size_t before = HeapBytes();
    state.ResumeTiming();
    Fill(*model);
    state.PauseTiming();
    rowHeap = HeapBytes() - before;
    if (model->rowCount() != int(items.size())) state.SkipWithError("listings missing");
    model.reset();
    state.ResumeTiming();
  }
  if (listingRss > 0)
    state.counters["listing_rss_bytes"] = double(listingRss) / double(items.size());
  state.counters["listing_heap_bytes"] = double(listingHeap) / double(items.size());
  state.counters["row_heap_bytes"] = double(rowHeap) / double(items.size());
}
BENCHMARK(BM_AddListings)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortByPrice(benchmark::State& state) {
  TItemListModel model;
  Fill(model);
  bool ascending = true;
  for (auto _ : state) {
    model.SetSortColumn(TItemListColumns::Price, ascending);
    model.SortNow();
    ascending = !ascending;
  }
}
BENCHMARK(BM_SortByPrice)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortByTitle(benchmark::State& state) {
  TItemListModel model;
  Fill(model);
  bool ascending = true;
  for (auto _ : state) {
    model.SetSortColumn(TItemListColumns::Title, ascending);
    model.SortNow();
    ascending = !ascending;
  }
}
BENCHMARK(BM_SortByTitle)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GroupByCategoryPath(benchmark::State& state) {
  TItemListModel model;
  model.SetCategoryLookup(&Tree());
  Fill(model);
  for (auto _ : state) {
    model.SetListMode(TItemListModel::ByCategoryPath);
    state.PauseTiming();
    model.SetListMode(TItemListModel::Flat);
    state.ResumeTiming();
  }
  model.SetListMode(TItemListModel::ByCategoryPath);
  int groups = 0;
  model.ForEachRow([&](TItemListRow& row) { groups += row.IsGroup() ? 1 : 0; });
  state.counters["group_rows"] = groups;
  state.counters["tree_categories"] = Tree().Count;
}
BENCHMARK(BM_GroupByCategoryPath)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BackToFlat(benchmark::State& state) {
  TItemListModel model;
  model.SetCategoryLookup(&Tree());
  Fill(model);
  for (auto _ : state) {
    state.PauseTiming();
    model.SetListMode(TItemListModel::ByCategoryPath);
    state.ResumeTiming();
    model.SetListMode(TItemListModel::Flat);
  }
}
BENCHMARK(BM_BackToFlat)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortGroupedByPrice(benchmark::State& state) {
  TItemListModel model;
  model.SetCategoryLookup(&Tree());
  Fill(model);
  model.SetListMode(TItemListModel::ByCategoryPath);
  bool ascending = true;
  for (auto _ : state) {
    model.SetSortColumn(TItemListColumns::Price, ascending);
    model.SortNow();
    ascending = !ascending;
  }
}
BENCHMARK(BM_SortGroupedByPrice)->Unit(benchmark::kMillisecond)->Iterations(3);

// The texts of one screenful of rows, as the view paints them every second.
void BM_PaintScreenful(benchmark::State& state) {
  TItemListModel model;
  Fill(model);
  for (auto _ : state) {
    for (int r = 0; r < 40; ++r)
      for (int c = 0; c < TItemListColumns::kCount; ++c)
        benchmark::DoNotOptimize(model.index(r, c).data());
  }
}
BENCHMARK(BM_PaintScreenful)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
