// What one transfer does: methods and headers, redirects and cookies, content
// decoding, connection settings and proxy, and every way a transfer can fail.
// All against local servers started by the test.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <QTest>
#include <cstdlib>
#include <map>
#include <random>

#include "core/app/AppCore.h"
#include "core/net/HTTPDownload.h"
#include "core/net/HTTPThread.h"
#include "core/net/HTTPThreadManager.h"
#include "core/net/NetworkSettings.h"
#include "net/LocalHttpServer.h"

namespace {

// --- bodies ---

QByteArray Deflate(const QByteArray& data, int windowBits, int level = 6, int strategy = 0) {
  z_stream zs{};
  deflateInit2(&zs, level, Z_DEFLATED, windowBits, 8, strategy);
  QByteArray out(qsizetype(deflateBound(&zs, uLong(data.size()))), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  zs.avail_in = uInt(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(qsizetype(zs.total_out));
  deflateEnd(&zs);
  return out;
}

QByteArray Gzip(const QByteArray& data) {
  return Deflate(data, 31);
}
QByteArray Zlib(const QByteArray& data) {
  return Deflate(data, 15);
}
QByteArray RawDeflate(const QByteArray& data) {
  return Deflate(data, -15);
}

// Gzip with a file name field and a wrong trailer, followed by junk: the
// header is skipped, the trailer not checked, the junk not used.
QByteArray GzipWithNameAndWrongTrailer(const QByteArray& data) {
  QByteArray out("\x1f\x8b\x08\x08\0\0\0\0\0\x03", 10);
  out += QByteArray("page.html", 10);  // with its terminating zero
  out += RawDeflate(data) + QByteArray(8, '\x55') + "JUNK";
  return out;
}

// A few hundred KB that inflate to `size` bytes of zeros.
QByteArray GzipBomb(qint64 size) {
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, 31, 9, Z_RLE);
  const QByteArray zeros(1 << 20, '\0');
  QByteArray out;
  char buffer[1 << 16];
  for (qint64 fed = 0; fed < size; fed += zeros.size()) {
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.constData()));
    zs.avail_in = uInt(zeros.size());
    const int flush = fed + zeros.size() >= size ? Z_FINISH : Z_NO_FLUSH;
    do {
      zs.next_out = reinterpret_cast<Bytef*>(buffer);
      zs.avail_out = sizeof buffer;
      deflate(&zs, flush);
      out.append(buffer, qsizetype(sizeof buffer - zs.avail_out));
    } while (zs.avail_out == 0);
  }
  deflateEnd(&zs);
  return out;
}

QByteArray Text(int bytes) {
  QByteArray text;
  for (int i = 0; text.size() < bytes; ++i)
    text += "Artikel " + QByteArray::number(i * 7919 % 100003) + " EUR\r\n";
  text.resize(bytes);
  return text;
}

QByteArray Noise(int bytes) {
  std::mt19937 random(42);
  QByteArray noise(bytes, '\0');
  for (char& c : noise)
    c = char(random());
  return noise;
}

QByteArray AllByteValues() {
  QByteArray bytes;
  for (int round = 0; round < 4; ++round)
    for (int b = 0; b < 256; ++b)
      bytes += char(b);
  return bytes + "\r\n\0end" + QByteArray(3, '\0');
}

std::string Str(const QByteArray& b) {
  return std::string(b.constData(), size_t(b.size()));
}

// --- what a completion handler saw, kept after the worker is gone ---

struct TResult {
  bool Done = false;
  bool Completed = false;
  QByteArray Stream;
  QByteArray Text;
  qint64 Size = -1;
  int Code = 0;
  QString Error;
  QString Tag;
};

// key=value lines of the echo route.
std::map<std::string, std::string> EchoFields(const QByteArray& body) {
  std::map<std::string, std::string> fields;
  for (const QByteArray& line : body.split('\n')) {
    const qsizetype eq = line.indexOf('=');
    if (eq > 0) fields[Str(line.left(eq))] = Str(line.mid(eq + 1));
  }
  return fields;
}

class TransferTest : public ::testing::Test {
 protected:
  // Bodies served by "/encoded?case=N" with the given Content-Encoding.
  struct TEncoded {
    std::string Encoding;
    QByteArray Body;
  };
  static std::map<std::string, TEncoded>& Encoded() {
    static std::map<std::string, TEncoded> encoded;
    return encoded;
  }

  void SetUp() override {
    auto& s = Server.Server;
    s.Get("/encoded", [](const httplib::Request& req, httplib::Response& res) {
      const TEncoded& e = Encoded().at(req.get_param_value("case"));
      if (!e.Encoding.empty()) res.set_header("Content-Encoding", e.Encoding);
      res.set_content(Str(e.Body), "application/octet-stream");
    });
    auto echo = [](const httplib::Request& req, httplib::Response& res) {
      std::string out = "method=" + req.method + "\n";
      for (const char* h : {"User-Agent", "X-EBAY-API-CALL-NAME", "Content-Type", "Accept-Encoding",
                            "Accept-Language", "Cookie", "Expect"})
        out += std::string(h) + "=" + req.get_header_value(h) + "\n";
      out += "body=" + req.body;
      res.set_content(out, req.has_param("text") ? "text/plain" : "application/octet-stream");
    };
    s.Get("/echo", echo);
    s.Post("/echo", echo);
    s.Get("/status500", [](const httplib::Request&, httplib::Response& res) {
      res.status = 500;
      res.set_content(std::string(5000, 'x'), "text/html");
    });
    s.Get("/slow", [this](const httplib::Request&, httplib::Response& res) {
      Server.Dawdle(4000);
      res.set_content("late", "text/plain");
    });
    s.Get("/cut", [](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(100000, "application/octet-stream",
                               [](size_t offset, size_t, httplib::DataSink& sink) {
                                 if (offset > 0) return false;  // hang up mid-body
                                 sink.write(std::string(1000, 'a').data(), 1000);
                                 return true;
                               });
    });
    s.Get("/big", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content(std::string(std::stoul(req.get_param_value("n")), 'b'),
                      "application/octet-stream");
    });
    s.Get("/chunked", [](const httplib::Request& req, httplib::Response& res) {
      const size_t total = std::stoul(req.get_param_value("n"));
      res.set_chunked_content_provider(
          "application/octet-stream", [total](size_t offset, httplib::DataSink& sink) {
            if (offset >= total) {
              sink.done();
              return true;
            }
            const std::string piece(std::min<size_t>(16384, total - offset), 'c');
            return sink.write(piece.data(), piece.size());
          });
    });
    s.Get("/cookie-start", [](const httplib::Request&, httplib::Response& res) {
      res.set_header("Set-Cookie", "session=abc; Path=/");
      res.set_redirect("/cookie-check");
    });
    s.Get("/cookie-check", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content("cookie=" + req.get_header_value("Cookie"), "application/octet-stream");
    });
    s.Get("/redirect",
          [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/echo"); });
    s.Get("/to-file", [](const httplib::Request&, httplib::Response& res) {
      res.set_redirect("file:///etc/hostname");
    });
    Server.Start();
  }

  static void AddEncoded(const std::string& name, const std::string& encoding,
                         const QByteArray& body) {
    Encoded()[name] = {encoding, body};
  }

  TResult Fetch(const QString& url, THTTPThreadManager::TPrepareHandler prepare = {},
                bool keepBinary = false, std::optional<QByteArray> post = std::nullopt) {
    TResult result;
    Manager.Enqueue(
        nullptr, url, std::move(post), std::move(prepare),
        [&](THTTPThread& w) {
          result.Done = true;
          result.Completed = w.Completed();
          result.Stream = w.ResponseStream();
          result.Text = w.ResponseText();
          result.Size = w.ResponseSize();
          result.Code = w.Client().ResponseCode();
          result.Error = w.ErrorText();
          result.Tag = w.Tag();
        },
        QStringLiteral("tag-1"), keepBinary, 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.Done; }, 20000)) << url.toStdString();
    return result;
  }

  TLocalHttpServer Server;
  THTTPThreadManager Manager{0};
};

// --- content decoding and KeepBinary ---

struct DecodeCase {
  const char* Name;
  std::string Encoding;
  QByteArray Sent;
  bool KeepBinary;
  bool Completed;
  QByteArray Expected;  // ResponseStream
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.Name;
}

class DecodeTest : public TransferTest, public ::testing::WithParamInterface<DecodeCase> {};

TEST_P(DecodeTest, BodyArrivesAsTheRuleSays) {
  const DecodeCase& c = GetParam();
  AddEncoded(c.Name, c.Encoding, c.Sent);
  const TResult r = Fetch(Server.Url(std::string("/encoded?case=") + c.Name), {}, c.KeepBinary);
  ASSERT_EQ(r.Completed, c.Completed) << r.Error.toStdString();
  EXPECT_EQ(r.Tag, QStringLiteral("tag-1"));
  if (!c.Completed) {
    EXPECT_FALSE(r.Error.isEmpty());
    EXPECT_EQ(r.Size, 0);
    EXPECT_EQ(Manager.Failed(), 1);
    return;
  }
  EXPECT_EQ(r.Stream, c.Expected);
  EXPECT_EQ(r.Size, c.Expected.size());
  EXPECT_EQ(r.Text, c.KeepBinary ? QByteArray() : c.Expected);
  EXPECT_EQ(Manager.BytesReceived(), c.Expected.size());
  EXPECT_EQ(Manager.Failed(), 0);
}

const QByteArray kText = Text(200000);
const QByteArray kNoise = Noise(300000);

INSTANTIATE_TEST_SUITE_P(
    Decoding, DecodeTest,
    ::testing::Values(
        DecodeCase{"GzipWithGzipHeader", "gzip", Gzip(kText), true, true, kText},
        DecodeCase{"GzipWithZlibHeader", "gzip", Zlib(kText), true, true, kText},
        DecodeCase{"GzipWithoutHeader", "gzip", RawDeflate(kText), true, true, kText},
        DecodeCase{"DeflateWithZlibHeader", "deflate", Zlib(kText), false, true, kText},
        DecodeCase{"DeflateWithoutHeader", "deflate", RawDeflate(kText), false, true, kText},
        DecodeCase{"GzipNameFieldWrongTrailerJunk", "gzip", GzipWithNameAndWrongTrailer(kText),
                   false, true, kText},
        DecodeCase{"GzipSpanningInputChunks", "gzip", Gzip(kNoise), true, true, kNoise},
        DecodeCase{"CapitalGzipNotDecoded", "GZIP", Gzip(kText), false, true, Gzip(kText)},
        DecodeCase{"OtherEncodingNotDecoded", "br", Gzip(kText), true, true, Gzip(kText)},
        DecodeCase{"PlainBodyByteForByte", "", AllByteValues(), false, true, AllByteValues()},
        DecodeCase{"KeepBinaryLeavesTextEmpty", "", AllByteValues(), true, true, AllByteValues()},
        DecodeCase{"EmptyGzipBody", "gzip", QByteArray(), false, true, QByteArray()},
        DecodeCase{"TruncatedGzip", "gzip", Gzip(kNoise).left(150000), true, false, {}},
        DecodeCase{"CorruptGzip", "gzip", Gzip(kText).left(20) + Noise(3000), true, false, {}},
        DecodeCase{"GzipHeaderOnly", "gzip", Gzip(kText).left(10), true, false, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- failures: each one a failed transfer, and the scheduler goes on ---

struct FailureCase {
  const char* Name;
  std::string Path;  // empty: a port nobody listens on
  int ReadTimeoutMs;
  qint64 MaxBody;
  qint64 MaxDecoded;
  int Code;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.Name;
}

class FailureTest : public TransferTest, public ::testing::WithParamInterface<FailureCase> {};

long PeakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

TEST_P(FailureTest, EndsAsAFailedTransfer) {
  const FailureCase& c = GetParam();
  if (std::string(c.Name) == "DecompressionBomb") AddEncoded("bomb", "gzip", GzipBomb(300LL << 20));
  AddEncoded("text", "gzip", Gzip(kText));
  QString url;
  if (c.Path.empty()) {
    TLocalHttpServer closed;
    closed.Start();
    url = closed.Url("/echo");
  } else {
    url = Server.Url(c.Path);
  }
  Manager.SetBodyLimits(c.MaxBody, c.MaxDecoded);
  const int readTimeout = c.ReadTimeoutMs;
  const TResult r = Fetch(url, [readTimeout](THTTPThreadManager& m, THTTPThread& w) {
    THTTPThreadManager::ConfigureWebRequest(m, w);
    w.Client().ReadTimeoutMs = readTimeout;
  });
  EXPECT_FALSE(r.Completed);
  EXPECT_FALSE(r.Error.isEmpty());
  EXPECT_EQ(r.Size, 0);
  EXPECT_TRUE(r.Stream.isEmpty());
  EXPECT_EQ(r.Code, c.Code);
  EXPECT_EQ(Manager.Failed(), 1);
  EXPECT_LT(PeakMemoryMiB(), 250);

  Manager.SetBodyLimits(THTTPClient::kDefaultMaxBodyBytes, THTTPThread::kDefaultMaxDecodedBytes);
  Manager.Tick();
  const TResult next = Fetch(Server.Url("/encoded?case=text"));
  EXPECT_TRUE(next.Completed) << next.Error.toStdString();
  EXPECT_EQ(next.Text, kText);
  EXPECT_EQ(Manager.Failed(), 1);
  EXPECT_EQ(Manager.Queued(), 0);
}

constexpr qint64 kMiB = 1 << 20;
constexpr qint64 kDefault = 64 * kMiB;

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureTest,
    ::testing::Values(
        FailureCase{"ConnectionRefused", "", 60000, kDefault, kDefault, 0},
        FailureCase{"ReadTimeOut", "/slow", 300, kDefault, kDefault, 0},
        FailureCase{"ServerHangsUpMidBody", "/cut", 60000, kDefault, kDefault, 200},
        FailureCase{"ServerErrorWithBody", "/status500", 60000, kDefault, kDefault, 500},
        FailureCase{"AnnouncedBodyOverLimit", "/big?n=200000", 60000, 100000, kDefault, 200},
        FailureCase{"ChunkedBodyOverLimit", "/chunked?n=200000", 60000, 100000, kDefault, 200},
        FailureCase{"DecompressionBomb", "/encoded?case=bomb", 60000, kDefault, kDefault, 200},
        FailureCase{"DecodedBodyOverLimit", "/encoded?case=text", 60000, kDefault, 100000, 200},
        FailureCase{"RedirectToAFile", "/to-file", 60000, kDefault, kDefault, 302}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- requests, headers, redirects, cookies ---

TEST_F(TransferTest, PostsTheBodyWithTheCallersHeaders) {
  static const char kXml[] = "<?xml version=\"1.0\"?>\r\n<Request>\0binary\xff</Request>";
  const QByteArray body = QByteArray(kXml, sizeof kXml - 1) + QByteArray(3000, 'p');
  const TResult r = Fetch(
      Server.Url("/echo"),
      [](THTTPThreadManager&, THTTPThread& w) {
        w.Client().SetRequestHeader("X-EBAY-API-CALL-NAME", "FindItemsAdvanced");
        w.Client().SetRequestHeader("Content-Type", "text/xml");
      },
      false, body);
  ASSERT_TRUE(r.Completed) << r.Error.toStdString();
  const auto f = EchoFields(r.Text);
  EXPECT_EQ(f.at("method"), "POST");
  EXPECT_EQ(f.at("X-EBAY-API-CALL-NAME"), "FindItemsAdvanced");
  EXPECT_EQ(f.at("Content-Type"), "text/xml");
  EXPECT_EQ(f.at("User-Agent"), Str(Manager.NetAccessConfig().UserAgent.toUtf8()));
  EXPECT_EQ(f.at("Expect"), "");  // no wait for "100 Continue"
  EXPECT_TRUE(r.Text.endsWith("body=" + body));
  EXPECT_EQ(r.Code, 200);
}

TEST_F(TransferTest, WebRequestsFollowRedirectsKeepCookiesForOneRequestAndDecode) {
  auto web = &THTTPThreadManager::ConfigureWebRequest;
  EXPECT_EQ(Fetch(Server.Url("/cookie-start"), web).Text, "cookie=session=abc");
  EXPECT_EQ(Fetch(Server.Url("/cookie-check"), web).Text, "cookie=");

  // A text answer is compressed by the server on request and decoded by the worker.
  const TResult r = Fetch(Server.Url("/echo?text=1"), web);
  ASSERT_TRUE(r.Completed) << r.Error.toStdString();
  const auto f = EchoFields(r.Text);
  EXPECT_EQ(f.at("method"), "GET");
  EXPECT_EQ(f.at("Accept-Encoding"), "gzip, deflate");
  EXPECT_EQ(f.at("Accept-Language"), "de");

  // Without preparation: no redirects followed, no encoding asked for.
  const TResult plain = Fetch(Server.Url("/redirect"));
  EXPECT_TRUE(plain.Completed);
  EXPECT_EQ(plain.Code, 302);
  EXPECT_EQ(EchoFields(Fetch(Server.Url("/echo?text=1")).Text).at("Accept-Encoding"), "");
}

TEST_F(TransferTest, PingUsesItsOwnUserAgentAndFollowsRedirects) {
  const TResult r = Fetch(Server.Url("/redirect"), &THTTPThreadManager::ConfigurePing);
  ASSERT_TRUE(r.Completed) << r.Error.toStdString();
  EXPECT_EQ(EchoFields(r.Text).at("User-Agent"), "Quarn");
}

// --- connection settings ---

TEST_F(TransferTest, ProxySettingsReachTheProxy) {
  TLocalHttpServer proxy;
  std::string target, authorization, agent;
  proxy.Server.Get("(.*)", [&](const httplib::Request& req, httplib::Response& res) {
    target = req.target;
    authorization = req.get_header_value("Proxy-Authorization");
    agent = req.get_header_value("User-Agent");
    res.set_content("via proxy", "application/octet-stream");
  });
  proxy.Start();

  TNetworkSettings settings;
  settings.MaxConcurentConnections = 7;
  settings.MaxNewConnectionsIn5Sec = 9;
  settings.UserAgent = "Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1; Quarn 2.230)";
  settings.UseProxy = true;
  settings.ProxyServer = "127.0.0.1";
  settings.ProxyPort = proxy.Port;
  settings.RequireAuth = true;
  settings.ProxyUser = "j\xc3\xbcrgen";
  settings.ProxyPassword = "p@ss word:1";
  NetworkSettings::Apply(settings, Manager);
  EXPECT_EQ(NetworkSettings::Read(Manager), settings);
  EXPECT_EQ(Manager.MaxConcurentConnections(), 7);
  EXPECT_EQ(Manager.MaxNewConnectionsIn5Sec(), 9);

  const TResult r = Fetch("http://quarn-proxy-test.invalid/page?x=1");
  ASSERT_TRUE(r.Completed) << r.Error.toStdString();
  EXPECT_EQ(r.Text, "via proxy");
  EXPECT_EQ(target, "http://quarn-proxy-test.invalid/page?x=1");
  EXPECT_EQ(authorization,
            "Basic " + QByteArray("j\xc3\xbcrgen:p@ss word:1").toBase64().toStdString());
  EXPECT_EQ(agent, Str(settings.UserAgent.toUtf8()));

  // Without authentication no credentials go out.
  settings.RequireAuth = false;
  NetworkSettings::Apply(settings, Manager);
  ASSERT_TRUE(Fetch("http://quarn-proxy-test.invalid/other").Completed);
  EXPECT_EQ(target, "http://quarn-proxy-test.invalid/other");
  EXPECT_EQ(authorization, "");

  // Proxy off means no proxy, whatever the environment says.
  settings.UseProxy = false;
  NetworkSettings::Apply(settings, Manager);
  target.clear();
  setenv("http_proxy", proxy.Url("").toUtf8().constData(), 1);
  unsetenv("no_proxy");
  unsetenv("NO_PROXY");
  const TResult direct = Fetch(Server.Url("/echo"));
  unsetenv("http_proxy");
  EXPECT_TRUE(direct.Completed);
  EXPECT_EQ(EchoFields(direct.Text).at("method"), "GET");
  EXPECT_EQ(target, "");
}

TEST_F(TransferTest, RaisingTheLimitThroughTheSettingsStartsWaitingRequests) {
  TNetworkSettings settings;
  settings.MaxNewConnectionsIn5Sec = 0;
  NetworkSettings::Apply(settings, Manager);
  bool done = false;
  Manager.Enqueue(
      nullptr, Server.Url("/echo"), std::nullopt, {}, [&](auto&) { done = true; }, {}, true, 1);
  EXPECT_EQ(Manager.Waiting(), 1);
  settings.MaxNewConnectionsIn5Sec = 20;
  NetworkSettings::Apply(settings, Manager);
  EXPECT_EQ(Manager.Running(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000));
}

// --- the synchronous download ---

TEST_F(TransferTest, SynchronousDownloadUsesTheModuleAgentAndTakesBodiesAsTheyCome) {
  AppCore().ModuleUserAgent = "Quarn-Client 2.230";
  Manager.NetAccessConfig().UserAgent = "someone else";
  const QByteArray gz = Gzip(kText);
  AddEncoded("module", "gzip", gz);

  THTTPDownload download(Manager);
  ASSERT_TRUE(download.Get(Server.Url("/echo")));
  EXPECT_EQ(EchoFields(download.Body()).at("User-Agent"), "Quarn-Client 2.230");
  EXPECT_EQ(download.StatusCode(), 200);

  ASSERT_TRUE(download.Get(Server.Url("/encoded?case=module")));
  EXPECT_EQ(download.Body(), gz);  // not decoded

  EXPECT_TRUE(download.Get(Server.Url("/redirect")));
  EXPECT_EQ(download.StatusCode(), 302);  // not followed
  EXPECT_FALSE(download.Body().startsWith("method="));

  EXPECT_FALSE(download.Get(Server.Url("/status500")));
  EXPECT_EQ(download.StatusCode(), 500);
  EXPECT_TRUE(download.Body().isEmpty());
  EXPECT_FALSE(download.ErrorText().isEmpty());

  download.Client().MaxBodyBytes = 1000;
  EXPECT_FALSE(download.Get(Server.Url("/big?n=5000")));
}

}  // namespace
