#include "net/web_request.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "support/raw_http_server.h"
#include "support/test_ca.h"

namespace textorin {
namespace {

using namespace std::chrono_literals;
using testing::http_response;
using testing::RawHttpServer;
using testing::RawRequest;
using Lines = std::vector<std::string>;

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::string text_of(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

// The header lines as sent, less the two that the transport adds of its own (Host and, with a
// body, Content-Length).
Lines sent_lines(const RawRequest& r) {
    Lines lines;
    for (const auto& line : r.header_lines)
        if (!line.starts_with("Host:") && !line.starts_with("Content-Length:"))
            lines.push_back(line);
    return lines;
}

TEST(WebRequestHeaders, BlockIsCompletedInOrder) {
    const std::string url = "http://h/p?q=1";
    struct Case {
        const char* name;
        std::string headers, cookies, block;
    };
    const Case cases[] = {
        {"defaults", "", "",
         "Accept: */*\r\nReferer: http://h/p?q=1\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"caller's referer", "Referer: http://h/p", "",
         "Referer: http://h/p\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
         "Content-Type: application/x-www-form-urlencoded"},
        {"everything given", "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c", "",
         "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c"},
        {"cookies", "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c", "a=1;",
         "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c\r\nCookie: a=1;"},
        {"cookie line given", "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c",
         "Cookie: a=1",
         "Accept: a\r\nReferer: r\r\nAccept-Language: l\r\nContent-Type: c\r\nCookie: a=1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(complete_header_block(c.headers, url, c.cookies), c.block) << c.name;
}

TEST(WebRequestHeaders, AgentComesFromTheHeadersOrTheDefault) {
    const std::pair<std::string, std::string> cases[] = {
        {"", kAgent},
        {"Referer: x", kAgent},
        {"User-Agent:  Tester/1 \r\nX: y", "Tester/1"},
        {"user-agent: low", "low"},
        {"Referer: x\r\nuser-agent: low", "x\r\nuser-agent: low"},
    };
    for (const auto& [headers, agent] : cases)
        EXPECT_EQ(request_agent(headers), agent) << headers;
}

class WebRequestTest : public ::testing::Test {
  protected:
    RawHttpServer server{[](const RawRequest& r) -> std::optional<std::string> {
        if (r.request_line.starts_with("GET /missing"))
            return http_response(404, "<html>gone</html>");
        if (r.request_line.starts_with("GET /hang")) return std::nullopt;
        if (r.request_line.starts_with("GET /moved"))
            return http_response(302, "moved", "Location: /target\r\nset-cookie: m=1; path=/\r\n");
        if (r.request_line.starts_with("GET /cookies"))
            return http_response(200, "c", "SET-COOKIE: b=3; path=/\r\nSet-Cookie: c=deleted\r\n");
        if (r.request_line.starts_with("GET /big"))
            return http_response(200, "big",
                                 "X-Pad: " + std::string(6000, 'p') + "\r\nSet-Cookie: z=9\r\n");
        return http_response(200, "body of " + r.request_line);
    }};
};

TEST_F(WebRequestTest, GetSendsTheDefaultBlockAndReturnsTheBody) {
    WebRequest r{.url = server.url("/Path/x?q=A")};
    EXPECT_EQ(text_of(web_request(r)), "body of GET /Path/x?q=A HTTP/1.1");
    const auto sent = server.requests().at(0);
    EXPECT_EQ(sent_lines(sent),
              (Lines{"User-Agent: " + std::string(kAgent), "Accept: */*", "Referer: " + r.url,
                     "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded"}));
    EXPECT_EQ(r.headers,
              "Accept: */*\r\nReferer: " + r.url +
                  "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");
    EXPECT_TRUE(r.headers_out.starts_with("HTTP/1.1 200 OK\r\nContent-Length: "));
    EXPECT_TRUE(r.headers_out.ends_with("\r\n\r\n"));
}

TEST_F(WebRequestTest, MethodsAndBodies) {
    struct Case {
        const char* name;
        int method;
        std::string post_text, post_bytes, verb, body;
    };
    const Case cases[] = {
        {"method 5 is GET", 5, "", "", "GET", ""},
        {"method -1 is GET", -1, "", "", "GET", ""},
        {"GET sends no body", 0, "text", "", "GET", ""},
        {"POST sends post_text", 1, "a=1&image=", "", "POST", "a=1&image="},
        {"POST prefers post_bytes", 1, "text", "bytes", "POST", "bytes"},
        {"HEAD sends its body", 2, "h", "", "HEAD", "h"},
    };
    for (const auto& c : cases) {
        RawHttpServer echo([](const RawRequest& req) { return http_response(200, req.body); });
        WebRequest r{.url = echo.url("/m"),
                     .method = c.method,
                     .post_text = c.post_text,
                     .post_bytes = Bytes(c.post_bytes.begin(), c.post_bytes.end())};
        web_request(r);
        const auto sent = echo.requests().at(0);
        EXPECT_EQ(sent.request_line, c.verb + " /m HTTP/1.1") << c.name;
        EXPECT_EQ(sent.body, c.body) << c.name;
        EXPECT_EQ(sent.header("Expect"), std::nullopt) << c.name;
        if (c.method == 1 || c.method == 2) {
            EXPECT_EQ(text_of(r.post_bytes), c.body) << c.name;
        }
    }
}

TEST_F(WebRequestTest, CallerHeadersStayInTheirPlace) {
    WebRequest r{.url = server.url("/t?i=1"), .headers = "Referer: " + server.url("/t")};
    web_request(r);
    EXPECT_EQ(
        sent_lines(server.requests().at(0)),
        (Lines{"User-Agent: " + std::string(kAgent), "Referer: " + server.url("/t"), "Accept: */*",
               "Accept-Language: zh-cn", "Content-Type: application/x-www-form-urlencoded"}));

    WebRequest agent{.url = server.url("/a"), .headers = "user-agent: lower/1"};
    web_request(agent);
    const auto sent = server.requests().at(1);
    EXPECT_EQ(sent.header_lines.end() - std::find(sent.header_lines.begin(),
                                                  sent.header_lines.end(), "user-agent: lower/1"),
              5);  // the caller's line first, then the four defaults; no second agent line
    EXPECT_EQ(std::count_if(sent.header_lines.begin(), sent.header_lines.end(),
                            [](const std::string& l) {
                                return l.starts_with("User-Agent") || l.starts_with("user-agent");
                            }),
              1);
}

TEST_F(WebRequestTest, ErrorBodiesAndRedirects) {
    WebRequest missing{.url = server.url("/missing")};
    EXPECT_EQ(text_of(web_request(missing)), "<html>gone</html>");
    EXPECT_TRUE(missing.headers_out.starts_with("HTTP/1.1 404 Error\r\n"));

    WebRequest followed{.url = server.url("/moved")};
    EXPECT_EQ(text_of(web_request(followed)), "body of GET /target HTTP/1.1");
    EXPECT_TRUE(followed.headers_out.starts_with("HTTP/1.1 200 OK\r\n")) << followed.headers_out;
    EXPECT_EQ(followed.cookies_out, "");
    EXPECT_EQ(server.requests().back().header("Cookie"), "m=1");  // kept across the redirect

    WebRequest stopped{.url = server.url("/moved"), .no_redirect = true};
    EXPECT_EQ(text_of(web_request(stopped)), "moved");
    EXPECT_NE(stopped.headers_out.find("Set-Cookie: m=1; path=/\r\n"), std::string::npos);
    EXPECT_EQ(stopped.cookies_out, "m=1");
}

TEST_F(WebRequestTest, SuppliedCookiesAreSentAndMerged) {
    WebRequest empty{.url = server.url("/cookies"), .cookies = ""};
    web_request(empty);
    EXPECT_EQ(server.requests().back().header("Cookie"), std::nullopt);
    EXPECT_EQ(empty.cookies, "b=3;");
    EXPECT_EQ(empty.cookies_out, "b=3;");

    WebRequest kept{.url = server.url("/cookies"), .cookies = "a=1; c=2"};
    web_request(kept);
    EXPECT_EQ(server.requests().back().header("Cookie"), "a=1; c=2");
    EXPECT_EQ(kept.cookies, "a=1;b=3;");
    EXPECT_EQ(kept.cookies_out, "a=1;b=3;");

    WebRequest plain{.url = server.url("/cookies")};
    web_request(plain);
    EXPECT_EQ(plain.cookies_out, "b=3; c=deleted");
    EXPECT_NE(plain.headers_out.find("Set-Cookie: b=3; path=/\r\n"), std::string::npos);
}

TEST_F(WebRequestTest, LargeHeaderBlockIsReturnedWhole) {
    WebRequest r{.url = server.url("/big")};
    web_request(r);
    EXPECT_GT(r.headers_out.size(), 6000u);
    EXPECT_EQ(r.cookies_out, "z=9");
}

TEST_F(WebRequestTest, UnreachableServerGivesNothingQuickly) {
    int closed_port;
    {
        RawHttpServer gone([](const RawRequest&) { return std::string(); });
        closed_port = gone.port();
    }
    const auto start = std::chrono::steady_clock::now();
    WebRequest r{.url = "http://127.0.0.1:" + std::to_string(closed_port) + "/",
                 .cookies = "a = 1"};
    EXPECT_TRUE(web_request(r).empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(r.headers_out, "");
    EXPECT_EQ(r.cookies_out, "a=1");
}

TEST_F(WebRequestTest, AbortFromAnotherThreadEndsAWaitingRequestPromptly) {
    AbortSignal abort;
    std::chrono::steady_clock::time_point aborted_at;
    std::thread aborter([&] {
        std::this_thread::sleep_for(300ms);
        aborted_at = std::chrono::steady_clock::now();
        abort.abort();
    });
    WebRequest r{.url = server.url("/hang")};
    EXPECT_TRUE(web_request(r, {.abort = &abort}).empty());
    const auto returned_at = std::chrono::steady_clock::now();
    aborter.join();
    EXPECT_LT(returned_at - aborted_at, 100ms);
}

class HttpsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto& certs = testing::test_certificates();
        server =
            std::make_unique<httplib::SSLServer>(certs.cert_file.c_str(), certs.key_file.c_str());
        server->Get("/s", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content("secure " + req.get_header_value("Referer"), "text/plain");
        });
        port = server->bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server->listen_after_bind(); });
    }
    void TearDown() override {
        server->stop();
        thread.join();
    }
    std::unique_ptr<httplib::SSLServer> server;
    std::thread thread;
    int port = 0;
};

TEST_F(HttpsTest, TrustedCertificateIsAcceptedAndAnUntrustedOneRefused) {
    const std::string url = "https://127.0.0.1:" + std::to_string(port) + "/s";
    const HttpClient trusting({.ca_file = testing::test_certificates().ca_file});
    WebRequest r{.url = url};
    EXPECT_EQ(text_of(web_request(r, {.client = &trusting})), "secure " + url);

    WebRequest untrusted{.url = url};
    EXPECT_TRUE(web_request(untrusted).empty());
}

}  // namespace
}  // namespace textorin
