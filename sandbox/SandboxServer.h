#pragma once

#include <httplib.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Catalogue.h"
#include "CategoryFile.h"
#include "Faults.h"
#include "MakerServer.h"
#include "Options.h"
#include "PictureStore.h"
#include "ShoppingApi.h"
#include "SimClock.h"

// The HTTP side of the sandbox: routes, faults, compression and counters
// around the Shopping API, the maker's server and the pictures.
class SandboxServer {
 public:
  explicit SandboxServer(const Options& options);

  // Loads the categories, applies the fault rules and binds the port.
  bool Start(std::string& error);
  int Port() const { return port_; }
  std::string Address() const;
  // Serves until Stop(); returns false when serving failed.
  bool Run();
  void Stop();

 private:
  struct Reply {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
    bool compressible = true;
    std::vector<std::pair<std::string, std::string>> headers;
  };
  using Producer = std::function<Reply(const httplib::Request&, bool warning)>;

  void Routes();
  void Serve(const httplib::Request& req, httplib::Response& res, const Producer& produce);
  void Send(const httplib::Request& req, httplib::Response& res, Reply reply, FaultKind fault);
  std::string Base(const httplib::Request& req) const;
  std::string StateJson() const;
  void Count(const std::string& what);
  void WidenBacklog() const;
  void Nap(int ms) const;

  Options options_;
  std::unique_ptr<CategoryFile> categories_;
  std::unique_ptr<SimClock> clock_;
  std::unique_ptr<Catalogue> catalogue_;
  std::unique_ptr<ShoppingApi> shopping_;
  std::unique_ptr<MakerServer> maker_;
  PictureStore pictures_;
  FaultTable faults_;
  httplib::Server server_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<uint64_t> total_{0};
  mutable std::mutex countsMutex_;
  std::map<std::string, uint64_t> counts_;
};
