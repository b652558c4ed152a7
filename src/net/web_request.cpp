#include "net/web_request.h"

#include "net/cookies.h"
#include "net/markers.h"
#include "net/url.h"
#include "text/conventions.h"

namespace textorin {
namespace {

constexpr std::string_view kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr const char* kVerbs[] = {"GET", "POST", "HEAD"};

}  // namespace

Text request_agent(std::string_view headers) {
    if (find_text_nocase(headers, "User-Agent:") == npos) return Text(kDefaultAgent);
    Text agent = trim(text_between(Text(headers) + "\r\n", "User-Agent:", "\r\n"));
    if (agent.empty()) {
        const std::size_t colon = find_text(headers, ":");
        agent = trim(headers.substr(colon + 1));
    }
    return agent;
}

Text complete_header_block(std::string_view headers, std::string_view url,
                           std::string_view cookies) {
    Text block(headers);
    if (block.empty()) {
        block = "Accept: */*";
    } else if (find_text(block, "Accept:") == npos) {
        block += "\r\nAccept: */*";
    }
    if (find_text(block, "Referer:") == npos) (block += "\r\nReferer: ") += url;
    if (find_text(block, "Accept-Language:") == npos) block += "\r\nAccept-Language: zh-cn";
    if (find_text(block, "Content-Type:") == npos)
        block += "\r\nContent-Type: application/x-www-form-urlencoded";
    if (!cookies.empty()) {
        block += find_text(cookies, "Cookie:") == npos ? "\r\nCookie: " : "\r\n";
        block += cookies;
    }
    return block;
}

Bytes web_request(WebRequest& r, const WebContext& context) {
    const int method = r.method < 0 || r.method > 2 ? 0 : r.method;
    const int port = url_port(r.url);
    if (port < 1 || port > 65535) return {};

    HttpRequest request;
    request.verb = kVerbs[method];
    request.secure = lower_ascii(std::string_view(r.url).substr(0, 8)) == "https://";
    request.host = url_host(r.url);
    request.port = port;
    request.path = url_path(r.url);
    request.agent = request_agent(r.headers);
    request.agent.resize(std::min(request.agent.find_first_of("\r\n"), request.agent.size()));
    request.follow_redirects = !r.no_redirect;
    request.keep_cookies_across_redirects = !r.cookies.has_value();
    request.proxy = r.proxy;

    const Text block = complete_header_block(r.headers, r.url, r.cookies.value_or(Text()));
    for (Text& line : split(block, "\r\n"))
        if (!line.empty()) request.header_lines.push_back(std::move(line));

    Bytes body = r.post_bytes;
    if (method != 0) {
        if (body.empty()) {
            const std::string_view text(r.post_text.c_str());  // a text ends at its first NUL
            body.assign(text.begin(), text.end());
        }
        request.body = body;
        request.send_body = true;
    }

    const HttpClient& client = context.client ? *context.client : default_http_client();
    HttpReply reply = client.exchange(request, context.abort);
    if (!reply.started) return {};

    r.headers = block;
    if (method != 0) r.post_bytes = std::move(body);
    r.headers_out = replace_all_nocase(reply.headers, "Set-Cookie", "Set-Cookie");
    r.cookies_out = collect_set_cookies(r.headers_out);
    if (r.cookies) r.cookies_out = merge_cookies(*r.cookies, r.cookies_out);
    return std::move(reply.body);
}

}  // namespace textorin
