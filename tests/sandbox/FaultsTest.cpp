// Faults on request: per path, each kind, rates, latency, and the report.
#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>

#include "sandbox/RawHttp.h"
#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

const std::string kSearch =
    SandboxProcess::Document("FindItemsAdvanced", "<MaxEntries>50</MaxEntries>");

void SetFaults(const SandboxProcess& s, const std::string& rules, int expectedStatus = 200) {
  auto r = s.Client().Post("/sandbox/faults", rules, "text/plain");
  ASSERT_TRUE(r);
  ASSERT_EQ(r->status, expectedStatus) << rules << ": " << r->body;
}

RawHttp::Exchange Search(const SandboxProcess& s, const std::string& extraHeaders = "") {
  return RawHttp::Send(s.Port(), RawHttp::ShoppingPost("FindItemsAdvanced", kSearch, extraHeaders));
}

bool InflatesCompletely(const std::string& gz) {
  z_stream z{};
  inflateInit2(&z, 31);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gz.data()));
  z.avail_in = static_cast<uInt>(gz.size());
  char buf[65536];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) break;
  }
  inflateEnd(&z);
  return rc == Z_STREAM_END;
}

class Faults : public ::testing::Test {
 protected:
  SandboxProcess sandbox{SandboxProcess::FrozenArgs()};
};

TEST_F(Faults, EachKindBreaksTheAnswerItsOwnWay) {
  ASSERT_TRUE(sandbox.Running());
  auto healthy = Search(sandbox);
  ASSERT_EQ(healthy.contentLength, static_cast<long>(healthy.body.size()));

  SetFaults(sandbox, "shopping:http500=1");
  EXPECT_NE(Search(sandbox).headers.find("HTTP/1.1 500"), std::string::npos);

  SetFaults(sandbox, "shopping:drop=1");
  auto dropped = Search(sandbox);
  EXPECT_EQ(dropped.contentLength, healthy.contentLength);  // announced in full...
  EXPECT_LT(dropped.body.size(),
            static_cast<size_t>(dropped.contentLength));  // ...cut off mid-body

  SetFaults(sandbox, "shopping:badxml=1");
  auto bad = Search(sandbox);
  EXPECT_NE(bad.headers.find("200 OK"), std::string::npos);
  EXPECT_EQ(bad.contentLength, static_cast<long>(bad.body.size()));
  EXPECT_FALSE(XmlAnswer(bad.body).Ok());

  SetFaults(sandbox, "shopping:warning=1");
  XmlAnswer warned(Search(sandbox).body);
  EXPECT_EQ(warned.Text("/*/e:Ack"), "Warning");
  EXPECT_EQ(warned.Text("/*/e:Errors/e:SeverityCode"), "Warning");
  EXPECT_EQ(warned.Count("//e:Item"), 50);

  SetFaults(sandbox, "shopping:truncgzip=1");
  auto truncated = Search(sandbox);  // even without Accept-Encoding
  EXPECT_NE(truncated.headers.find("Content-Encoding: gzip"), std::string::npos);
  EXPECT_EQ(truncated.contentLength, static_cast<long>(truncated.body.size()));
  EXPECT_FALSE(InflatesCompletely(truncated.body));

  SetFaults(sandbox, "shopping:slow=1");
  auto slow = Search(sandbox);
  EXPECT_GT(slow.seconds, 1.5);
  EXPECT_EQ(slow.body, healthy.body);

  SetFaults(sandbox, "");
  EXPECT_EQ(Search(sandbox).body, healthy.body);
}

TEST_F(Faults, RulesApplyToTheirPathsOnly) {
  ASSERT_TRUE(sandbox.Running());
  SetFaults(sandbox, "*:http500=1; logon.php:latency=0; pics:drop=1");
  auto client = sandbox.Client();
  EXPECT_EQ(client.Get("/urldef.php")->status, 500);                // the wildcard
  EXPECT_EQ(client.Get("/logon.php?&version=2.230")->status, 200);  // longest prefix wins
  EXPECT_EQ(client.Get("/sandbox/state")->status, 200);             // never faulted
  auto picture = RawHttp::Send(
      sandbox.Port(), "GET /pics/1/1_500x375.jpg HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
  EXPECT_LT(picture.body.size(), static_cast<size_t>(picture.contentLength));
}

TEST_F(Faults, RatesFireOnAnEvenShareOfRequests) {
  ASSERT_TRUE(sandbox.Running());
  SetFaults(sandbox, "shopping:http500=0.25");
  int failed = 0;
  for (int i = 0; i < 8; ++i)
    failed += sandbox.Call("GeteBayTime", "")->status == 500;
  EXPECT_EQ(failed, 2);
  auto state = sandbox.Client().Get("/sandbox/state");
  ASSERT_TRUE(state);
  EXPECT_NE(state->body.find("\"http500\":2"), std::string::npos) << state->body;
  EXPECT_NE(state->body.find("\"call:GeteBayTime\":6"), std::string::npos) << state->body;
}

TEST_F(Faults, LatencyDelaysTheAnswer) {
  ASSERT_TRUE(sandbox.Running());
  SetFaults(sandbox, "shopping:latency=400");
  auto start = std::chrono::steady_clock::now();
  auto r = sandbox.Call("GeteBayTime", "");
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(r);
  EXPECT_EQ(r->status, 200);
  EXPECT_GE(ms, 400);
  start = std::chrono::steady_clock::now();
  sandbox.Client().Get("/urldef.php");
  double other =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(other, 400);
}

TEST_F(Faults, BadRulesAreRefusedAndChangeNothing) {
  ASSERT_TRUE(sandbox.Running());
  SetFaults(sandbox, "shopping:warning=1");
  for (const char* bad : {"shopping", "shopping:explode=1", "shopping:drop=2",
                          "shopping:latency=-1", ":drop=1", "shopping:drop"}) {
    SetFaults(sandbox, bad, 400);
  }
  EXPECT_EQ(sandbox.Client().Get("/sandbox/faults")->body, "shopping:warning=1\n");
}

TEST(FaultsOnTheCommandLine, AreActiveFromTheStart) {
  auto args = SandboxProcess::FrozenArgs();
  args.insert(args.end(), {"--faults", "shopping:http500=1", "--latency-ms", "200"});
  SandboxProcess s(args);
  ASSERT_TRUE(s.Running());
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(s.Call("GeteBayTime", "")->status, 500);
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(ms, 200);

  args = SandboxProcess::FrozenArgs();
  args.insert(args.end(), {"--faults", "shopping:nonsense=1"});
  SandboxProcess refused(args);
  EXPECT_FALSE(refused.Running());
}

}  // namespace
