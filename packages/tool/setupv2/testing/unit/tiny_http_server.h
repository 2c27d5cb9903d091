// Test support: an HTTP server on 127.0.0.1 inside the test process. It
// answers every request with one configured status and body, records the
// request lines it saw, and stops with the object.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kivo_test {

class TinyHttpServer {
 public:
  TinyHttpServer(int status, std::string body);
  ~TinyHttpServer();

  unsigned short port() const { return port_; }
  std::wstring url(const std::wstring& pathAndQuery) const;
  // "GET /path?query HTTP/1.0" for each request so far, plus its body.
  std::vector<std::string> requestLines() const;
  std::vector<std::string> requestBodies() const;

 private:
  void serve();

  int status_;
  std::string body_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::vector<std::string> bodies_;
  std::thread thread_;
};

}  // namespace kivo_test
