// The scheduler against a plain libcurl multi loop, on the same workload and
// the same local server: 2000 small GETs and 200 POSTs answered with 50 KB
// gzip-encoded bodies, 30 transfers at a time. The scheduler pays for what its
// rules ask (a thread and a fresh client and connection per transfer, the hand-
// over to the main thread); the multi loop reuses connections. Each iteration
// runs both; the counters give both times and their ratio.
#include <benchmark/benchmark.h>
#include <curl/curl.h>
#include <httplib.h>
#include <sys/resource.h>
#include <zlib.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <string>
#include <thread>

#include "core/net/HTTPThread.h"
#include "core/net/HTTPThreadManager.h"

namespace {

constexpr int kGets = 2000;
constexpr int kPosts = 200;
constexpr int kParallel = 30;
constexpr size_t kAnswerSize = 50 * 1024;

std::string GzipAnswer() {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><FindItemsAdvancedResponse>";
  for (int i = 0; xml.size() < kAnswerSize - 40; ++i)
    xml += "<Item><ItemID>" + std::to_string(110000000000LL + i * 7919) + "</ItemID><Price>" +
           std::to_string(i % 997) + ".50</Price></Item>";
  xml.resize(kAnswerSize - 30, ' ');
  xml += "</FindItemsAdvancedResponse>";
  xml.resize(kAnswerSize, '\n');
  z_stream zs{};
  deflateInit2(&zs, 6, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, uLong(xml.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(xml.data());
  zs.avail_in = uInt(xml.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

// One server for the whole run, with threads enough for every open connection.
struct TBenchServer {
  TBenchServer() : Answer(GzipAnswer()) {
    Server.new_task_queue = [] { return new httplib::ThreadPool(2 * kParallel + 4); };
    // Small answers on kept-alive connections must not wait for delayed ACKs.
    Server.set_tcp_nodelay(true);
    Server.Get("/small", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(std::string(200, 's'), "application/octet-stream");
    });
    Server.Post("/shopping", [this](const httplib::Request&, httplib::Response& res) {
      res.set_header("Content-Encoding", "gzip");
      res.set_content(Answer, "text/xml");
    });
    Port = Server.bind_to_any_port("127.0.0.1");
    Thread = std::thread([this] { Server.listen_after_bind(); });
    while (!Server.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~TBenchServer() {
    Server.stop();
    Thread.join();
  }
  std::string Url(const char* path) const {
    return "http://127.0.0.1:" + std::to_string(Port) + path;
  }

  const std::string Answer;
  httplib::Server Server;
  int Port = 0;
  std::thread Thread;
};

TBenchServer& BenchServer() {
  static TBenchServer server;
  return server;
}

const QByteArray kPostBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><FindItemsAdvancedRequest "
    "xmlns=\"urn:ebay:apis:eBLBaseComponents\"><QueryKeywords>lampe</QueryKeywords>"
    "</FindItemsAdvancedRequest>";

struct TOutcome {
  int Done = 0;
  int Failed = 0;
  qint64 Bytes = 0;
};

// Request number i of the workload: every eleventh is a POST.
bool IsPost(int i) {
  return i % 11 == 10;
}

// Through the scheduler. Its completion does not start waiting requests (that is
// left to the next enqueue or tick), so the completion handler queues the next
// request, as a listing list queues its following pages; the per-tick limit is
// lifted so that only the 30-at-once limit applies.
TOutcome RunScheduler() {
  const QString small = QString::fromStdString(BenchServer().Url("/small"));
  const QString shopping = QString::fromStdString(BenchServer().Url("/shopping"));
  THTTPThreadManager manager(0);
  manager.SetMaxConcurentConnections(kParallel);
  manager.SetMaxNewConnections(1 << 30);
  TOutcome outcome;
  int next = 0;
  QEventLoop loop;
  std::function<void()> enqueueNext;
  auto onDone = [&](THTTPThread& worker) {
    ++outcome.Done;
    if (!worker.Completed()) ++outcome.Failed;
    outcome.Bytes += worker.ResponseSize();
    if (next < kGets + kPosts) enqueueNext();
    if (outcome.Done == kGets + kPosts) loop.quit();
  };
  enqueueNext = [&] {
    const int i = next++;
    if (IsPost(i))
      manager.Enqueue(nullptr, shopping, kPostBody, {}, onDone, {}, true, 2);
    else
      manager.Enqueue(nullptr, small, std::nullopt, {}, onDone, {}, true, 2);
  };
  while (next < kParallel)
    enqueueNext();
  loop.exec();
  return outcome;
}

// The plain loop: one multi handle, 30 transfers in flight, curl's own gzip
// decoding; connections reused, or (freshConnections) one per transfer as the
// scheduler's workers do.
size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

TOutcome RunCurlMulti(bool freshConnections) {
  const std::string small = BenchServer().Url("/small");
  const std::string shopping = BenchServer().Url("/shopping");
  CURLM* multi = curl_multi_init();
  struct TSlot {
    CURL* Easy = nullptr;
    std::string Body;
  };
  std::vector<TSlot> slots(kParallel);
  TOutcome outcome;
  int next = 0;
  auto start = [&](TSlot& slot) {
    const int i = next++;
    slot.Body.clear();
    curl_easy_setopt(slot.Easy, CURLOPT_URL, IsPost(i) ? shopping.c_str() : small.c_str());
    if (IsPost(i)) {
      curl_easy_setopt(slot.Easy, CURLOPT_POSTFIELDS, kPostBody.constData());
      curl_easy_setopt(slot.Easy, CURLOPT_POSTFIELDSIZE, long(kPostBody.size()));
    } else {
      curl_easy_setopt(slot.Easy, CURLOPT_HTTPGET, 1L);
    }
    curl_multi_add_handle(multi, slot.Easy);
  };
  for (TSlot& slot : slots) {
    slot.Easy = curl_easy_init();
    curl_easy_setopt(slot.Easy, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(slot.Easy, CURLOPT_WRITEDATA, &slot.Body);
    curl_easy_setopt(slot.Easy, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(slot.Easy, CURLOPT_PRIVATE, &slot);
    curl_easy_setopt(slot.Easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(slot.Easy, CURLOPT_FORBID_REUSE, freshConnections ? 1L : 0L);
    start(slot);
  }
  int running = 0;
  while (outcome.Done < kGets + kPosts) {
    curl_multi_perform(multi, &running);
    int queued = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &queued)) {
      if (msg->msg != CURLMSG_DONE) continue;
      TSlot* slot = nullptr;
      curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, &slot);
      long code = 0;
      curl_easy_getinfo(msg->easy_handle, CURLINFO_RESPONSE_CODE, &code);
      ++outcome.Done;
      if (msg->data.result != CURLE_OK || code >= 400) ++outcome.Failed;
      outcome.Bytes += qint64(slot->Body.size());
      curl_multi_remove_handle(multi, slot->Easy);
      if (next < kGets + kPosts) start(*slot);
    }
    if (outcome.Done < kGets + kPosts) curl_multi_poll(multi, nullptr, 0, 100, nullptr);
  }
  for (TSlot& slot : slots)
    curl_easy_cleanup(slot.Easy);
  curl_multi_cleanup(multi);
  return outcome;
}

// CPU time of the whole process (client and server threads), in seconds.
double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_SchedulerVsCurlMulti(benchmark::State& state) {
  BenchServer();
  // Wall and CPU seconds of the scheduler, the multi loop, and the multi loop
  // with a fresh connection per transfer.
  double wall[3] = {}, cpu[3] = {};
  for (auto _ : state) {
    TOutcome outcomes[3];
    for (int phase = 0; phase < 3; ++phase) {
      QElapsedTimer timer;
      timer.start();
      const double cpuBefore = ProcessCpuSeconds();
      outcomes[phase] = phase == 0 ? RunScheduler() : RunCurlMulti(phase == 2);
      wall[phase] += timer.nsecsElapsed() / 1e9;
      cpu[phase] += ProcessCpuSeconds() - cpuBefore;
    }
    for (const TOutcome& o : outcomes) {
      if (o.Failed || o.Bytes != outcomes[0].Bytes)
        state.SkipWithError("transfers failed or bodies differ");
    }
  }
  const double n = double(state.iterations());
  state.counters["scheduler_ms"] = wall[0] / n * 1000;
  state.counters["curl_multi_ms"] = wall[1] / n * 1000;
  state.counters["ratio"] = wall[0] / wall[1];
  // Both phases share the machine with the server; CPU time (whole process,
  // server included) is the steadier measure.
  state.counters["scheduler_cpu_ms"] = cpu[0] / n * 1000;
  state.counters["curl_multi_cpu_ms"] = cpu[1] / n * 1000;
  state.counters["cpu_ratio"] = cpu[0] / cpu[1];
  // Against a loop that, like the workers, connects anew for every transfer.
  state.counters["fresh_conn_ms"] = wall[2] / n * 1000;
  state.counters["fresh_conn_ratio"] = wall[0] / wall[2];
  state.counters["fresh_conn_cpu_ratio"] = cpu[0] / cpu[2];
}
BENCHMARK(BM_SchedulerVsCurlMulti)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  // The scheduler hands finished transfers to the main thread's event loop.
  QCoreApplication app(argc, argv);
  curl_global_init(CURL_GLOBAL_DEFAULT);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
