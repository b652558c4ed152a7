#include "net/url.h"

#include <gtest/gtest.h>

namespace textorin {
namespace {

TEST(UrlSplitting, HostPortAndPath) {
    struct Case {
        std::string url, host, host_with_port;
        int port;
        std::string path;
    };
    const Case cases[] = {
        {"https://ExAmple.COM:81/A/b?q=1", "example.com", "example.com:81", 81, "/A/b?q=1"},
        {"http://host", "host", "host", 80, "/"},
        {"host/x", "host", "host", 80, "/x"},
        {"https://aip.baidubce.com/oauth/2.0/token?a=B", "aip.baidubce.com", "aip.baidubce.com",
         443, "/oauth/2.0/token?a=B"},
        {"HTTP://Fanyi.Youdao.com/translate?i=A", "fanyi.youdao.com", "fanyi.youdao.com", 80,
         "/translate?i=A"},
        {"http://127.0.0.1:8080", "127.0.0.1", "127.0.0.1:8080", 8080, "/"},
        {"http://t/x", "t", "t", 80, "/x"},  // the host is not looked for inside the scheme
        {"https://h:abc/", "h", "h:abc", 0, "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(url_host(c.url), c.host) << c.url;
        EXPECT_EQ(url_host(c.url, true), c.host_with_port) << c.url;
        EXPECT_EQ(url_port(c.url), c.port) << c.url;
        EXPECT_EQ(url_path(c.url), c.path) << c.url;
    }
}

}  // namespace
}  // namespace textorin
