// A loopback stand-in for the OCR platform: the token endpoint and the recognition endpoints.
// It checks what it receives (the query, the form fields, the percent-encoded Base64 of a JPEG
// picture), records it, and answers as told: recognised lines, licence fields, the service's
// error object, a page that is not JSON, a slow reply or none at all.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

namespace textorin::testing {

class FakeOcrService {
  public:
    enum class Answer { Lines, Fields, ErrorObject, NotJson, Slow, Never };

    struct Request {
        std::string path;                          // without the query
        std::map<std::string, std::string> query;  // decoded
        std::string body;                          // as sent
        std::map<std::string, std::string> form;   // decoded body fields, image excepted
        std::string image;                         // the decoded picture bytes
    };

    static constexpr const char* kToken = "24.fake-token.2592000";
    static constexpr const char* kApiKey = "test-api-key";
    static constexpr const char* kSecretKey = "test-secret-key";

    FakeOcrService();
    ~FakeOcrService();

    std::string base_url() const;

    // What the recognition endpoints answer next (UTF-8 texts).
    void answer_lines(std::vector<std::string> lines);
    void answer_fields(std::vector<std::pair<std::string, std::string>> fields);
    void answer(Answer kind, std::chrono::milliseconds delay = std::chrono::milliseconds(0));

    std::vector<Request> recognition_requests() const;
    int token_requests() const { return token_requests_; }

  private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable release_;  // ends the replies held back by Answer::Never
    bool stopping_ = false;
    Answer answer_ = Answer::Lines;
    std::chrono::milliseconds delay_{0};
    std::string reply_ = R"({"words_result":[],"words_result_num":0})";
    std::vector<Request> requests_;
    std::atomic<int> token_requests_{0};
};

}  // namespace textorin::testing
