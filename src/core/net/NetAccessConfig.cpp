#include "core/net/NetAccessConfig.h"

#include "core/net/HTTPClient.h"

void TNetAccessConfig::ApplyTo(THTTPClient& client) const {
  client.UseProxy = UseProxy;
  if (UseProxy) {
    client.ProxyServer = ProxyServer;
    client.ProxyPort = ProxyPort;
    client.ProxyBasicAuth = RequireAuth;
    if (RequireAuth) {
      client.ProxyUser = ProxyUser;
      client.ProxyPassword = ProxyPassword;
    }
  }
  client.UserAgent = UserAgent;
}
