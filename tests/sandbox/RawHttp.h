#pragma once

#include <string>

// One request over a plain socket and everything the server sends until it
// closes the connection: for answers an HTTP client would hide (bodies cut
// short, bytes trickling in).
class RawHttp {
 public:
  struct Exchange {
    bool connected = false;
    std::string headers;  // status line and headers
    std::string body;
    long contentLength = -1;
    double seconds = 0;  // from sending to the connection's end
  };
  static Exchange Send(int port, const std::string& request, int timeoutMs = 15000);
  // A POST of a Shopping API call with the client's headers and "Connection: close".
  static std::string ShoppingPost(const std::string& callName, const std::string& body,
                                  const std::string& extraHeaders = "");
};
