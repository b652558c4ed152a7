#include "services/translation.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "support/raw_http_server.h"
#include "support/recording_view.h"

namespace textorin {
namespace {

using testing::http_response;
using testing::RawHttpServer;
using testing::RawRequest;
using testing::RecordingView;
using Lines = std::vector<std::string>;

class TranslationTest : public ::testing::Test {
  protected:
    ServiceConfig config() const { return {{}, {}, {}, service.url(""), {}}; }

    std::string reply = "errorCode=0\r\nresult=你好\r\n";
    RawHttpServer service{[this](const RawRequest&) { return http_response(200, reply); }};
    RecordingView view;
};

TEST_F(TranslationTest, SendsTheEncodedTextWithItsReferer) {
    EXPECT_EQ(translate_text(gbk("a b\r\n中"), config()), gbk("你好\r\n\r\n"));
    const auto sent = service.requests().at(0);
    EXPECT_EQ(sent.request_line,
              "GET /translate?i=a%20b%0D%0A%E4%B8%AD&type=AUTO&doctype=text&xmlVersion=1.1"
              "&keyfrom=360se HTTP/1.1");
    EXPECT_EQ(sent.header("Referer"), service.url("/translate"));
    EXPECT_EQ(std::count_if(sent.header_lines.begin(), sent.header_lines.end(),
                            [](const std::string& l) { return l.starts_with("Referer"); }),
              1);
}

TEST_F(TranslationTest, TakesWhatFollowsTheLastResult) {
    reply = "result=one\r\nresult=two";
    EXPECT_EQ(translate_text("x", config()), "two\r\n");
    reply = "no marker here";
    EXPECT_EQ(translate_text("x", config()), "\r\n");
    ServiceConfig offline = config();
    offline.translate_address = "http://127.0.0.1:1";
    EXPECT_EQ(translate_text("x", offline), "\r\n");
}

TEST_F(TranslationTest, SelectionIsTranslatedAndTheClipboardLeftAlone) {
    view.source = "whole text";
    view.selection = "part";
    view.clipboard = "user's own";
    view.checks[CheckBox::SyncClipboard] = false;
    run_translation(view, config());
    EXPECT_NE(service.requests().at(0).request_line.find("?i=part&"), std::string::npos);
    EXPECT_EQ(view.translation, gbk("你好\r\n\r\n"));
    EXPECT_EQ(view.clipboard, "user's own");
    EXPECT_EQ(view.writes(), (Lines{gbk("status=状态：翻译中……"), gbk("translation=你好\r\n\r\n"),
                                    gbk("status=状态：翻译完毕")}));

    view.selection.clear();
    view.checks[CheckBox::SyncClipboard] = true;
    run_translation(view, config());
    EXPECT_NE(service.requests().at(1).request_line.find("?i=whole%20text&"), std::string::npos);
    EXPECT_EQ(view.clipboard, gbk("你好\r\n\r\n"));
}

TEST_F(TranslationTest, NoNetworkStillFinishesAndAnEmptySourceSendsNothing) {
    ServiceConfig offline = config();
    offline.translate_address = "http://127.0.0.1:1";
    view.source = "text";
    run_translation(view, offline);
    EXPECT_EQ(view.translation, "\r\n");
    EXPECT_EQ(view.status, gbk("状态：翻译完毕"));

    RecordingView empty;
    run_translation(empty, config());
    EXPECT_EQ(empty.writes(), (Lines{gbk("status=状态：翻译中……")}));
    EXPECT_TRUE(service.requests().empty());
}

}  // namespace
}  // namespace textorin
