#include "platform/CurlHttp.h"

#include <curl/curl.h>

#include <memory>

namespace orbis {

namespace {

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

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

}  // namespace

CurlHttp::CurlHttp() {
  // Once, before any request, while the program has only its one thread.
  static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)initialised;
}

HttpResponse CurlHttp::get(const std::string& url, const std::string& agent,
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
  if (curl_easy_perform(e) != CURLE_OK) return response;
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &response.status);
  response.complete = true;
  response.body = std::move(collected.body);
  return response;
}

}  // namespace orbis
