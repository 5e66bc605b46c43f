#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

struct MakerConfig {
  std::string message;                  // sent only when not empty
  std::string latestVersion = "2.230";  // the client's own version: no update question
  std::string katVersion = "200805";    // the client's default category version
  std::string modulesDir;               // AttributeWorker.mod and EBayCommon.mod
  uint64_t seed = 1;
};

// The maker's server: log-on, token refresh and log-off answering key="value"
// lines, the two script modules, the URL schema, the home page and the
// update file. Addresses in answers point back at the sandbox itself.
class MakerServer {
 public:
  explicit MakerServer(MakerConfig config);

  // query: the request's parameters (version, token, user, dsid, cl).
  std::string Logon(const std::map<std::string, std::string>& query, const std::string& base);
  std::string TokenRefresh(const std::map<std::string, std::string>& query);
  std::string Logoff(const std::map<std::string, std::string>& query);
  std::string UrlSchema() const;
  std::string IntroPage(const std::string& base) const;
  // A module's bytes; false for names other than the two modules.
  bool Module(const std::string& fileName, std::string& bytes) const;
  const std::string& UpdateFile() const { return updateFile_; }
  std::string UpdateFileName() const { return "Update_" + config_.latestVersion + ".exe"; }

  int64_t LastViewedCount() const { return lastViewed_.load(); }
  static std::string Md5Hex(const std::string& bytes);

 private:
  std::string Token(const std::string& given, const std::string& user);

  MakerConfig config_;
  std::string updateFile_;
  std::atomic<uint64_t> issued_{0};
  std::atomic<int64_t> lastViewed_{0};
};
