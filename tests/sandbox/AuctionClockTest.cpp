// Determinism for a seed and auctions moving with simulated time.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <thread>

#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

std::string Body(const httplib::Result& r) {
  return r ? r->body : std::string();
}

// The answer with the server's own address taken out, so two servers compare.
std::string WithoutAddress(const SandboxProcess& s, std::string text) {
  for (size_t pos = text.find(s.Address()); pos != std::string::npos;
       pos = text.find(s.Address(), pos)) {
    text.replace(pos, s.Address().size(), "ADDRESS/");
  }
  return text;
}

void Advance(const SandboxProcess& s, int seconds) {
  auto r = s.Client().Post("/sandbox/clock?advance=" + std::to_string(seconds), "", "text/plain");
  ASSERT_TRUE(r);
  ASSERT_EQ(r->status, 200);
}

struct Status {
  int bids;
  double price;
  std::string bidder, status, timeLeft;
};

std::map<std::string, Status> Statuses(const SandboxProcess& s,
                                       const std::vector<std::string>& ids) {
  std::map<std::string, Status> out;
  for (size_t i = 0; i < ids.size(); i += 20) {
    std::string inner;
    for (size_t k = i; k < ids.size() && k < i + 20; ++k)
      inner += "<ItemID>" + ids[k] + "</ItemID>";
    XmlAnswer a(Body(s.Call("GetItemStatus", inner)));
    int n = a.Count("//e:Item");
    for (int k = 1; k <= n; ++k) {
      std::string item = "(//e:Item)[" + std::to_string(k) + "]/";
      out[a.Text(item + "e:ItemID")] = {std::stoi(a.Text(item + "e:BidCount")),
                                        std::stod(a.Text(item + "e:ConvertedCurrentPrice")),
                                        a.Text(item + "e:HighBidder/e:UserID"),
                                        a.Text(item + "e:ListingStatus"),
                                        a.Text(item + "e:TimeLeft")};
    }
  }
  return out;
}

std::vector<std::string> Auctions(const SandboxProcess& s, const std::string& extra = "") {
  XmlAnswer a(
      Body(s.Call("FindItemsAdvanced",
                  "<ItemType>AuctionItemsOnly</ItemType><MaxEntries>200</MaxEntries>" + extra)));
  return a.Texts("//e:Item/e:ItemID");
}

TEST(AuctionClock, TheSameSeedGivesTheSameAnswers) {
  SandboxProcess a(SandboxProcess::FrozenArgs("11")), b(SandboxProcess::FrozenArgs("11")),
      other(SandboxProcess::FrozenArgs("12"));
  ASSERT_TRUE(a.Running() && b.Running() && other.Running());
  const std::string inner =
      "<MaxEntries>100</MaxEntries><IncludeSelector>Details,SellerInfo,ItemSpecifics</"
      "IncludeSelector>";
  for (int site : {77, 0, 196}) {
    // Ask b for another site first: the order of first use must not matter.
    b.Call("FindItemsAdvanced", "", 3);
    std::string fromA = WithoutAddress(a, Body(a.Call("FindItemsAdvanced", inner, site)));
    std::string fromB = WithoutAddress(b, Body(b.Call("FindItemsAdvanced", inner, site)));
    EXPECT_GT(fromA.size(), 10000u);
    EXPECT_EQ(fromA, fromB) << site;
    EXPECT_NE(fromA, WithoutAddress(other, Body(other.Call("FindItemsAdvanced", inner, site))))
        << site;
  }
}

TEST(AuctionClock, BidsFollowSimulatedTimeNotRequests) {
  SandboxProcess a(SandboxProcess::FrozenArgs()), b(SandboxProcess::FrozenArgs());
  ASSERT_TRUE(a.Running() && b.Running());
  auto ids = Auctions(a);
  ASSERT_GT(ids.size(), 50u);
  auto before = Statuses(a, ids);
  for (int i = 0; i < 5; ++i)
    Statuses(a, ids);  // many requests on a only
  Advance(a, 6 * 3600);
  Advance(b, 6 * 3600);
  auto later = Statuses(a, ids);
  EXPECT_EQ(later.size(), ids.size());
  int raised = 0, newBidder = 0;
  for (const auto& id : ids) {
    const Status& s0 = before[id];
    const Status& s1 = later[id];
    EXPECT_GE(s1.bids, s0.bids) << id;
    if (s1.bids > s0.bids) {
      ++raised;
      EXPECT_GT(s1.price, s0.price) << id;
      newBidder += s1.bidder != s0.bidder;
    } else {
      EXPECT_EQ(s1.price, s0.price) << id;
    }
  }
  // About one bid an hour: most running auctions moved in six hours.
  EXPECT_GT(raised, static_cast<int>(ids.size()) / 3);
  EXPECT_GT(newBidder, 0);
  // The other server saw no requests in between and agrees.
  auto fromB = Statuses(b, ids);
  for (const auto& id : ids) {
    EXPECT_EQ(fromB[id].bids, later[id].bids) << id;
    EXPECT_EQ(fromB[id].price, later[id].price) << id;
    EXPECT_EQ(fromB[id].bidder, later[id].bidder) << id;
  }
}

// How many of the site's running listings end by `until`.
int Ending(const SandboxProcess& s, const std::string& until) {
  int n = 0;
  for (int page = 1; page <= 2; ++page) {
    XmlAnswer a(Body(s.Call("FindItemsAdvanced",
                            "<MaxEntries>200</MaxEntries><PageNumber>" + std::to_string(page) +
                                "</PageNumber><EndTimeTo>" + until + "</EndTimeTo>")));
    n += a.Count("//e:Item");
  }
  return n;
}

TEST(AuctionClock, ListingsEndAndLeaveTheSearch) {
  SandboxProcess s(SandboxProcess::FrozenArgs());
  ASSERT_TRUE(s.Running());
  XmlAnswer soonest(
      Body(s.Call("FindItemsAdvanced", "<ItemSort>EndTime</ItemSort><MaxEntries>20</MaxEntries>")));
  auto ids = soonest.Texts("//e:Item/e:ItemID");
  ASSERT_EQ(ids.size(), 20u);
  const int totalBefore = std::stoi(soonest.Text("//e:TotalItems"));
  const int endingIn12Hours = Ending(s, "2024-05-02T00:00:00.000Z");
  ASSERT_GT(endingIn12Hours, 20);

  Advance(s, 12 * 3600);
  auto ended = Statuses(s, ids);
  int endedCount = 0;
  for (const auto& id : ids) {
    if (ended[id].status == "Active") continue;
    ++endedCount;
    EXPECT_TRUE(ended[id].status == "Ended" || ended[id].status == "Completed") << ended[id].status;
    EXPECT_EQ(ended[id].timeLeft, "PT0S");
  }
  EXPECT_GT(endedCount, 0);
  // The search now holds exactly the listings that end after the new moment
  // (the frozen clock started at 2024-05-01T12:00:00Z).
  XmlAnswer after(Body(
      s.Call("FindItemsAdvanced", "<MaxEntries>200</MaxEntries><ItemSort>EndTime</ItemSort>")));
  EXPECT_EQ(std::stoi(after.Text("//e:TotalItems")), totalBefore - endingIn12Hours);
  auto endTimes = after.Texts("//e:Item/e:EndTime");
  ASSERT_FALSE(endTimes.empty());
  EXPECT_GT(endTimes.front(), "2024-05-02T00:00:00.000Z");
  for (const auto& id : after.Texts("//e:Item/e:ItemID"))
    EXPECT_EQ(ended.count(id) && ended[id].status != "Active", false) << id;

  // Half an hour after the end a listing is "Completed" and stays so.
  Advance(s, 3600);
  auto completed = Statuses(s, ids);
  for (const auto& id : ids) {
    if (ended[id].status != "Active") EXPECT_EQ(completed[id].status, "Completed") << id;
  }
}

TEST(AuctionClock, ClockSpeedRunsTheClockFaster) {
  SandboxProcess s({"--port", "0", "--items-per-site", "300", "--clock-speed", "7200"});
  ASSERT_TRUE(s.Running());
  auto ids = Auctions(s, "<ItemSort>EndTime</ItemSort>");
  ASSERT_FALSE(ids.empty());
  XmlAnswer t0(Body(s.Call("GeteBayTime", "")));
  auto before = Statuses(s, ids);
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  XmlAnswer t1(Body(s.Call("GeteBayTime", "")));
  auto after = Statuses(s, ids);
  // Two simulated hours per second.
  std::tm tm0{}, tm1{};
  strptime(t0.Text("//e:Timestamp").c_str(), "%Y-%m-%dT%H:%M:%S", &tm0);
  strptime(t1.Text("//e:Timestamp").c_str(), "%Y-%m-%dT%H:%M:%S", &tm1);
  double elapsed = difftime(timegm(&tm1), timegm(&tm0));
  EXPECT_GT(elapsed, 6000);
  EXPECT_LT(elapsed, 7200 * 3);
  int moved = 0;
  for (const auto& id : ids)
    moved += after[id].bids > before[id].bids || after[id].status != before[id].status;
  EXPECT_GT(moved, 0);
}

}  // namespace
