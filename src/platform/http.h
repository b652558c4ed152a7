// One synchronous HTTP(S) exchange: the transport under the web request routine.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/abort_signal.h"
#include "text/text.h"

namespace textorin {

// Prepares the HTTP library; runs once, and must run before any thread is started.
void http_global_init();

struct HttpRequest {
    std::string verb = "GET";  // "GET", "POST" or "HEAD"
    bool secure = false;
    std::string host;
    int port = 80;
    std::string path = "/";
    std::string agent;                      // sent as User-Agent unless a header line gives one
    std::vector<std::string> header_lines;  // sent in this order, exactly as written
    Bytes body;                             // sent with POST and HEAD
    bool send_body = false;
    bool follow_redirects = true;
    bool keep_cookies_across_redirects = true;  // an in-memory jar for this exchange only
    std::string proxy;                          // host:port; empty means a direct connection
};

struct HttpReply {
    bool started = false;  // false when the exchange could not even be set up
    Bytes body;
    std::string headers;  // the final response's raw header block, each line ending in CR LF
};

struct HttpOptions {
    std::string ca_file;  // trusted authorities; empty means the system's
    std::chrono::seconds connect_timeout{60};
    std::chrono::seconds idle_timeout{60};  // give up when nothing arrives for this long
};

class HttpClient {
  public:
    explicit HttpClient(HttpOptions options = {});

    // Never throws. An abort through `abort` or process_abort() ends the exchange promptly,
    // with whatever had arrived.
    HttpReply exchange(const HttpRequest& request, const AbortSignal* abort = nullptr) const;

  private:
    HttpOptions options_;
};

// The client every call uses unless told otherwise: the system's authorities, default time-outs.
const HttpClient& default_http_client();

}  // namespace textorin
