#include "core/net/HTTPDownload.h"

#include "core/app/AppCore.h"
#include "core/net/HTTPThreadManager.h"

THTTPDownload::THTTPDownload() : THTTPDownload(HTTPThreadManager()) {}

THTTPDownload::THTTPDownload(const THTTPThreadManager& manager) {
  manager.ApplyNetAccessConfig(FClient);
  FClient.UserAgent = AppCore().ModuleUserAgent;
  FClient.FollowRedirects = false;
}

bool THTTPDownload::Get(const QString& url) {
  return FClient.Perform(url, std::nullopt, FBody);
}
