// How fast quarn-sandbox answers FindItemsAdvanced: pages of 50 listings per
// second, so that client benchmarks measure the client and not the server.
// The sandbox runs as a child process (QUARN_SANDBOX names the executable;
// by default it is the quarn-sandbox beside this program's folder).
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

extern char** environ;

namespace {

class SandboxChild {
 public:
  SandboxChild() {
    std::string exe;
    if (const char* env = std::getenv("QUARN_SANDBOX")) {
      exe = env;
    } else {
      exe = (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() /
             "quarn-sandbox")
                .string();
    }
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const char* args[] = {exe.c_str(), "--port",           "0",    "--seed",
                          "1",         "--items-per-site", "3000", nullptr};
    if (posix_spawn(&pid_, exe.c_str(), &actions, nullptr, const_cast<char**>(args), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    FILE* in = fdopen(out[0], "r");
    char line[256] = {};
    if (pid_ > 0 && in && std::fgets(line, sizeof line, in)) {
      // "http://127.0.0.1:PORT/"
      std::string address = line;
      size_t colon = address.rfind(':');
      port_ = std::atoi(address.c_str() + colon + 1);
    }
    if (in) std::fclose(in);
  }
  ~SandboxChild() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  int Port() const { return port_; }

  // CPU seconds the server has used so far (user and system), from /proc.
  double CpuSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14 || i == 15) ticks += std::stod(field);  // utime, stime
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
  }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

SandboxChild& Sandbox() {
  static SandboxChild child;
  return child;
}

std::string Request(int page, bool details) {
  std::string body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<FindItemsAdvancedRequest xmlns=\"urn:ebay:apis:eBLBaseComponents\">"
      "<PageNumber>" +
      std::to_string(page) + "</PageNumber><MaxEntries>50</MaxEntries>";
  // What a search tab asks for.
  if (details)
    body += "<IncludeSelector>Details,ItemSpecifics,SearchDetails,SellerInfo</IncludeSelector>";
  return body + "</FindItemsAdvancedRequest>";
}

// Arguments: include the search tab's selector (0/1), ask for gzip (0/1).
void BM_FindItemsAdvancedPage(benchmark::State& state) {
  const bool details = state.range(0) != 0;
  const bool gzip = state.range(1) != 0;
  if (Sandbox().Port() <= 0) {
    state.SkipWithError("quarn-sandbox did not start (set QUARN_SANDBOX)");
    return;
  }
  httplib::Client client("127.0.0.1", Sandbox().Port());
  client.set_keep_alive(true);
  client.set_tcp_nodelay(true);
  client.set_decompress(false);
  httplib::Headers headers = {{"X-EBAY-API-APP-ID", "Brisk7d21-f0c8-3b96-d7e4-2a8f39b10e7"},
                              {"X-EBAY-API-SITE-ID", "77"},
                              {"X-EBAY-API-VERSION", "567"},
                              {"X-EBAY-API-REQUEST-ENCODING", "XML"},
                              {"X-EBAY-API-CALL-NAME", "FindItemsAdvanced"}};
  if (gzip) headers.emplace("Accept-Encoding", "gzip, deflate");
  int page = 1 + state.thread_index() * 13 % 60;
  int64_t bytes = 0;
  // The server's own CPU time per page, which does not depend on how busy
  // the machine's other processes keep the cores.
  const double cpuBefore = state.thread_index() == 0 ? Sandbox().CpuSeconds() : 0;
  for (auto _ : state) {
    auto res = client.Post("/shopping?", headers, Request(page, details), "text/xml;charset=utf-8");
    if (!res || res->status != 200 || res->body.size() < 1000) {
      state.SkipWithError("FindItemsAdvanced failed");
      break;
    }
    bytes += static_cast<int64_t>(res->body.size());
    page = page % 60 + 1;  // 3000 listings: 60 pages of 50
  }
  state.SetBytesProcessed(bytes);
  if (state.thread_index() == 0 && state.iterations() > 0) {
    double pages = static_cast<double>(state.iterations()) * state.threads();
    state.counters["server_us/page"] = (Sandbox().CpuSeconds() - cpuBefore) * 1e6 / pages;
  }
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_FindItemsAdvancedPage)
    ->ArgNames({"details", "gzip"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Threads(1)
    ->Threads(2)
    ->Threads(4)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
