#include "platform/CurlHttp.h"

#include <curl/curl.h>

#include <thread>

namespace orbis {

namespace {

constexpr int kHandOverRetry = 200;  // milliseconds between looks whether a box has closed

struct Collected {
  std::string body;
  std::size_t limit = 0;
};

// Returning less than was offered makes curl give up: a body over the limit is never taken.
size_t collect(char* data, size_t size, size_t count, void* user) {
  auto* collected = static_cast<Collected*>(user);
  const size_t bytes = size * count;
  if (collected->body.size() + bytes > collected->limit) return 0;

  collected->body.append(data, bytes);
  return bytes;
}

// Called by curl at least about once a second, also while a server stays silent: a request is
// dropped soon after the program stops wanting its answer.
int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<const std::atomic<bool>*>(user)->load() ? 1 : 0;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

struct CurlHttp::Request {
  std::thread thread;
  std::atomic<bool> answered{false};
  HttpResponse response;
  std::function<void(HttpResponse)> done;
};

CurlHttp::CurlHttp(std::function<bool()> holdBack) : holdBack_(std::move(holdBack)) {
  // Once, before any request, while the program has only its one thread.
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
  retry_.setInterval(kHandOverRetry);
  QObject::connect(&retry_, &QTimer::timeout, &receiver_, [this] { handOver(); });
}

CurlHttp::~CurlHttp() {
  givingUp_ = true;
  for (auto& request : requests_) request->thread.join();
}

void CurlHttp::getLater(const std::string& url, const std::string& agent, const HttpLimits& limits,
                        std::function<void(HttpResponse)> done) {
  auto request = std::make_unique<Request>();
  Request* r = request.get();
  r->done = std::move(done);
  // The thread ends before the object does (the destructor waits for it), so it may post to
  // the receiver; the posted call is dropped when the receiver goes first.
  r->thread = std::thread([this, r, url, agent, limits] {
    r->response = perform(url, agent, limits);
    r->answered = true;
    QMetaObject::invokeMethod(
        &receiver_, [this] { handOver(); }, Qt::QueuedConnection);
  });
  requests_.push_back(std::move(request));
}

void CurlHttp::handOver() {
  if (holdBack_ && holdBack_()) {
    retry_.start();
    return;
  }
  retry_.stop();
  // done may ask again, which adds to the list: the answered requests are taken out first.
  std::list<std::unique_ptr<Request>> answered;
  for (auto it = requests_.begin(); it != requests_.end();) {
    if ((*it)->answered) {
      (*it)->thread.join();
      answered.push_back(std::move(*it));
      it = requests_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& request : answered) request->done(std::move(request->response));
}

HttpResponse CurlHttp::perform(const std::string& url, const std::string& agent,
                               const HttpLimits& limits) {
  HttpResponse response;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) return response;
  Collected collected;
  collected.limit = limits.maxBody;
  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_URL, url.c_str());
  curl_easy_setopt(e, CURLOPT_USERAGENT, agent.c_str());
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 3L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
  // Time-outs by alarm signals would disturb the rest of the program.
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &collected);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, progress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, &givingUp_);
  if (curl_easy_perform(e) != CURLE_OK) return response;
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &response.status);
  response.complete = true;
  response.body = std::move(collected.body);
  return response;
}

}  // namespace orbis
