#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace orbis::testing {

// A web server on 127.0.0.1 with a port of the system's choice, answering every request on a
// thread of its own the way a test asks: with a status and a body, with a body without end, or
// not at all.
class LocalHttpServer {
 public:
  enum class Mode { Reply, Endless, Stall };
  LocalHttpServer(Mode mode, int status = 200, std::string body = {});
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  std::string baseUrl() const;
  // The first request line and its User-Agent, once a request came.
  std::string requestLine() const;
  std::string userAgent() const;

  // A port on 127.0.0.1 where nothing listens.
  static int closedPort();

 private:
  void serve();
  void answer(int connection);

  Mode mode_;
  int status_;
  std::string body_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::string requestLine_;
  std::string userAgent_;
  std::thread thread_;
};

}  // namespace orbis::testing
