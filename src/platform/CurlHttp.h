#pragma once
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <list>
#include <memory>

#include "ports/Http.h"

namespace orbis {

// HTTP through libcurl. Only http and https are spoken, also when the server redirects. Each
// request runs on a thread of its own; its answer is handed over on the thread that made this
// object.
class CurlHttp : public Http {
 public:
  // holdBack: while it says true, answers stay queued (a box or menu of the reader runs its own
  // loop inside the main one, and a question must not open on top of it).
  explicit CurlHttp(std::function<bool()> holdBack = {});
  // Gives up the requests still under way; their answers never come.
  ~CurlHttp() override;
  CurlHttp(const CurlHttp&) = delete;
  CurlHttp& operator=(const CurlHttp&) = delete;

  void getLater(const std::string& url, const std::string& agent, const HttpLimits& limits,
                std::function<void(HttpResponse)> done) override;

 private:
  struct Request;
  HttpResponse perform(const std::string& url, const std::string& agent, const HttpLimits& limits);
  void handOver();

  std::function<bool()> holdBack_;
  std::atomic<bool> givingUp_{false};
  std::list<std::unique_ptr<Request>> requests_;  // touched on the owner's thread only
  QObject receiver_;                              // answers are posted to it
  QTimer retry_;
};

}  // namespace orbis
