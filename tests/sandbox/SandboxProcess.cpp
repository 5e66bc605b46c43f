#include "SandboxProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

std::vector<std::string> SandboxProcess::FrozenArgs(const std::string& seed) {
  // The built-in categories: the tests name their categories.
  return {"--port",           "0",
          "--seed",           seed,
          "--items-per-site", "400",
          "--clock-speed",    "0",
          "--start-time",     "2024-05-01T12:00:00Z",
          "--categories",     "builtin"};
}

SandboxProcess& SandboxProcess::Frozen() {
  static SandboxProcess sandbox(FrozenArgs());
  return sandbox;
}

SandboxProcess::SandboxProcess(const std::vector<std::string>& args) {
  std::string exe = QUARN_BUILD_DIR "/quarn-sandbox";
  std::vector<char*> argv;
  argv.push_back(exe.data());
  std::vector<std::string> copy = args;
  for (auto& a : copy)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2];
  if (pipe(out) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  if (posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  // The first line is the address; wait for it at most ten seconds.
  std::string line;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (pid_ > 0 && line.find('\n') == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[256];
    ssize_t n = read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    line.append(buf, static_cast<size_t>(n));
  }
  close(out[0]);
  size_t nl = line.find('\n');
  if (nl == std::string::npos) return;
  address_ = line.substr(0, nl);
  size_t colon = address_.rfind(':');
  port_ = colon == std::string::npos ? 0 : std::atoi(address_.c_str() + colon + 1);
}

SandboxProcess::~SandboxProcess() {
  Stop();
}

int SandboxProcess::Stop() {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  for (int i = 0; i < 100; ++i) {
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

httplib::Client SandboxProcess::Client() const {
  httplib::Client client("127.0.0.1", port_);
  client.set_connection_timeout(5);
  client.set_read_timeout(10);
  client.set_decompress(false);
  return client;
}

std::string SandboxProcess::Document(const std::string& callName, const std::string& innerXml) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<" + callName +
         "Request xmlns=\"urn:ebay:apis:eBLBaseComponents\">" + innerXml + "</" + callName +
         "Request>";
}

httplib::Result SandboxProcess::Call(const std::string& callName, const std::string& innerXml,
                                     int siteId, const std::string& appId) const {
  httplib::Headers headers = {{"X-EBAY-API-APP-ID", appId},
                              {"X-EBAY-API-SITE-ID", std::to_string(siteId)},
                              {"X-EBAY-API-VERSION", "567"},
                              {"X-EBAY-API-REQUEST-ENCODING", "XML"},
                              {"X-EBAY-API-CALL-NAME", callName}};
  return Client().Post("/shopping?", headers, Document(callName, innerXml),
                       "text/xml;charset=utf-8");
}
