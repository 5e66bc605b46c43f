// Hostile and broken requests: eBay-style failures or a 4xx, never a crash,
// a hang or a leak of local files; and the server keeps serving.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "sandbox/RawHttp.h"
#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

std::string Nested(int depth) {
  std::string s = "<FindItemsAdvancedRequest xmlns=\"urn:ebay:apis:eBLBaseComponents\">";
  for (int i = 0; i < depth; ++i)
    s += "<a>";
  for (int i = 0; i < depth; ++i)
    s += "</a>";
  return s + "</FindItemsAdvancedRequest>";
}

std::string Binary() {
  std::string s;
  for (int i = 0; i < 5000; ++i)
    s += static_cast<char>((i * 7919) & 0xFF);
  return s;
}

TEST(BadInput, BrokenBodiesGetEbayFailures) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  struct Case {
    const char* what;
    std::string body;
  } cases[] = {
      {"empty", ""},
      {"binary", Binary()},
      {"not xml", "FindItemsAdvanced please"},
      {"wrong namespace",
       "<FindItemsAdvancedRequest "
       "xmlns=\"urn:example\"><QueryKeywords>x</QueryKeywords></FindItemsAdvancedRequest>"},
      {"no namespace",
       "<FindItemsAdvancedRequest><QueryKeywords>x</QueryKeywords></FindItemsAdvancedRequest>"},
      {"no call", "<Hello xmlns=\"urn:ebay:apis:eBLBaseComponents\"/>"},
      {"deeply nested", Nested(100000)},
      {"entity expansion",
       "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
       "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d "
       "\"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
       "<FindItemsAdvancedRequest "
       "xmlns=\"urn:ebay:apis:eBLBaseComponents\"><QueryKeywords>&d;&d;&d;</QueryKeywords>"
       "</FindItemsAdvancedRequest>"},
      {"external entity",
       "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
       "<FindItemsAdvancedRequest "
       "xmlns=\"urn:ebay:apis:eBLBaseComponents\"><QueryKeywords>&x;</QueryKeywords>"
       "</FindItemsAdvancedRequest>"},
      {"long keywords",
       SandboxProcess::Document("FindItemsAdvanced",
                                "<QueryKeywords>" + std::string(5000, 'k') + "</QueryKeywords>")},
  };
  httplib::Headers headers = {{"X-EBAY-API-APP-ID", SandboxProcess::kAppId},
                              {"X-EBAY-API-SITE-ID", "77"}};
  for (const Case& c : cases) {
    auto r = s.Client().Post("/shopping?", headers, c.body, "text/xml");
    ASSERT_TRUE(r) << c.what;
    EXPECT_EQ(r->status, 200) << c.what;
    XmlAnswer a(r->body);
    ASSERT_TRUE(a.Ok()) << c.what;
    EXPECT_EQ(a.Text("/*/e:Ack"), "Failure") << c.what;
    EXPECT_EQ(r->body.find("root:"), std::string::npos) << c.what;  // nothing of /etc/passwd
  }
  EXPECT_EQ(s.Call("GeteBayTime", "")->status, 200);
}

TEST(BadInput, OversizedAndCompressedBodiesAreRefused) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  std::string huge = SandboxProcess::Document(
      "FindItemsAdvanced", "<QueryKeywords>" + std::string(3 << 20, 'x') + "</QueryKeywords>");
  auto big = s.Client().Post("/shopping?", huge, "text/xml");
  ASSERT_TRUE(big);
  EXPECT_EQ(big->status, 413);
  // A compressed body is refused before it is read: no decompression bombs.
  auto packed = RawHttp::Send(s.Port(), RawHttp::ShoppingPost("GeteBayTime", std::string(100, '\0'),
                                                              "Content-Encoding: gzip\r\n"));
  EXPECT_NE(packed.headers.find("HTTP/1.1 415"), std::string::npos) << packed.headers;
  // Other methods and paths.
  EXPECT_EQ(XmlAnswer(s.Client().Get("/shopping")->body).Text("/*/e:Ack"), "Failure");
  EXPECT_EQ(s.Client().Get("/nothing/here")->status, 404);
  EXPECT_EQ(s.Client().Get("/pics/../../etc/passwd")->status, 404);
  EXPECT_EQ(s.Client().Get("/modules/../../CMakeLists.txt")->status, 404);
  EXPECT_EQ(s.Call("GeteBayTime", "")->status, 200);
}

TEST(BadInput, TwoHundredConnectionsAtOnce) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  std::atomic<int> ok{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 200; ++i) {
    threads.emplace_back([&s, &ok, i] {
      httplib::Client c = s.Client();
      c.set_read_timeout(30);
      c.set_connection_timeout(30);
      auto r = c.Post("/shopping?",
                      {{"X-EBAY-API-APP-ID", SandboxProcess::kAppId}, {"X-EBAY-API-SITE-ID", "77"}},
                      SandboxProcess::Document("FindItemsAdvanced",
                                               "<PageNumber>" + std::to_string(i % 20 + 1) +
                                                   "</PageNumber><MaxEntries>20</MaxEntries>"),
                      "text/xml");
      if (r && r->status == 200 && XmlAnswer(r->body).Count("//e:Item") == 20) ++ok;
    });
  }
  for (auto& t : threads)
    t.join();
  EXPECT_EQ(ok.load(), 200);
  EXPECT_EQ(s.Call("GeteBayTime", "")->status, 200);
}

TEST(BadInput, SigtermStopsTheServerCleanly) {
  SandboxProcess s(SandboxProcess::FrozenArgs());
  ASSERT_TRUE(s.Running());
  // An idle keep-alive connection must not hold the stop up for long.
  httplib::Client idle = s.Client();
  idle.set_keep_alive(true);
  ASSERT_TRUE(idle.Get("/sandbox/state"));
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(s.Stop(), 0);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 4.0);
}

}  // namespace
