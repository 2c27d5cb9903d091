#include "testing/unit/tiny_http_server.h"

#include <cstdlib>

namespace kivo_test {

TinyHttpServer::TinyHttpServer(int status, std::string body) : status_(status), body_(std::move(body)) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  int length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  ::listen(listener_, 8);
  thread_ = std::thread([this] { serve(); });
}

TinyHttpServer::~TinyHttpServer() {
  ::closesocket(listener_);  // ends accept() in the serving thread
  thread_.join();
  ::WSACleanup();
}

std::wstring TinyHttpServer::url(const std::wstring& pathAndQuery) const {
  return L"http://127.0.0.1:" + std::to_wstring(port_) + pathAndQuery;
}

std::vector<std::string> TinyHttpServer::requestLines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

std::vector<std::string> TinyHttpServer::requestBodies() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return bodies_;
}

void TinyHttpServer::serve() {
  for (;;) {
    SOCKET client = ::accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    std::string request;
    char buffer[4096];
    std::string::size_type headerEnd = std::string::npos;
    size_t contentLength = 0;
    for (;;) {
      const int got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, got);
      if (headerEnd == std::string::npos) {
        headerEnd = request.find("\r\n\r\n");
        if (headerEnd != std::string::npos) {
          const std::string::size_type at = request.find("Content-Length: ");
          if (at != std::string::npos && at < headerEnd)
            contentLength = std::strtoul(request.c_str() + at + 16, nullptr, 10);
        }
      }
      if (headerEnd != std::string::npos && request.size() >= headerEnd + 4 + contentLength) break;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      lines_.push_back(request.substr(0, request.find("\r\n")));
      bodies_.push_back(headerEnd == std::string::npos ? std::string() : request.substr(headerEnd + 4));
    }
    const std::string response = "HTTP/1.0 " + std::to_string(status_) + " Status\r\nContent-Length: " +
                                 std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_;
    ::send(client, response.data(), static_cast<int>(response.size()), 0);
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
  }
}

}  // namespace kivo_test
