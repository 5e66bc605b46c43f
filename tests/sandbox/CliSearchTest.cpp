// quarn-cli search against the real sandbox: the program's own search path
// (scheduler, search pages, detail calls) returns completed listings.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "SandboxProcess.h"

namespace {

TEST(CliSearch, ReturnsCompletedListingsFromTheSandbox) {
  SandboxProcess sandbox(
      {"--port", "0", "--seed", "3", "--clock-speed", "0", "--categories", "builtin"});
  ASSERT_TRUE(sandbox.Running());
  QProcess cli;
  cli.start(QStringLiteral(QUARN_BUILD_DIR "/quarn-cli"),
            {QStringLiteral("search"), QStringLiteral("--endpoint"),
             QString::fromStdString(sandbox.Address()) + QStringLiteral("shopping?"),
             QStringLiteral("--site"), QStringLiteral("77"), QStringLiteral("--keywords"),
             QStringLiteral("neu"), QStringLiteral("--pages"), QStringLiteral("2"),
             QStringLiteral("--json")});
  ASSERT_TRUE(cli.waitForFinished(60000));
  ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();

  // One JSON object per listing, one per line or as an array: accept both.
  QByteArray out = cli.readAllStandardOutput().trimmed();
  QJsonArray listings;
  const QJsonDocument whole = QJsonDocument::fromJson(out);
  if (whole.isArray()) {
    listings = whole.array();
  } else {
    for (const QByteArray& line : out.split('\n')) {
      const QJsonDocument doc = QJsonDocument::fromJson(line);
      if (doc.isObject()) listings.append(doc.object());
    }
  }
  ASSERT_EQ(listings.size(), 100);
  int withPictures = 0;
  for (const QJsonValue& v : listings) {
    const QJsonObject item = v.toObject();
    EXPECT_TRUE(item.value(QStringLiteral("Title"))
                    .toString()
                    .contains(QStringLiteral("neu"), Qt::CaseInsensitive));
    EXPECT_FALSE(item.value(QStringLiteral("EndTime")).toString().isEmpty());
    if (!item.value(QStringLiteral("PictureURLs")).toArray().isEmpty()) ++withPictures;
  }
  EXPECT_GT(withPictures, 50) << "the detail calls did not complete the listings";
}

}  // namespace
