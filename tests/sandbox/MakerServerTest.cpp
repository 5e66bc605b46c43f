// The maker's server: key="value" answers read with the client's own wire
// pattern, the module downloads and their checksums, the URL schema, the
// home page and the update file.
#include <gtest/gtest.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <map>

#include "sandbox/SandboxProcess.h"
#include "sandbox/XmlAnswer.h"

namespace {

// Compiles a pattern the way the client does: case-insensitive, dot-all.
class Pattern {
 public:
  explicit Pattern(const std::string& text) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.c_str()), text.size(),
                          PCRE2_CASELESS | PCRE2_DOTALL, &error, &offset, nullptr);
  }
  ~Pattern() { pcre2_code_free(code_); }
  bool Ok() const { return code_ != nullptr; }
  bool HasGroup(const char* name) const {
    return code_ && pcre2_substring_number_from_name(code_, reinterpret_cast<PCRE2_SPTR>(name)) > 0;
  }
  // Every match: group values by name (and "1" for the first numbered group).
  std::vector<std::map<std::string, std::string>> All(const std::string& subject,
                                                      const std::vector<std::string>& names) const {
    std::vector<std::map<std::string, std::string>> out;
    if (!code_) return out;
    pcre2_match_data* md = pcre2_match_data_create_from_pattern(code_, nullptr);
    PCRE2_SIZE start = 0;
    while (start <= subject.size() &&
           pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(subject.c_str()), subject.size(), start,
                       0, md, nullptr) > 0) {
      PCRE2_SIZE* v = pcre2_get_ovector_pointer(md);
      std::map<std::string, std::string> m;
      for (const auto& n : names) {
        int i = n == "1" ? 1
                         : pcre2_substring_number_from_name(
                               code_, reinterpret_cast<PCRE2_SPTR>(n.c_str()));
        if (i > 0 && v[2 * i] != PCRE2_UNSET)
          m[n] = subject.substr(v[2 * i], v[2 * i + 1] - v[2 * i]);
      }
      out.push_back(m);
      start = v[1] > v[0] ? v[1] : v[1] + 1;
    }
    pcre2_match_data_free(md);
    return out;
  }

 private:
  pcre2_code* code_ = nullptr;
};

// The client's reading of a key/value answer.
std::map<std::string, std::string> Pairs(const std::string& body) {
  static const Pattern wire(R"re((?P<key>[\w\-]+)="(?P<value>.*?)"\s*(\r|\n))re");
  std::map<std::string, std::string> out;
  for (auto& m : wire.All(body, {"key", "value"}))
    out[m["key"]] = m["value"];
  return out;
}

std::string Md5(const std::string& bytes) {
  return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Md5)
      .toHex()
      .toStdString();
}

std::string Get(const SandboxProcess& s, const std::string& path) {
  auto r = s.Client().Get(path);
  return r && r->status == 200 ? r->body : std::string("(failed)");
}

TEST(MakerServer, LogonAnswersEveryKeyOfTheTable) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  auto pairs = Pairs(Get(s, "/logon.php?&version=2.230&token=&user=tester&dsid=77"));
  for (const char* key : {"token",
                          "api_server",
                          "latest_version",
                          "update_file",
                          "kat_version",
                          "page_count_fetch",
                          "mod_AttributeWorker_hash",
                          "mod_AttributeWorker_source",
                          "mod_EBayCommon_hash",
                          "mod_EBayCommon_source",
                          "urldef_file",
                          "partner_link",
                          "partner_link_77",
                          "item_number_from_list_fetch",
                          "bewertung_begin_offset_fetch",
                          "bewertung_determine_state_images_fetch",
                          "bewertung_link_fetch",
                          "bewertung_fetch",
                          "bewertung_table_output_begin",
                          "bewertung_table_output_begin_first",
                          "bewertung_table_output_end",
                          "seller_other_items_link_fetch",
                          "kat_link_fetch",
                          "item_track_link_fetch",
                          "item_title_fetch"}) {
    EXPECT_FALSE(pairs[key].empty()) << key;
  }
  EXPECT_EQ(pairs.count("message"), 0u);  // only when one is configured
  EXPECT_EQ(pairs["api_server"], s.Address());
  EXPECT_EQ(pairs["latest_version"], "2.230");  // the client's own: no update question
  EXPECT_EQ(pairs["token"].size(), 32u);
  // A token the sandbox gave out is kept on the next log-on.
  EXPECT_EQ(Pairs(Get(s, "/logon.php?&version=2.230&token=" + pairs["token"] +
                             "&user=tester&dsid=77"))["token"],
            pairs["token"]);
}

TEST(MakerServer, PatternsCompileWithTheGroupsTheirReadersNeed) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  auto pairs = Pairs(Get(s, "/logon.php?&version=2.230"));
  struct Case {
    const char* key;
    std::vector<const char*> groups;
  } cases[] = {
      {"page_count_fetch", {}},
      {"item_number_from_list_fetch", {"ItemId"}},
      {"bewertung_begin_offset_fetch", {}},
      {"bewertung_determine_state_images_fetch",
       {"positivBewertungBild", "neutralBewertungBild", "negativBewertungBild"}},
      {"bewertung_link_fetch", {"UserName"}},
      {"seller_other_items_link_fetch", {"UserName"}},
      {"kat_link_fetch", {"KatID"}},
      {"item_track_link_fetch", {"ItemNumber"}},
      {"item_title_fetch", {"Title"}},
  };
  for (const Case& c : cases) {
    Pattern p(pairs[c.key]);
    ASSERT_TRUE(p.Ok()) << c.key << ": " << pairs[c.key];
    for (const char* g : c.groups)
      EXPECT_TRUE(p.HasGroup(g)) << c.key << " lacks " << g;
  }
  // The entry pattern compiles once its picture placeholders are filled in.
  std::string entry = pairs["bewertung_fetch"];
  for (const char* holder : {"%%posImageHolder%%", "%%neuImageHolder%%", "%%negImageHolder%%"}) {
    ASSERT_NE(entry.find(holder), std::string::npos) << holder;
    entry.replace(entry.find(holder), std::string(holder).size(), "fb_pos\\.gif");
  }
  EXPECT_TRUE(Pattern(entry).HasGroup("bewertungBild"));
  // The link patterns recognise the addresses the sandbox itself builds.
  XmlAnswer search(
      s.Call("FindItemsAdvanced", "<CategoryID>625</CategoryID><MaxEntries>1</MaxEntries>")->body);
  auto kat = Pattern(pairs["kat_link_fetch"]).All(search.Text("//e:ItemSearchURL"), {"KatID"});
  ASSERT_EQ(kat.size(), 1u);
  EXPECT_EQ(kat[0]["KatID"], "625");
  auto watch = Pattern(pairs["item_track_link_fetch"])
                   .All(s.Address() + "watch?item=123456789012", {"ItemNumber"});
  ASSERT_EQ(watch.size(), 1u);
  EXPECT_EQ(watch[0]["ItemNumber"], "123456789012");
  auto title =
      Pattern(pairs["item_title_fetch"]).All("Canon EOS 450D Digitalkamera | eBay", {"Title"});
  ASSERT_FALSE(title.empty());
  EXPECT_EQ(title[0]["Title"], "Canon EOS 450D Digitalkamera");
}

TEST(MakerServer, UrlSchemaBuildsFeedbackAndSellerAddresses) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  auto logon = Pairs(Get(s, "/logon.php?&version=2.230"));
  auto schema = Pairs(Get(s, logon["urldef_file"].substr(s.Address().size() - 1)));
  for (const char* kind : {"BEWERTUNG", "SELLER"}) {
    for (const char* suffix : {"", "_FIRST", "_ASS", "_AMP"}) {
      EXPECT_TRUE(schema.count(std::string("BASE_") + kind + suffix)) << kind << suffix;
    }
    EXPECT_EQ(schema[std::string("BASE_") + kind].rfind("%%API_SERVER%%", 0), 0u);
  }
  for (const char* param :
       {"PARAM_BEWERTUNG_SELLER_NAME", "PARAM_BEWERTUNG_PAGE", "PARAM_BEWERTUNG_ITEMS_COUNT",
        "PARAM_SELLER_SELLER_NAME", "VALUE_BEWERTUNG_ITEMS_COUNT-200"}) {
    EXPECT_TRUE(schema.count(param)) << param;
  }
  // Expanded as the client does, the addresses match the server's link patterns.
  auto expand = [&](const std::string& kind,
                    const std::vector<std::pair<std::string, std::string>>& params) {
    std::string url = schema["BASE_" + kind] + schema["BASE_" + kind + "_FIRST"];
    url.replace(0, std::string("%%API_SERVER%%").size(), logon["api_server"]);
    for (const auto& [p, v] : params)
      url += schema["PARAM_" + kind + "_" + p] + schema["BASE_" + kind + "_ASS"] + v +
             schema["BASE_" + kind + "_AMP"];
    return url.substr(0, url.size() - schema["BASE_" + kind + "_AMP"].size());
  };
  auto feedback =
      Pattern(logon["bewertung_link_fetch"])
          .All(expand("BEWERTUNG", {{"PAGE", "2"}, {"SELLER_NAME", "hans77"}}), {"UserName"});
  ASSERT_EQ(feedback.size(), 1u);
  EXPECT_EQ(feedback[0]["UserName"], "hans77");
  auto seller = Pattern(logon["seller_other_items_link_fetch"])
                    .All(expand("SELLER", {{"SELLER_NAME", "petra_1964"}}), {"UserName"});
  ASSERT_EQ(seller.size(), 1u);
  EXPECT_EQ(seller[0]["UserName"], "petra_1964");
}

TEST(MakerServer, ModulesMatchTheirChecksums) {
  SandboxProcess& s = SandboxProcess::Frozen();
  ASSERT_TRUE(s.Running());
  auto pairs = Pairs(Get(s, "/logon.php?&version=2.230"));
  for (const std::string m : {"AttributeWorker", "EBayCommon"}) {
    std::string source = pairs["mod_" + m + "_source"];
    ASSERT_EQ(source.rfind(s.Address(), 0), 0u) << source;
    auto r = s.Client().Get(source.substr(s.Address().size() - 1));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200) << m;
    EXPECT_EQ(Md5(r->body), pairs["mod_" + m + "_hash"]) << m;
  }
  EXPECT_EQ(s.Client().Get("/modules/Other.mod")->status, 404);
}

TEST(MakerServer, MessageRefreshLogoffHomePageAndUpdate) {
  auto args = SandboxProcess::FrozenArgs();
  args.insert(args.end(), {"--message", "Wartung heute Nacht", "--latest-version", "2.240"});
  SandboxProcess s(args);
  ASSERT_TRUE(s.Running());
  auto pairs = Pairs(Get(s, "/logon.php?&version=2.230&token=&user=&dsid=77"));
  EXPECT_EQ(pairs["message"], "Wartung heute Nacht");
  EXPECT_EQ(pairs["latest_version"], "2.240");
  auto update = s.Client().Get(pairs["update_file"].substr(s.Address().size() - 1));
  ASSERT_TRUE(update);
  EXPECT_EQ(update->status, 200);
  EXPECT_EQ(update->get_header_value("Content-Length"), std::to_string(update->body.size()));
  EXPECT_GT(update->body.size(), 100000u);
  EXPECT_EQ(pairs["update_file"].substr(pairs["update_file"].size() - 16), "Update_2.240.exe");

  EXPECT_EQ(Pairs(Get(s, "/token_refresh.php?&version=2.230&token=" + pairs["token"] +
                             "&cl=5"))["status"],
            "ok");
  EXPECT_EQ(Pairs(Get(s, "/logoff.php?&version=2.230&token=" + pairs["token"] + "&cl=7"))["status"],
            "bye");
  EXPECT_NE(Get(s, "/sandbox/state").find("\"lastViewedCount\":7"), std::string::npos);
  std::string home = Get(s, "/intro.php");
  EXPECT_NE(home.find("<html>"), std::string::npos);
  EXPECT_NE(home.find(s.Address() + "shopping?"), std::string::npos);
}

}  // namespace
