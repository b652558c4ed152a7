#include "services/recognition.h"

#include <gtest/gtest.h>

#include "capture/bmp_file.h"
#include "platform/codepage.h"
#include "services/ocr_client.h"
#include "support/fake_ocr_service.h"
#include "support/recording_view.h"

namespace textorin {
namespace {

using namespace std::chrono_literals;
using testing::FakeOcrService;
using testing::RecordingView;
using Lines = std::vector<std::string>;

// A small capture whose Base64 form holds "+", "/" and "=" (checked below).
Bytes capture_bmp(int width = 41, int height = 17) {
    Picture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4)};
    for (std::size_t i = 0; i < p.bgra.size(); ++i)
        p.bgra[i] = static_cast<std::uint8_t>(i * 37 % 251);
    return write_bmp(p.view());
}

class RecognitionTest : public ::testing::Test {
  protected:
    ServiceConfig config() const {
        return {service.base_url(), FakeOcrService::kApiKey, FakeOcrService::kSecretKey, {}, {}};
    }

    // One whole run, on this thread, with the token already fetched.
    void run(int mode, Bytes capture = capture_bmp()) {
        state.recognition_mode = mode;
        run_recognition({state.begin_recognition(capture), capture, mode}, state, view, config());
    }

    void SetUp() override { state.set_access_token(FakeOcrService::kToken); }

    FakeOcrService service;
    SharedState state;
    RecordingView view;
};

TEST_F(RecognitionTest, TokenFlow) {
    SharedState fresh;
    request_token(fresh, config());
    EXPECT_EQ(fresh.access_token(), FakeOcrService::kToken);

    SharedState refused;
    ServiceConfig wrong = config();
    wrong.secret_key = "wrong";
    request_token(refused, wrong);  // the service's error object
    EXPECT_EQ(refused.access_token(), "");

    SharedState offline;
    ServiceConfig nowhere = config();
    nowhere.ocr_address = "http://127.0.0.1:1";
    request_token(offline, nowhere);
    EXPECT_EQ(offline.access_token(), "");
    EXPECT_EQ(service.token_requests(), 2);
}

TEST_F(RecognitionTest, EveryModeHasItsAddressAndBody) {
    struct Case {
        int mode;
        std::string path;
        bool token_in_query;
        std::map<std::string, std::string> form;
    };
    const std::string token = FakeOcrService::kToken;
    const Case cases[] = {
        {0, "/rest/2.0/ocr/v1/accurate_basic", true, {}},
        {1, "/rest/2.0/ocr/v1/general_basic", true, {}},
        {2, "/rest/2.0/ocr/v1/handwriting", true, {}},
        {5, "/rest/2.0/ocr/v1/vehicle_license", true, {}},
        {6,
         "/rest/2.0/ocr/v1/vehicle_license",
         false,
         {{"access_token", token},
          {"detect_direction", "false"},
          {"accuracy", ""},
          {"vehicle_license_side", "back"}}},
        {7,
         "/rest/2.0/ocr/v1/general_basic",
         false,
         {{"access_token", token},
          {"language_type", "CHN_ENG"},
          {"detect_direction", "true"},
          {"detect_language", "true"},
          {"probability", "true"}}},
    };
    for (const auto& c : cases) {
        run(c.mode);
        const auto sent = service.recognition_requests().back();
        EXPECT_EQ(sent.path, c.path) << c.mode;
        EXPECT_EQ(sent.query.count("access_token"), c.token_in_query ? 1u : 0u) << c.mode;
        EXPECT_EQ(sent.form, c.form) << c.mode;
        EXPECT_NE(sent.body.find("image="), std::string::npos) << c.mode;
        EXPECT_EQ(sent.body.substr(sent.body.find("image=")).find_first_of("&"), std::string::npos)
            << "the image is the last field, mode " << c.mode;
        // The picture arrives as a JPEG of the captured size; its Base64 "+", "/" and "=" were
        // all percent-encoded (the fake decodes nothing else).
        Picture picture;
        ASSERT_TRUE(decode_jpeg(
            {reinterpret_cast<const std::uint8_t*>(sent.image.data()), sent.image.size()}, picture))
            << c.mode;
        EXPECT_EQ(picture.width, 41);
        EXPECT_EQ(picture.height, 17);
    }
    const std::string encoded = service.recognition_requests().back().body;
    EXPECT_NE(encoded.find("%2B"), std::string::npos);
    EXPECT_NE(encoded.find("%2F"), std::string::npos);
    EXPECT_EQ(state.capture()[0], 0xFF);  // the capture buffer now holds the JPEG
}

TEST_F(RecognitionTest, ModesWithoutARequestSendNothing) {
    for (int mode : {3, 4, 8, -1}) {
        view.source = "kept";
        Bytes capture = capture_bmp();
        RecordingView direct;
        EXPECT_EQ(ocr_request(mode, capture, FakeOcrService::kToken, config(), direct), "") << mode;
        EXPECT_EQ(direct.status, gbk("状态：程序BUG1请联系作者")) << mode;
        EXPECT_EQ(capture, capture_bmp()) << mode;

        run(mode);
        EXPECT_EQ(view.status, gbk("状态：识别完毕")) << mode;
        EXPECT_EQ(view.source, "") << mode;
    }
    EXPECT_TRUE(service.recognition_requests().empty());
}

TEST_F(RecognitionTest, LinesGoToTheSourceBoxWithTheirSeparators) {
    service.answer_lines({"甲", "", "乙"});
    view.checks[CheckBox::MergeText] = false;
    view.clipboard = "user's";
    view.checks[CheckBox::SyncClipboard] = false;
    run(0);
    EXPECT_EQ(view.source, gbk("甲\r\n\r\n乙\r\n"));
    EXPECT_EQ(view.clipboard, "user's");
    EXPECT_EQ(view.status, gbk("状态：识别完毕"));

    view.checks[CheckBox::MergeText] = true;
    view.checks[CheckBox::SyncClipboard] = true;
    run(1);
    EXPECT_EQ(view.source, gbk("甲乙"));
    EXPECT_EQ(view.clipboard, gbk("甲乙"));
    EXPECT_EQ(view.writes(),
              (Lines{gbk("status=状态：截图识别中……"), gbk("source=甲\r\n\r\n乙\r\n"),
                     gbk("status=状态：识别完毕"), gbk("status=状态：截图识别中……"),
                     gbk("source=甲乙"), gbk("clipboard=甲乙"), gbk("status=状态：识别完毕")}));
}

TEST_F(RecognitionTest, BrokenRepliesEmptyTheSourceBox) {
    for (auto answer : {FakeOcrService::Answer::ErrorObject, FakeOcrService::Answer::NotJson}) {
        service.answer(answer);
        view.source = "old";
        run(0);
        EXPECT_EQ(view.source, "");
        EXPECT_EQ(view.status, gbk("状态：识别完毕"));
    }
}

TEST_F(RecognitionTest, LicenceFieldsFillTheirRows) {
    view.page_index = 1;
    view.licence_rows = 12;
    service.answer_fields({{"号牌号码", "京A12345"}, {"车辆类型", "小型轿车"}, {"所有人", "张三"}});
    run(5);
    EXPECT_EQ(view.cells,
              (std::map<std::pair<int, int>, Text>{
                  {{0, 2}, gbk("京A12345")}, {{1, 2}, gbk("小型轿车")}, {{2, 2}, gbk("张三")}}));
    view.cells.clear();
    service.answer_fields({{"a\"b", "x"}, {"c]d", "y"}, {"e", "z"}});  // names read safely
    run(6);
    // Rows 10 and 11 exist; row 12 does not, and its field is dropped.
    EXPECT_EQ(view.cells, (std::map<std::pair<int, int>, Text>{{{10, 2}, "x"}, {{11, 2}, "y"}}));

    view.cells.clear();
    service.answer_lines({"text"});
    run(0);  // a text mode on the licence page writes nothing but its status
    EXPECT_TRUE(view.cells.empty());
    EXPECT_EQ(view.status, gbk("状态：识别完毕"));
}

TEST_F(RecognitionTest, NoTokenOrNoCaptureStopsAtTheFirstStatus) {
    state.set_access_token("");
    view.source = "kept";
    run(0);
    state.set_access_token(FakeOcrService::kToken);
    run(0, {});
    EXPECT_EQ(view.writes(),
              (Lines{gbk("status=状态：截图识别中……"), gbk("status=状态：截图识别中……")}));
    EXPECT_EQ(view.source, "kept");
    EXPECT_TRUE(service.recognition_requests().empty());
}

// Two captures in quick succession: the first run's result is already on its way to the window
// when the second capture completes; only the second's text may show.
TEST_F(RecognitionTest, OnlyTheNewestRunReachesTheWindow) {
    view.deferred = true;
    Recognizer recognizer(state, view, config());
    service.answer_lines({"first"});
    recognizer.start(capture_bmp());
    recognizer.wait_idle();  // its writes are queued, not yet applied
    service.answer_lines({"second"});
    recognizer.start(capture_bmp());
    recognizer.wait_idle();
    view.flush();
    EXPECT_EQ(view.source, "second");  // lines merged: the box is checked
    for (const auto& entry : view.writes())
        EXPECT_EQ(entry.find("first"), std::string::npos);
}

TEST_F(RecognitionTest, ANewCaptureAbortsTheWaitingRun) {
    Recognizer recognizer(state, view, config());
    service.answer(FakeOcrService::Answer::Never);
    recognizer.start(capture_bmp());
    while (service.recognition_requests().empty())
        std::this_thread::sleep_for(5ms);
    service.answer_lines({"second"});
    const auto start = std::chrono::steady_clock::now();
    recognizer.start(capture_bmp());
    recognizer.wait_idle();  // the first run must not hold this up
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(view.source, "second");  // lines merged: the box is checked
}

}  // namespace
}  // namespace textorin
