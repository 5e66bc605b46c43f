#include "SandboxServer.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "Compression.h"
#include "TextUtil.h"

#ifndef QUARN_SANDBOX_MODULES_DIR
#define QUARN_SANDBOX_MODULES_DIR "modules"
#endif

namespace {

constexpr size_t kMaxBody = 1u << 20;  // Shopping requests are a few hundred bytes

std::string ExecutableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

}  // namespace

SandboxServer::SandboxServer(const Options& options) : options_(options) {}

std::string SandboxServer::Address() const {
  std::string host = options_.host == "0.0.0.0" ? "127.0.0.1" : options_.host;
  return "http://" + host + ":" + std::to_string(port_) + "/";
}

bool SandboxServer::Start(std::string& error) {
  // Categories.xml beside the executable (the program folder's SiteData),
  // another file, or "builtin" for the sandbox's own small trees.
  std::string path = options_.categories.empty() ? ExecutableDir() + "/SiteData/Categories.xml"
                                                 : options_.categories;
  if (options_.categories == "builtin") {
    path.clear();
  } else if (std::filesystem::exists(path)) {
    categories_ = std::make_unique<CategoryFile>();
    std::string why;
    if (!categories_->Load(path, why)) {
      std::fprintf(stderr, "quarn-sandbox: %s; using the built-in categories\n", why.c_str());
      categories_.reset();
    }
  } else if (!options_.categories.empty()) {
    error = "no such file: " + path;
    return false;
  }
  int64_t origin = SimClock::WallNowMs() / 1000 * 1000;
  if (!options_.startTime.empty()) TextUtil::ParseIsoTime(options_.startTime, origin);
  clock_ = std::make_unique<SimClock>(origin, options_.clockSpeed);
  catalogue_ = std::make_unique<Catalogue>(options_.seed, options_.itemsPerSite, categories_.get());
  shopping_ = std::make_unique<ShoppingApi>(*catalogue_, *clock_);
  MakerConfig maker;
  maker.message = options_.message;
  maker.latestVersion = options_.latestVersion;
  maker.katVersion = options_.katVersion;
  maker.modulesDir = options_.modulesDir.empty() ? QUARN_SANDBOX_MODULES_DIR : options_.modulesDir;
  maker.seed = options_.seed;
  maker_ = std::make_unique<MakerServer>(maker);
  if (!faults_.Set(options_.faults, error)) {
    error = "bad --faults: " + error;
    return false;
  }

  const int threads = options_.threads;
  server_.new_task_queue = [threads] {
    return new httplib::ThreadPool(static_cast<size_t>(threads));
  };
  server_.set_tcp_nodelay(true);  // answers go out in pieces; no 40 ms waits
  server_.set_keep_alive_max_count(1000);
  server_.set_keep_alive_timeout(2);  // idle connections must not hold workers long
  server_.set_read_timeout(5, 0);
  server_.set_write_timeout(5, 0);
  server_.set_payload_max_length(kMaxBody);
  Routes();
  port_ = options_.port == 0
              ? server_.bind_to_any_port(options_.host)
              : (server_.bind_to_port(options_.host, options_.port) ? options_.port : -1);
  if (port_ <= 0) {
    error = "cannot listen on " + options_.host + ":" + std::to_string(options_.port);
    return false;
  }
  WidenBacklog();
  return true;
}

// The HTTP library listens with a backlog of 5; a burst of a few hundred
// connections would then wait for SYN retries. Linux lets a listening socket
// be given a larger backlog by calling listen() again, so find ours.
void SandboxServer::WidenBacklog() const {
  for (int fd = 3; fd < 1024; ++fd) {
    sockaddr_storage addr{};
    socklen_t len = sizeof addr;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) continue;
    int port = addr.ss_family == AF_INET ? ntohs(reinterpret_cast<sockaddr_in*>(&addr)->sin_port)
               : addr.ss_family == AF_INET6
                   ? ntohs(reinterpret_cast<sockaddr_in6*>(&addr)->sin6_port)
                   : -1;
    int listening = 0;
    socklen_t optLen = sizeof listening;
    if (port == port_ && getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &optLen) == 0 &&
        listening) {
      listen(fd, 1024);
    }
  }
}

bool SandboxServer::Run() {
  return server_.listen_after_bind();
}

void SandboxServer::Stop() {
  stopping_ = true;
  server_.stop();
}

void SandboxServer::Nap(int ms) const {
  // Sleeps in small steps so a stop does not wait for a long fault.
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!stopping_ && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 20)));
  }
}

void SandboxServer::Count(const std::string& what) {
  std::lock_guard<std::mutex> lock(countsMutex_);
  ++counts_[what];
}

std::string SandboxServer::Base(const httplib::Request& req) const {
  // Answers point back at the address the client used, when it is a sane one.
  std::string host = req.get_header_value("Host");
  bool sane = !host.empty() && host.size() <= 100;
  for (char c : host) {
    sane = sane && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ||
                    c == ':' || c == '[' || c == ']');
  }
  if (!sane) return Address();
  return "http://" + host + "/";
}

void SandboxServer::Serve(const httplib::Request& req, httplib::Response& res,
                          const Producer& produce) {
  std::string path = req.path.size() > 1 ? req.path.substr(1) : std::string();
  FaultDecision fault = faults_.Decide(path);
  int latency = options_.latencyMs + fault.latencyMs;
  if (latency > 0 && path.rfind("sandbox/", 0) != 0) Nap(latency);
  if (fault.kind == FaultKind::Http500) {
    Reply reply;
    reply.status = 500;
    reply.contentType = "text/html; charset=utf-8";
    reply.body =
        "<html><head><title>500 Internal Server Error</title></head><body><h1>Internal Server "
        "Error</h1></body></html>\n";
    Send(req, res, std::move(reply), FaultKind::None);
    return;
  }
  Send(req, res, produce(req, fault.kind == FaultKind::Warning), fault.kind);
}

void SandboxServer::Send(const httplib::Request& req, httplib::Response& res, Reply reply,
                         FaultKind fault) {
  res.status = reply.status;
  for (const auto& [name, value] : reply.headers)
    res.set_header(name, value);
  std::string body = std::move(reply.body);
  if (fault == FaultKind::BadXml) {
    body.resize(body.size() * 3 / 5);  // cut inside the document: never well-formed
    body += "<";
  }
  std::string encoding;
  if (fault == FaultKind::TruncGzip) {
    body = Compression::Encode(body, "gzip");
    body.resize(body.size() * 2 / 3);  // the stream and its trailer are cut off
    encoding = "gzip";
  } else if (reply.compressible) {
    encoding = Compression::Choose(req.get_header_value("Accept-Encoding"));
    if (!encoding.empty()) body = Compression::Encode(body, encoding);
  }
  if (!encoding.empty()) res.set_header("Content-Encoding", encoding);
  if (reply.compressible) res.set_header("Vary", "Accept-Encoding");
  if (body.empty()) {
    res.set_content("", reply.contentType);
    return;
  }
  // Bodies go out through a provider of known length: the HTTP library then
  // sends them as they are (it would otherwise compress text on its own),
  // and a fault can stop or slow the body part-way.
  auto shared = std::make_shared<std::string>(std::move(body));
  auto sent = std::make_shared<std::atomic<bool>>(false);
  const bool drop = fault == FaultKind::Drop, slow = fault == FaultKind::Slow;
  res.set_content_provider(
      shared->size(), reply.contentType,
      [this, shared, sent, drop, slow](size_t offset, size_t length, httplib::DataSink& sink) {
        if (drop) {
          // Half the body, then the connection is closed.
          if (sent->exchange(true)) return false;
          sink.write(shared->data(), shared->size() / 2);
          return true;
        }
        if (slow) {
          // About two seconds for the whole body, in twenty pieces.
          size_t piece = std::max<size_t>(1, shared->size() / 20 + 1);
          Nap(100);
          if (stopping_) return false;
          return sink.write(shared->data() + offset, std::min(piece, length));
        }
        return sink.write(shared->data() + offset, length);
      });
}
