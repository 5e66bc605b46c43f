#pragma once

#include <cstdint>
#include <string>

// The command line of quarn-sandbox.
struct Options {
  std::string host = "127.0.0.1";
  int port = 8870;
  uint64_t seed = 1;
  uint32_t itemsPerSite = 3000;
  double clockSpeed = 1.0;
  int latencyMs = 0;
  std::string faults;
  std::string startTime;   // ISO time of the clock's origin; empty: now
  std::string categories;  // Categories.xml; empty: beside the executable
  std::string modulesDir;  // empty: the sandbox's own modules folder
  std::string message;     // log-on message
  std::string latestVersion = "2.230";
  std::string katVersion = "200805";
  int threads = 64;

  // False with a message for a bad command line; help is set for --help.
  bool Parse(int argc, char** argv, std::string& error, bool& help);
  static const char* Usage();

  static constexpr uint32_t kMaxItemsPerSite = 200000;
};
