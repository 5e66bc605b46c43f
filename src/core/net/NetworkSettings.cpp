#include "core/net/NetworkSettings.h"

#include "core/net/HTTPThreadManager.h"

namespace NetworkSettings {

void Apply(const TNetworkSettings& settings, THTTPThreadManager& manager) {
  TNetAccessConfig& config = manager.NetAccessConfig();
  config.UserAgent = settings.UserAgent;
  config.UseProxy = settings.UseProxy;
  config.ProxyServer = settings.ProxyServer;
  config.ProxyPort = settings.ProxyPort;
  config.RequireAuth = settings.RequireAuth;
  config.ProxyUser = settings.ProxyUser;
  config.ProxyPassword = settings.ProxyPassword;
  manager.SetMaxConcurentConnections(settings.MaxConcurentConnections);
  // Last, so requests that may start now already see the new connection settings.
  manager.SetMaxNewConnections(settings.MaxNewConnectionsIn5Sec);
}

void Apply(const TNetworkSettings& settings) {
  Apply(settings, HTTPThreadManager());
}

TNetworkSettings Read(const THTTPThreadManager& manager) {
  const TNetAccessConfig& config = manager.NetAccessConfig();
  TNetworkSettings settings;
  settings.MaxConcurentConnections = manager.MaxConcurentConnections();
  settings.MaxNewConnectionsIn5Sec = manager.MaxNewConnectionsIn5Sec();
  settings.UserAgent = config.UserAgent;
  settings.UseProxy = config.UseProxy;
  settings.ProxyServer = config.ProxyServer;
  settings.ProxyPort = config.ProxyPort;
  settings.RequireAuth = config.RequireAuth;
  settings.ProxyUser = config.ProxyUser;
  settings.ProxyPassword = config.ProxyPassword;
  return settings;
}

TNetworkSettings Read() {
  return Read(HTTPThreadManager());
}

}  // namespace NetworkSettings
