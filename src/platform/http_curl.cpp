// The HTTP transport over libcurl's multi interface, so that an abort wakes a waiting
// transfer at once instead of at the next once-a-second progress callback.
#include <curl/curl.h>

#include <strings.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/http.h"

namespace textorin {
namespace {

struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct MultiDeleter {
    void operator()(CURLM* h) const { curl_multi_cleanup(h); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

struct Collector {
    HttpReply reply;
    bool head = false;
    bool follow_redirects = true;

    // A HEAD request may carry a body, so libcurl sends it as a POST renamed HEAD and would
    // then wait for a reply body that never comes: the transfer stops after the final headers.
    bool final_head_reply_done() const {
        if (!head) return false;
        const std::string_view block = reply.headers;
        const std::size_t space = block.find(' ');
        const int status = space == block.npos ? 0 : std::atoi(block.data() + space + 1);
        if (status >= 100 && status < 200) return false;
        const bool redirect = status >= 300 && status < 400 && has_location(block);
        return !(redirect && follow_redirects);
    }

    static bool has_location(std::string_view block) {
        for (std::size_t at = 0; (at = block.find("\r\n", at)) != block.npos; at += 2) {
            if (block.size() - at >= 11 && strncasecmp(block.data() + at + 2, "location:", 9) == 0)
                return true;
        }
        return false;
    }
};

size_t on_body(char* data, size_t size, size_t count, void* user) {
    auto& body = static_cast<Collector*>(user)->reply.body;
    body.insert(body.end(), data, data + size * count);
    return size * count;
}

// Every status line starts the block afresh, so redirects, 1xx replies and a proxy's CONNECT
// reply leave only the final response's block. Lines are stored ending in CR LF.
size_t on_header(char* data, size_t size, size_t count, void* user) {
    auto& collector = *static_cast<Collector*>(user);
    auto& block = collector.reply.headers;
    std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) block.clear();
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    block.append(line);
    block.append("\r\n");
    if (line.empty() && collector.final_head_reply_done()) return 0;  // ends the transfer
    return size * count;
}

std::string url_of(const HttpRequest& r) {
    return (r.secure ? "https://" : "http://") + r.host + ":" + std::to_string(r.port) + r.path;
}

// Header lines libcurl would otherwise add on its own.
curl_slist* header_list(const HttpRequest& r) {
    curl_slist* list = nullptr;
    for (const auto& line : r.header_lines)
        list = curl_slist_append(list, line.c_str());
    return curl_slist_append(list, "Expect:");
}

bool configure(CURL* h, const HttpRequest& r, const HttpOptions& o, curl_slist* headers,
               Collector& collector) {
    const std::string url = url_of(r);
    bool ok = curl_easy_setopt(h, CURLOPT_URL, url.c_str()) == CURLE_OK;
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, r.agent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
    // An empty proxy ignores the proxy variables of the environment: the connection is direct.
    curl_easy_setopt(h, CURLOPT_PROXY, r.proxy.c_str());
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, r.follow_redirects ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    if (r.keep_cookies_across_redirects) curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!o.ca_file.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, o.ca_file.c_str());
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(o.connect_timeout.count()));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, static_cast<long>(o.idle_timeout.count()));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &collector);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &collector);

    collector.head = r.verb == "HEAD";
    collector.follow_redirects = r.follow_redirects;
    if (collector.head && !r.send_body) curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    if (r.send_body) {
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(r.body.size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS,
                         r.body.empty() ? "" : reinterpret_cast<const char*>(r.body.data()));
    }
    if (r.verb != "GET" && r.verb != "POST")
        curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, r.verb.c_str());
    return ok;
}

}  // namespace

void http_global_init() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HttpClient::HttpClient(HttpOptions options) : options_(std::move(options)) {
    http_global_init();
}

HttpReply HttpClient::exchange(const HttpRequest& request, const AbortSignal* abort) const {
    Collector collector;
    HttpReply& reply = collector.reply;
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    std::unique_ptr<curl_slist, SlistDeleter> headers(header_list(request));
    if (!easy || !multi || !headers ||
        !configure(easy.get(), request, options_, headers.get(), collector))
        return reply;
    reply.started = true;

    auto wake = [m = multi.get()] { curl_multi_wakeup(m); };
    AbortSignal::Subscription on_exit(process_abort(), wake);
    std::optional<AbortSignal::Subscription> on_abort;
    if (abort) on_abort.emplace(*abort, wake);
    auto aborted = [&] { return process_abort().aborted() || (abort && abort->aborted()); };

    curl_multi_add_handle(multi.get(), easy.get());
    for (int running = 1; running && !aborted();) {
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) break;
        if (running && curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr) != CURLM_OK) break;
    }
    curl_multi_remove_handle(multi.get(), easy.get());
    return std::move(reply);
}

const HttpClient& default_http_client() {
    static const HttpClient* client = new HttpClient;  // never destroyed: workers may outlive exit
    return *client;
}

}  // namespace textorin
