#pragma once
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace orbis {

// How long a request may take and how much it may bring. A server that does not answer, or
// answers without end, must never hold the program longer than this.
struct HttpLimits {
  std::chrono::milliseconds connect{5000};
  std::chrono::milliseconds total{15000};
  std::size_t maxBody = 64 * 1024;
};

struct HttpResponse {
  // False when no whole answer came: no connection, a time-out, a body over the limit.
  bool complete = false;
  long status = 0;
  std::string body;
};

// Plain GET requests over http and https.
class Http {
 public:
  virtual ~Http() = default;
  // Asks without waiting, so that the program goes on answering the reader meanwhile. done
  // runs later on the interface thread, once no box or menu of the reader is open; a request
  // still under way when this object goes is given up and done never runs.
  virtual void getLater(const std::string& url, const std::string& agent, const HttpLimits& limits,
                        std::function<void(HttpResponse)> done) = 0;
};

}  // namespace orbis
