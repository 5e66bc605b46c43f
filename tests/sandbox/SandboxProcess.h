#pragma once

#include <httplib.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A real quarn-sandbox, started as a child process on a free port and
// stopped with SIGTERM when the object goes.
class SandboxProcess {
 public:
  static constexpr const char* kAppId = "Brisk7d21-f0c8-3b96-d7e4-2a8f39b10e7";

  // Small catalogue, frozen clock at a fixed origin: answers are reproducible.
  static std::vector<std::string> FrozenArgs(const std::string& seed = "7");

  // One frozen sandbox per test program, started on first use.
  static SandboxProcess& Frozen();

  explicit SandboxProcess(const std::vector<std::string>& args);
  ~SandboxProcess();
  SandboxProcess(const SandboxProcess&) = delete;
  SandboxProcess& operator=(const SandboxProcess&) = delete;

  bool Running() const { return port_ > 0; }
  int Port() const { return port_; }
  const std::string& Address() const { return address_; }

  // Sends SIGTERM and waits; the exit status, or -1 when it did not end in time.
  int Stop();

  httplib::Client Client() const;
  // A Shopping API call with the client's headers.
  httplib::Result Call(const std::string& callName, const std::string& innerXml, int siteId = 77,
                       const std::string& appId = kAppId) const;
  // The request document for a call, children given as XML text.
  static std::string Document(const std::string& callName, const std::string& innerXml);

 private:
  pid_t pid_ = -1;
  int port_ = 0;
  std::string address_;
};
