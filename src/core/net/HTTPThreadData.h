#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "core/net/BaseThreadData.h"

class THTTPThread;
class THTTPThreadManager;

// A queued HTTP request. It belongs to the scheduler from Enqueue on and is
// freed, with its POST body, when the request is removed.
struct THTTPThreadData : TBaseThreadData {
  // The address to fetch.
  QString URL;
  // Off: the worker also copies the body into ResponseText.
  bool KeepBinary = false;
  // Adjusts the not yet started worker's client on the GUI thread (may be empty).
  std::function<void(THTTPThreadManager& manager, THTTPThread& worker)> OnPrepare;
  // Passed through to the worker unchanged.
  QString Tag;
  // The POST body; absent means GET.
  std::optional<QByteArray> PostData;
};
