// "quarn-cli search": a real search through the scheduler, the way a search tab
// runs it: pages of a sequence, then the details of every listing.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QTimer>
#include <cstdio>

#include "cli/CliCommand.h"
#include "core/app/AppCore.h"
#include "core/net/HTTPThreadManager.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/ISODateTime.h"
#include "core/shopping/ItemJson.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/SellerSearchRequest.h"
#include "core/shopping/ShoppingAPIAccess.h"
#include "core/shopping/ShoppingEnumTypeConverter.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"

namespace {

struct TSearchOptions {
  QString Endpoint;
  int Site = -2;
  QString Keywords;
  QByteArray Category;
  QString Seller;
  int Pages = 1;
  bool Json = false;
  int TimeoutSeconds = 120;
};

int Usage(const char* problem) {
  std::fprintf(stderr, "quarn-cli search: %s\n", problem);
  std::fprintf(stderr,
               "usage: quarn-cli search --endpoint URL --site N [--keywords TEXT] [--category ID]"
               " [--seller NAME] [--pages N] [--json] [--timeout SECONDS]\n");
  return 1;
}

bool ParseOptions(const QStringList& args, TSearchOptions& o, QString& problem) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == QLatin1String("--json")) {
      o.Json = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      problem = QStringLiteral("missing value for ") + a;
      return false;
    }
    const QString v = args[++i];
    bool ok = true;
    if (a == QLatin1String("--endpoint"))
      o.Endpoint = v;
    else if (a == QLatin1String("--site"))
      o.Site = v.toInt(&ok);
    else if (a == QLatin1String("--keywords"))
      o.Keywords = v;
    else if (a == QLatin1String("--category"))
      o.Category = v.toUtf8();
    else if (a == QLatin1String("--seller"))
      o.Seller = v;
    else if (a == QLatin1String("--pages"))
      o.Pages = v.toInt(&ok);
    else if (a == QLatin1String("--timeout"))
      o.TimeoutSeconds = v.toInt(&ok);
    else {
      problem = QStringLiteral("unknown option ") + a;
      return false;
    }
    if (!ok) {
      problem = QStringLiteral("not a number: ") + v;
      return false;
    }
  }
  if (o.Endpoint.isEmpty())
    problem = QStringLiteral("--endpoint is required");
  else if (o.Site < 0)
    problem = QStringLiteral("--site is required (an eBay site id, 0 or more)");
  else if (o.Pages < 1 || o.Pages > 100)
    problem = QStringLiteral("--pages must be 1 to 100");
  else if (o.TimeoutSeconds < 1)
    problem = QStringLiteral("--timeout must be positive");
  else if (!o.Seller.isEmpty() && (!o.Keywords.isEmpty() || !o.Category.isEmpty()))
    problem =
        QStringLiteral("--seller searches a seller's listings; it takes no keywords or category");
  else if (o.Seller.isEmpty() && o.Keywords.isEmpty() && o.Category.isEmpty())
    problem = QStringLiteral("give --keywords, --category or --seller");
  return problem.isEmpty();
}

TBaseSearchRequest* BuildRequest(const TSearchOptions& o) {
  TBaseSearchRequest* request;
  if (!o.Seller.isEmpty()) {
    auto* seller = new TSellerSearchRequest;
    seller->SellerID = o.Seller;
    request = seller;
  } else {
    auto* advanced = new TAdvancedSearchRequest;
    advanced->QueryKeywords = o.Keywords;
    advanced->CategoryID = o.Category;
    request = advanced;
  }
  // As a search tab asks: 50 listings per page, with the seller's data.
  request->SiteID = o.Site;
  request->MaxEntries = 50;
  request->IncludeSelector.Add(QStringLiteral("SellerInfo"));
  return request;
}

void PrintListing(const TSimpleItem& item, bool json) {
  if (json) {
    const QByteArray line = QJsonDocument(ItemJson::ToJson(item)).toJson(QJsonDocument::Compact);
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    return;
  }
  const TMoney price =
      item.IsAuction() || item.BuyItNowPrice == 0 ? item.CurrentPrice : item.BuyItNowPrice;
  std::printf("%-14s %12s %-3s %3d  %-24s %s\n", item.ItemID().constData(),
              qPrintable(Money::ToText(price)),
              qPrintable(TShoppingEnumTypeConverter::ToText(item.CurrencyID)), int(item.BidCount),
              qPrintable(ISODateTime::ToText(item.EndTime)), qPrintable(item.Title));
}

int RunSearch(const QStringList& args) {
  TSearchOptions o;
  QString problem;
  if (!ParseOptions(args, o, problem)) return Usage(qPrintable(problem));

  AppCore().ShoppingApiUrl = o.Endpoint;
  InstallShoppingApiAppID();

  TSimpleItemList list;
  int errors = 0;
  bool searchDone = false;
  bool timedOut = false;
  list.OnError = [&](TSimpleItemList*, const EShopping& e) {
    ++errors;
    std::fprintf(stderr, "%s: %s\n", e.ClassName(), qPrintable(e.Message()));
  };
  list.DetailsRequest()->OnError = [&](TBaseRequest*, const EShopping& e) {
    std::fprintf(stderr, "details: %s: %s\n", e.ClassName(), qPrintable(e.Message()));
  };
  // Done when the pages are in and no detail call of the list is left: the
  // last batch goes out when the pages are in, so its end comes later.
  list.OnFinished = [&](TSimpleItemList*) {
    searchDone = true;
    if (HTTPThreadManager().CountForOwner(list.DetailsRequest()) == 0) QCoreApplication::exit(0);
  };
  list.DetailsRequest()->OnFinished = [&](TBaseMultipleItemsRequest*) {
    if (searchDone) QCoreApplication::exit(0);
  };
  QTimer::singleShot(o.TimeoutSeconds * 1000, [&] {
    timedOut = true;
    QCoreApplication::exit(3);
  });

  list.StartSearch(BuildRequest(o), o.Pages);
  QCoreApplication::exec();
  list.CancelAll();

  for (int i = 0; i < list.Count(); ++i)
    PrintListing(*list.Items(i), o.Json);
  if (!o.Json)
    std::fprintf(stderr, "%d listings (%d found, %d pages)\n", list.Count(), list.TotalItems,
                 list.TotalPages);
  if (timedOut) {
    std::fprintf(stderr, "quarn-cli search: timed out after %d s\n", o.TimeoutSeconds);
    return 3;
  }
  return errors && list.Count() == 0 ? 2 : 0;
}

const TCliCommand::Registrar kRegistrar(
    {"search", "run a search against a Shopping API endpoint and print the completed listings",
     "--endpoint URL --site N [--keywords TEXT] [--category ID] [--seller NAME] [--pages N]"
     " [--json] [--timeout SECONDS]",
     RunSearch});

}  // namespace
