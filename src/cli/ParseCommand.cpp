// "quarn-cli parse FILE": a saved Shopping API answer through the program's own
// parsing, printed as one JSON object per listing.
#include <QFile>
#include <QJsonDocument>
#include <cstdio>
#include <memory>

#include "cli/CliCommand.h"
#include "core/shopping/AdvancedSearchRequest.h"
#include "core/shopping/EShoppingReturn.h"
#include "core/shopping/ISODateTime.h"
#include "core/shopping/ItemJson.h"
#include "core/shopping/MultipleItemsDetailDataRequest.h"
#include "core/shopping/MultipleItemsMinimalDataRequest.h"
#include "core/shopping/MultipleItemsStatusDataRequest.h"
#include "core/shopping/SimpleItem.h"
#include "core/shopping/SimpleItemList.h"
#include "core/shopping/TimeRequest.h"

namespace {

// Answers larger than this are not Shopping API answers.
constexpr qint64 kMaxAnswerBytes = 64LL * 1024 * 1024;

const char* const kCalls[] = {"FindItemsAdvanced", "GetMultipleItems", "GetItemStatus",
                              "GetSingleItem", "GeteBayTime"};

void PrintError(const EShopping& error) {
  std::fprintf(stderr, "%s: %s\n", error.ClassName(), qPrintable(error.Message()));
  if (const auto* ret = dynamic_cast<const EShoppingReturn*>(&error)) {
    if (!ret->ErrorCode.isEmpty())
      std::fprintf(stderr, "  ErrorCode: %s\n", ret->ErrorCode.constData());
    if (!ret->LongMessage.isEmpty())
      std::fprintf(stderr, "  LongMessage: %s\n", qPrintable(ret->LongMessage));
  }
}

// The call an answer belongs to, from its root element ("GetSingleItemResponse").
// Anything else is read as a search answer, whose checks then report it.
QString CallOf(const TResponseText& response) {
  TXMLDocument document;
  if (!document.LoadXMLUtf8(response.Utf8())) return QStringLiteral("FindItemsAdvanced");
  QString root = document.DocumentElement().LocalName();
  if (root.endsWith(QLatin1String("Response"))) root.chop(8);
  for (const char* call : kCalls)
    if (root == QLatin1String(call)) return root;
  return QStringLiteral("FindItemsAdvanced");
}

std::unique_ptr<TBaseMultipleItemsRequest> ItemRequestFor(const QString& call) {
  if (call == QLatin1String("GetMultipleItems"))
    return std::make_unique<TMultipleItemsMinimalDataRequest>();
  if (call == QLatin1String("GetItemStatus"))
    return std::make_unique<TMultipleItemsStatusDataRequest>();
  if (call == QLatin1String("GetSingleItem"))
    return std::make_unique<TMultipleItemsDetailDataRequest>();
  return nullptr;
}

int RunParse(const QStringList& args) {
  QString file;
  QString call;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--call") && i + 1 < args.size()) {
      call = args[++i];
    } else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
      file = args[i];
    } else {
      std::fprintf(stderr, "quarn-cli parse: unexpected argument '%s'\n", qPrintable(args[i]));
      return 1;
    }
  }
  if (file.isEmpty()) {
    std::fprintf(stderr, "usage: quarn-cli parse FILE [--call NAME]\n");
    return 1;
  }
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "quarn-cli parse: cannot read %s: %s\n", qPrintable(file),
                 qPrintable(in.errorString()));
    return 1;
  }
  if (in.size() > kMaxAnswerBytes) {
    std::fprintf(stderr, "quarn-cli parse: %s is larger than %lld bytes\n", qPrintable(file),
                 kMaxAnswerBytes);
    return 1;
  }
  const QByteArray body = in.readAll();
  const TResponseText response = TResponseText::FromBody(body);
  if (call.isEmpty()) call = CallOf(response);

  int errors = 0;
  auto report = [&errors](const EShopping& error) {
    PrintError(error);
    ++errors;
  };

  TSimpleItemList list;
  list.SetAutoFetchDetails(false);  // reading a file makes no calls
  if (call == QLatin1String("GeteBayTime")) {
    TTimeRequest time;
    time.OnError = [&](TBaseRequest*, const EShopping& e) { report(e); };
    time.HandleResponseData(body);
    if (time.EBayTime.isValid())
      std::printf("{\"EBayTime\":\"%s\"}\n", qPrintable(ISODateTime::ToText(time.EBayTime)));
  } else if (std::unique_ptr<TBaseMultipleItemsRequest> request = ItemRequestFor(call)) {
    request->OnItem = [&list](TBaseMultipleItemsRequest*, const QByteArray& itemID, TXMLNode item) {
      list.ApplyItemNode(itemID, item);
    };
    request->OnError = [&](TBaseRequest*, const EShopping& e) { report(e); };
    request->HandleResponseData(body);
  } else if (call == QLatin1String("FindItemsAdvanced")) {
    TAdvancedSearchRequest search;
    std::unique_ptr<TXMLDocument> document;
    try {
      search.ParseSearchResult(response, list, document, report);
    } catch (const EShopping& e) {
      report(e);
    }
  } else {
    std::fprintf(stderr, "quarn-cli parse: unknown call '%s'\n", qPrintable(call));
    return 1;
  }

  for (int i = 0; i < list.Count(); ++i) {
    const QByteArray json =
        QJsonDocument(ItemJson::ToJson(*list.Items(i))).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fputc('\n', stdout);
  }
  return errors ? 2 : 0;
}

const TCliCommand::Registrar kRegistrar(
    {"parse", "print the listings of a saved Shopping API answer as JSON",
     "FILE [--call FindItemsAdvanced|GetMultipleItems|GetItemStatus|GetSingleItem|GeteBayTime]\n"
     "      one JSON object per listing; errors on stderr, exit code 2 for an EShopping",
     RunParse});

}  // namespace
