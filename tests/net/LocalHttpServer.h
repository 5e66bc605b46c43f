#pragma once

#include <httplib.h>

#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A cpp-httplib server on 127.0.0.1 and a free port, serving from a background
// thread. Besides whatever routes a test adds it has "/hold", whose answers
// wait at a gate until the test releases them (in order of arrival), so a test
// decides when transfers end.
class TLocalHttpServer {
 public:
  TLocalHttpServer() {
    // Enough server threads for every transfer the scheduler may hold open at once.
    Server.new_task_queue = [] { return new httplib::ThreadPool(48); };
    Server.set_keep_alive_max_count(1);
    Server.Get("/hold", [this](const httplib::Request& req, httplib::Response& res) {
      const std::string id = req.get_param_value("id");
      int ticket;
      {
        std::unique_lock lock(FMutex);
        ticket = FArrivals++;
        FLog.push_back(id);
        FChanged.notify_all();
        FChanged.wait(lock, [&] { return FStopping || ticket < FReleased; });
      }
      res.set_content("held " + id, "application/octet-stream");
    });
  }

  ~TLocalHttpServer() { Stop(); }

  // Starts listening; call after adding routes.
  void Start() {
    Port = Server.bind_to_any_port("127.0.0.1");
    FThread = std::thread([this] { Server.listen_after_bind(); });
    while (!Server.is_running())
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  void Stop() {
    {
      std::lock_guard lock(FMutex);
      FStopping = true;
      FChanged.notify_all();
    }
    Server.stop();
    if (FThread.joinable()) FThread.join();
  }

  QString Url(const std::string& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Port).arg(QString::fromStdString(path));
  }

  // Lets the next n held answers (in order of arrival) go.
  void Release(int n = 1) {
    std::lock_guard lock(FMutex);
    FReleased += n;
    FChanged.notify_all();
  }
  void ReleaseAll() { Release(1 << 20); }

  // How many "/hold" requests have arrived so far.
  int Arrivals() {
    std::lock_guard lock(FMutex);
    return FArrivals;
  }
  // Waits (up to 10 s) until at least n "/hold" requests have arrived.
  bool WaitForArrivals(int n) {
    std::unique_lock lock(FMutex);
    return FChanged.wait_for(lock, std::chrono::seconds(10), [&] { return FArrivals >= n; });
  }
  // The ids of the "/hold" requests in order of arrival.
  std::vector<std::string> Log() {
    std::lock_guard lock(FMutex);
    return FLog;
  }
  // Whether the server is shutting down (for handlers that dawdle).
  bool Stopping() {
    std::lock_guard lock(FMutex);
    return FStopping;
  }
  // Sleeps up to ms, ending early when the server stops.
  void Dawdle(int ms) {
    std::unique_lock lock(FMutex);
    FChanged.wait_for(lock, std::chrono::milliseconds(ms), [&] { return FStopping; });
  }

  httplib::Server Server;
  int Port = 0;

 private:
  std::thread FThread;
  std::mutex FMutex;
  std::condition_variable FChanged;
  int FArrivals = 0;
  int FReleased = 0;
  bool FStopping = false;
  std::vector<std::string> FLog;
};
