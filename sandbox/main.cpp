// quarn-sandbox: the local server that plays eBay's Shopping API and Quarn's
// own server, so the program, its tests and its benchmarks have something
// faithful to talk to.
#include <libxml/parser.h>
#include <malloc.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "Options.h"
#include "SandboxServer.h"

int main(int argc, char** argv) {
  Options options;
  std::string error;
  bool help = false;
  if (!options.Parse(argc, argv, error, help)) {
    std::fprintf(stderr, "quarn-sandbox: %s\n%s", error.c_str(), Options::Usage());
    return 2;
  }
  if (help) {
    std::fputs(Options::Usage(), stdout);
    return 0;
  }

  // Signals are taken by one thread with sigwait; every other thread starts
  // with them blocked. A client hanging up must not kill the server.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  xmlInitParser();
  // Answers are often a few hundred kilobytes: keep such blocks in the heap
  // instead of mapping and zeroing fresh pages for every request.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);

  SandboxServer server(options);
  if (!server.Start(error)) {
    std::fprintf(stderr, "quarn-sandbox: %s\n", error.c_str());
    return 1;
  }
  std::thread watcher([&server, stopSignals] {
    int signalNumber = 0;
    sigwait(&stopSignals, &signalNumber);
    server.Stop();
  });

  std::printf("%s\n", server.Address().c_str());
  std::fflush(stdout);
  bool ok = server.Run();

  // Wake the watcher if serving ended on its own.
  kill(getpid(), SIGTERM);
  watcher.join();
  xmlCleanupParser();
  return ok ? 0 : 1;
}
