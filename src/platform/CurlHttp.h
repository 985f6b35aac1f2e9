#pragma once
#include "ports/Http.h"

namespace orbis {

// HTTP through libcurl. Only http and https are spoken, also when the server redirects.
class CurlHttp : public Http {
 public:
  CurlHttp();
  HttpResponse get(const std::string& url, const std::string& agent,
                   const HttpLimits& limits) override;
};

}  // namespace orbis
