#include "services/notices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "platform/codepage.h"
#include "support/raw_http_server.h"
#include "support/recording_view.h"

namespace textorin {
namespace {

using testing::http_response;
using testing::RawHttpServer;
using testing::RawRequest;
using testing::RecordingView;

TEST(VersionNumber, ReadsTheLeadingDecimalNumber) {
    const std::pair<const char*, float> cases[] = {
        {"2.4", 2.4f},    {"2.40", 2.4f}, {" +2.5x", 2.5f}, {"-1", -1.0f}, {"x", 0.0f},
        {"", 0.0f},       {"3", 3.0f},    {".5", 0.5f},     {"5.", 5.0f},  {"1e2", 100.0f},
        {"1e-999", 0.0f}, {"inf", 0.0f},  {"nan", 0.0f},    {"2,5", 2.0f},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(version_number(text), value) << text;
    EXPECT_TRUE(std::isinf(version_number("1e39")));
    EXPECT_TRUE(std::isinf(version_number("1e999")));
}

class NoticesTest : public ::testing::Test {
  protected:
    ServiceConfig config() const {
        return {{}, {}, {}, {}, {server.url("/1"), server.url("/2"), server.url("/3")}};
    }
    void run() {
        view.notice = "previous";
        view.translation = "kept";
        check_notices(view, config());
    }

    std::map<std::string, std::string> pages;  // path -> UTF-8 body
    RawHttpServer server{[this](const RawRequest& r) {
        const std::string path = r.request_line.substr(4, r.request_line.find(' ', 4) - 4);
        return http_response(200, pages.count(path) ? pages[path] : "");
    }};
    RecordingView view;  // its caption is "TextorinV2.4-test"
};

TEST_F(NoticesTest, FirstPageChoosesTheNoticeByVersion) {
    const std::pair<const char*, const char*> cases[] = {
        {"2.5|A|B", "A"},          {"3|A|B", "A"},   {"2.4|A|B", "B"},
        {"2.40|A|B", "B"},         {"2.3|A|B", "B"}, {"x|A|B", "B"},
        {"2.5|A|B|", "A"},         {"2.5||B", ""},   {"2.5|A", "previous"},
        {"2.5|A|B|C", "previous"},
    };
    for (const auto& [payload, shown] : cases) {
        pages["/1"] = std::string("<html>头[起]") + payload + "[止]尾</html>";
        run();
        EXPECT_EQ(view.notice, gbk(shown)) << payload;
    }
}

TEST_F(NoticesTest, SecondAndThirdPages) {
    pages["/2"] = "[起]http://example.test/page[止]";
    pages["/3"] = "[起]公告文本[止]";
    run();
    EXPECT_EQ(view.browser, "http://example.test/page");
    EXPECT_EQ(view.translation, gbk("公告文本"));

    pages["/2"] = "[起]http://example.test/page";  // no end marker: an empty address
    pages["/3"] = "[起][止]";                      // an empty payload leaves the box alone
    run();
    EXPECT_EQ(view.browser, "");
    EXPECT_EQ(view.translation, "kept");
    EXPECT_EQ(server.requests().size(), 6u);
}

TEST_F(NoticesTest, EmptyAddressesFetchNothing) {
    check_notices(view, ServiceConfig{});
    EXPECT_EQ(view.writes(), (std::vector<std::string>{"browser="}));
}

}  // namespace
}  // namespace textorin
