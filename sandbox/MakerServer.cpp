#include "MakerServer.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Random.h"
#include "TextUtil.h"

namespace {

const char* kModules[] = {"AttributeWorker", "EBayCommon"};

void Pair(std::string& out, const std::string& key, const std::string& value) {
  out += key;
  out += "=\"";
  out += value;
  out += "\"\r\n";
}

std::string Param(const std::map<std::string, std::string>& q, const char* key) {
  auto it = q.find(key);
  return it == q.end() ? "" : it->second;
}

bool ReadFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  bytes = s.str();
  return true;
}

}  // namespace

MakerServer::MakerServer(MakerConfig config) : config_(std::move(config)) {
  // The update file: a fixed-size, deterministic stand-in for an installer.
  Rnd::Stream r(Rnd::Hash({config_.seed, 0x5E7Bull}));
  updateFile_ = "MZ";
  updateFile_.reserve(256 * 1024);
  while (updateFile_.size() < 256 * 1024)
    updateFile_ += static_cast<char>(r.Next() & 0xFF);
}

std::string MakerServer::Md5Hex(const std::string& bytes) {
  QByteArray digest = QCryptographicHash::hash(
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
      QCryptographicHash::Md5);
  return digest.toHex().toStdString();
}

std::string MakerServer::Token(const std::string& given, const std::string& user) {
  // A token the sandbox issued before is kept; anything else gets a new one.
  bool ours = given.size() == 32;
  for (char c : given)
    ours = ours && std::isxdigit(static_cast<unsigned char>(c));
  if (ours) return TextUtil::Lower(given);
  uint64_t n = issued_++;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%016llx%016llx",
                static_cast<unsigned long long>(Rnd::Hash({config_.seed, n, Rnd::HashText(user)})),
                static_cast<unsigned long long>(Rnd::Hash({config_.seed, n + 1, 7})));
  return buf;
}

bool MakerServer::Module(const std::string& fileName, std::string& bytes) const {
  for (const char* m : kModules) {
    if (fileName == std::string(m) + ".mod") {
      // Missing files are served empty: the modules are placeholders for now.
      if (!ReadFile(config_.modulesDir + "/" + fileName, bytes)) bytes.clear();
      return true;
    }
  }
  return false;
}

std::string MakerServer::Logon(const std::map<std::string, std::string>& q,
                               const std::string& base) {
  std::string out;
  Pair(out, "token", Token(Param(q, "token"), Param(q, "user")));
  Pair(out, "api_server", base);
  if (!config_.message.empty()) Pair(out, "message", config_.message);
  Pair(out, "latest_version", config_.latestVersion);
  Pair(out, "update_file", base + "download/" + UpdateFileName());
  Pair(out, "kat_version", config_.katVersion);
  // The patterns below describe the sandbox's own web pages: result and
  // feedback pages show "Seite N von M" in a span of class "pages", result
  // pages link listings as <a class="item" href="...?item=N">, feedback pages
  // carry a legend of the three rating pictures and one table row per entry.
  Pair(out, "page_count_fetch",
       R"re(<span class="pages">\s*Seite\s+[\d\.]+\s+von\s+([\d\.]+)\s*</span>)re");
  for (const char* m : kModules) {
    std::string bytes;
    Module(std::string(m) + ".mod", bytes);
    Pair(out, std::string("mod_") + m + "_hash", Md5Hex(bytes));
    Pair(out, std::string("mod_") + m + "_source", base + "modules/" + m + ".mod");
  }
  Pair(out, "urldef_file", base + "urldef.php");
  Pair(out, "partner_link", base + "partner?site=0&mpre=");
  for (int site : {77, 16, 193, 3}) {
    Pair(out, "partner_link_" + std::to_string(site),
         base + "partner?site=" + std::to_string(site) + "&mpre=");
  }
  Pair(out, "item_number_from_list_fetch",
       R"re(<a class="item" href="[^"]*[?&]item=(?P<ItemId>\d{8,})")re");
  Pair(out, "bewertung_begin_offset_fetch", R"re(<table class="feedback">)re");
  Pair(
      out, "bewertung_determine_state_images_fetch",
      R"re(<div class="legend">\s*<img src="[^"]*/(?P<positivBewertungBild>[^"/]+)"[^>]*>\s*<img src="[^"]*/(?P<neutralBewertungBild>[^"/]+)"[^>]*>\s*<img src="[^"]*/(?P<negativBewertungBild>[^"/]+)"[^>]*>)re");
  Pair(
      out, "bewertung_fetch",
      R"re(<tr class="fb"><td><img src="[^"]*/(?P<bewertungBild>%%posImageHolder%%|%%neuImageHolder%%|%%negImageHolder%%)"[^>]*></td>.*?</tr>)re");
  Pair(out, "bewertung_link_fetch", R"re(/feedback\?(?:[^#]*&)?userid=(?P<UserName>[^&#]+))re");
  Pair(out, "bewertung_table_output_begin_first", R"re(<table class="fb-list" id="first">)re");
  Pair(out, "bewertung_table_output_begin", R"re(<table class="fb-list">)re");
  Pair(out, "bewertung_table_output_end", "</table>");
  Pair(out, "seller_other_items_link_fetch",
       R"re(/sch/seller\?(?:[^#]*&)?sid=(?P<UserName>[^&#]+))re");
  Pair(out, "kat_link_fetch", R"re(/sch/i\.html\?(?:[^#]*&)?_sacat=(?P<KatID>\d+))re");
  Pair(out, "item_track_link_fetch", R"re(/watch\?(?:[^#]*&)?item=(?P<ItemNumber>\d{8,}))re");
  Pair(out, "item_title_fetch", R"re(^(?P<Title>.*?)\s*\|\s*eBay)re");
  return out;
}

std::string MakerServer::TokenRefresh(const std::map<std::string, std::string>& q) {
  int64_t viewed = 0;
  if (TextUtil::ParseInt(Param(q, "cl"), viewed)) lastViewed_ = viewed;
  std::string out;
  Pair(out, "status", "ok");
  Pair(out, "token", Param(q, "token"));
  return out;
}

std::string MakerServer::Logoff(const std::map<std::string, std::string>& q) {
  int64_t viewed = 0;
  if (TextUtil::ParseInt(Param(q, "cl"), viewed)) lastViewed_ = viewed;
  std::string out;
  Pair(out, "status", "bye");
  return out;
}

std::string MakerServer::UrlSchema() const {
  std::string out;
  Pair(out, "BASE_BEWERTUNG", "%%API_SERVER%%feedback");
  Pair(out, "BASE_BEWERTUNG_FIRST", "?");
  Pair(out, "BASE_BEWERTUNG_ASS", "=");
  Pair(out, "BASE_BEWERTUNG_AMP", "&");
  Pair(out, "PARAM_BEWERTUNG_SELLER_NAME", "userid");
  Pair(out, "PARAM_BEWERTUNG_PAGE", "page");
  Pair(out, "PARAM_BEWERTUNG_ITEMS_COUNT", "items");
  Pair(out, "VALUE_BEWERTUNG_ITEMS_COUNT-200", "200");
  Pair(out, "BASE_SELLER", "%%API_SERVER%%sch/seller");
  Pair(out, "BASE_SELLER_FIRST", "?");
  Pair(out, "BASE_SELLER_ASS", "=");
  Pair(out, "BASE_SELLER_AMP", "&");
  Pair(out, "PARAM_SELLER_SELLER_NAME", "sid");
  return out;
}

std::string MakerServer::IntroPage(const std::string& base) const {
  std::string b = TextUtil::XmlEscaped(base);
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Quarn</title></head><body>"
         "<h1>Quarn</h1><p>Willkommen! Diese Seite kommt vom lokalen Quarn-Sandbox-Server, "
         "der die eBay-Schnittstelle und den Quarn-Server nachbildet.</p>"
         "<p>Welcome! This page comes from the local Quarn sandbox, which plays eBay's "
         "Shopping API and Quarn's own server.</p><ul>"
         "<li>Shopping API: <code>" +
         b +
         "shopping?</code></li>"
         "<li><a href=\"" +
         b + "sandbox/state\">" + b + "sandbox/state</a></li></ul></body></html>\n";
}
