#include "RawHttp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "sandbox/SandboxProcess.h"

RawHttp::Exchange RawHttp::Send(int port, const std::string& request, int timeoutMs) {
  Exchange ex;
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  inet_pton(AF_INET, "127.0.0.1", &addr.sin_addr);
  if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    if (fd >= 0) close(fd);
    return ex;
  }
  ex.connected = true;
  auto start = std::chrono::steady_clock::now();
  size_t sent = 0;
  while (sent < request.size()) {
    ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  std::string all;
  auto deadline = start + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buf[65536];
    ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    all.append(buf, static_cast<size_t>(n));
  }
  ex.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  close(fd);
  size_t end = all.find("\r\n\r\n");
  ex.headers = all.substr(0, end);
  ex.body = end == std::string::npos ? "" : all.substr(end + 4);
  size_t cl = ex.headers.find("Content-Length: ");
  if (cl != std::string::npos) ex.contentLength = std::atol(ex.headers.c_str() + cl + 16);
  return ex;
}

std::string RawHttp::ShoppingPost(const std::string& callName, const std::string& body,
                                  const std::string& extraHeaders) {
  return "POST /shopping? HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
         "X-EBAY-API-APP-ID: " +
         std::string(SandboxProcess::kAppId) +
         "\r\nX-EBAY-API-SITE-ID: 77\r\nX-EBAY-API-CALL-NAME: " + callName +
         "\r\nContent-Type: text/xml;charset=utf-8\r\n" + extraHeaders +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
