#pragma once

#include <functional>

class THTTPThread;

// What every request record carries: the completion handler that gets the
// finished worker on the GUI thread (may be empty).
struct TBaseThreadData {
  virtual ~TBaseThreadData() = default;

  // Completion handler; called also when the transfer failed (Completed off).
  std::function<void(THTTPThread& worker)> OnDone;
};
