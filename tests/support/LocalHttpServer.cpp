#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orbis::testing {

namespace {

int listenOnLoopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(fd, 8);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return fd;
}

bool sendAll(int fd, const std::string& data) {
  size_t sent = 0;
  while (sent < data.size()) {
    const ssize_t n = ::send(fd, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

// Waits until fd is readable or the server stops; polling in slices keeps the stop prompt.
bool readable(int fd, const std::atomic<bool>& stopping) {
  pollfd entry{fd, POLLIN, 0};
  while (!stopping) {
    if (::poll(&entry, 1, 20) > 0) return true;
  }
  return false;
}

}  // namespace

LocalHttpServer::LocalHttpServer(Mode mode, int status, std::string body)
    : mode_(mode), status_(status), body_(std::move(body)) {
  listener_ = listenOnLoopback(port_);
  thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

std::string LocalHttpServer::baseUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/";
}

std::string LocalHttpServer::requestLine() const {
  std::lock_guard lock(mutex_);
  return requestLine_;
}

std::string LocalHttpServer::userAgent() const {
  std::lock_guard lock(mutex_);
  return userAgent_;
}

int LocalHttpServer::closedPort() {
  int port = 0;
  ::close(listenOnLoopback(port));
  return port;
}

void LocalHttpServer::serve() {
  while (readable(listener_, stopping_)) {
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection < 0) continue;
    answer(connection);
    ::close(connection);
  }
}

void LocalHttpServer::answer(int connection) {
  std::string request;
  char buffer[1024];
  while (request.find("\r\n\r\n") == std::string::npos && readable(connection, stopping_)) {
    const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  {
    std::lock_guard lock(mutex_);
    requestLine_ = request.substr(0, request.find("\r\n"));
    const size_t agent = request.find("User-Agent: ");
    if (agent != std::string::npos) {
      userAgent_ = request.substr(agent + 12, request.find("\r\n", agent) - agent - 12);
    }
  }
  switch (mode_) {
    case Mode::Reply:
      sendAll(connection, "HTTP/1.1 " + std::to_string(status_) +
                              " X\r\nConnection: close\r\nContent-Length: " +
                              std::to_string(body_.size()) + "\r\n\r\n" + body_);
      break;
    case Mode::Endless: {
      sendAll(connection, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
      const std::string chunk(4096, '7');
      while (!stopping_ && sendAll(connection, chunk)) {
      }
      break;
    }
    case Mode::Stall:
      // Silent until the client gives up and closes, or the test ends.
      while (readable(connection, stopping_) && ::recv(connection, buffer, sizeof buffer, 0) > 0) {
      }
      break;
  }
}

}  // namespace orbis::testing
