// quarn-cli parse and search, run as the user runs them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "shopping/FakeShoppingServer.h"
#include "shopping/ShoppingTestUtil.h"

using namespace ShoppingTest;

namespace {

struct TRun {
  int ExitCode = -1;
  QList<QJsonObject> Objects;
  QByteArray Err;
};

// Runs quarn-cli without blocking the event loop (the fake server answers on its own thread).
TRun RunCli(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(QUARN_BUILD_DIR "/quarn-cli"), args);
  TRun run;
  if (!process.waitForStarted(10000)) return run;
  WaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000);
  run.ExitCode = process.exitCode();
  for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
    if (line.trimmed().isEmpty()) continue;
    run.Objects << QJsonDocument::fromJson(line).object();
  }
  run.Err = process.readAllStandardError();
  return run;
}

TEST(QuarnCli, ParsePrintsEveryListingOfEachCall) {
  struct Case {
    const char* File;
    int ExitCode;
    int Objects;
    const char* Err;
  };
  const Case cases[] = {
      {"FindItemsAdvanced_response_ebay-us_2007-07.xml", 0, 2, ""},
      {"GetMultipleItems_response_ebay-us_2007-07.xml", 0, 3, ""},
      {"GetItemStatus_response.xml", 0, 2, ""},
      {"GetSingleItem_full_de.xml", 0, 1, ""},
      {"GeteBayTime_response.xml", 0, 1, ""},
      {"FindItems_failure_RequestError.xml", 2, 0, "EShoppingReturnError: Input data is invalid."},
      {"FindItems_response_noresults_2008-01.xml", 2, 0, "EShoppingEmptyResult: Keine Artikel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.File);
    const TRun run = RunCli({QStringLiteral("parse"), FixturePath(c.File)});
    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err.constData();
    EXPECT_EQ(run.Objects.size(), c.Objects);
    EXPECT_TRUE(run.Err.startsWith(c.Err)) << run.Err.constData();
  }
  const TRun full = RunCli({QStringLiteral("parse"), FixturePath("GetSingleItem_full_de.xml")});
  ASSERT_EQ(full.Objects.size(), 1);
  const QJsonObject item = full.Objects.first();
  EXPECT_EQ(item.value("ItemID").toString(), "250123456789");
  EXPECT_EQ(item.value("CurrentPrice").toString(), "61.5");
  EXPECT_EQ(item.value("BuyItNowPrice").toString(), "89");
  EXPECT_EQ(item.value("EndTime").toString(), "2008-05-27T17:04:00.000Z");
  EXPECT_EQ(item.value("Condition").toString(), "Used");
  EXPECT_EQ(item.value("Site").toString(), "Germany");
  EXPECT_EQ(item.value("Seller").toObject().value("UserID").toString(), "kamera-kiste");
  EXPECT_EQ(item.value("PictureURLs").toArray().size(), 2);
  EXPECT_EQ(item.value("PaymentMethods").toArray().size(), 3);
  EXPECT_EQ(item.size(), 35);  // every field of a listing
}

TEST(QuarnCli, ParseReportsBadInputWithoutCrashing) {
  QTemporaryDir dir;
  auto write = [&](const char* name, const QByteArray& content) {
    QFile f(dir.filePath(QLatin1String(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  };
  const TRun notXml = RunCli({QStringLiteral("parse"), write("a.xml", "<html>oops")});
  EXPECT_EQ(notXml.ExitCode, 2);
  EXPECT_TRUE(notXml.Err.startsWith("EShopping: XML-Daten konnten nicht geladen werden."))
      << notXml.Err.constData();

  const TRun badCount =
      RunCli({QStringLiteral("parse"),
              write("b.xml", ItemsAnswer({"<ItemID>1</ItemID>",
                                          "<ItemID>2</ItemID><BidCount>zwei</BidCount>",
                                          "<ItemID>3</ItemID>"}))});
  EXPECT_EQ(badCount.ExitCode, 2);
  EXPECT_EQ(badCount.Objects.size(), 2);
  EXPECT_TRUE(badCount.Err.startsWith("EShopping: 'zwei'")) << badCount.Err.constData();

  EXPECT_EQ(RunCli({QStringLiteral("parse"), dir.filePath(QStringLiteral("missing.xml"))}).ExitCode,
            1);
  EXPECT_EQ(RunCli({QStringLiteral("parse")}).ExitCode, 1);
}

TEST(QuarnCli, SearchPrintsTheCompletedListings) {
  TFakeShoppingServer server([](const TFakeShoppingServer::TCall& call) -> QByteArray {
    if (call.CallName != "FindItemsAdvanced") {
      QByteArray xml =
          "<GetMultipleItemsResponse xmlns=\"urn:ebay:apis:eBLBaseComponents\"><Ack>Success</Ack>";
      for (const QByteArray& id : call.Values("ItemID"))
        xml += "<Item><ItemID>" + id + "</ItemID><Location>Detail</Location></Item>";
      return xml + "</GetMultipleItemsResponse>";
    }
    const QByteArrayList pages = call.Values("PageNumber");
    return SearchAnswer(12, pages.isEmpty() ? 1 : pages.first().toInt(), 4);
  });
  const TRun run = RunCli({"search", "--endpoint", AppCore().ShoppingApiUrl, "--site", "77",
                           "--keywords", "leica", "--pages", "2", "--json"});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.constData();
  ASSERT_EQ(run.Objects.size(), 24);
  for (const QJsonObject& o : run.Objects)
    EXPECT_EQ(o.value("Location").toString(), "Detail");
  const auto searches = server.Calls("FindItemsAdvanced");
  ASSERT_EQ(searches.size(), 2u);
  EXPECT_EQ(searches[0].SiteID, "77");
  EXPECT_EQ(searches[0].Values("MaxEntries"), QByteArrayList({"50"}));
  EXPECT_EQ(server.Calls("GetMultipleItems").size(), 3u);

  EXPECT_EQ(RunCli({"search", "--site", "77", "--keywords", "x"}).ExitCode, 1);
}

}  // namespace
