#include "support/fake_ocr_service.h"

#include <httplib.h>
#include <openssl/evp.h>

namespace textorin::testing {
namespace {

std::string json_string(const std::string& utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string base64_decode(const std::string& text) {
    if (text.empty() || text.size() % 4) return {};
    std::string out(text.size() / 4 * 3, '\0');
    const int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                  reinterpret_cast<const unsigned char*>(text.data()),
                                  static_cast<int>(text.size()));
    if (n < 0) return {};
    out.resize(static_cast<std::size_t>(n) - (text.ends_with("==")  ? 2
                                              : text.ends_with("=") ? 1
                                                                    : 0));
    return out;
}

// Form fields as sent: the image must be percent-encoded with nothing of Base64 left raw.
std::map<std::string, std::string> form_fields(const std::string& body, std::string& image) {
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string::npos) end = body.size();
        const std::string pair = body.substr(start, end - start);
        const std::size_t eq = pair.find('=');
        const std::string name = pair.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : pair.substr(eq + 1);
        if (name == "image") {
            if (value.find_first_of("+/=") == std::string::npos)
                image = base64_decode(httplib::detail::decode_url(value, false));
        } else if (!name.empty()) {
            fields[name] = httplib::detail::decode_url(value, false);
        }
        start = end + 1;
    }
    return fields;
}

}  // namespace

FakeOcrService::FakeOcrService() : server_(std::make_unique<httplib::Server>()) {
    server_->Get("/oauth/2.0/token", [this](const httplib::Request& req, httplib::Response& res) {
        ++token_requests_;
        const bool known = req.get_param_value("grant_type") == "client_credentials" &&
                           req.get_param_value("client_id") == kApiKey &&
                           req.get_param_value("client_secret") == kSecretKey;
        res.set_content(
            known ? std::string(R"({"refresh_token":"r","expires_in":2592000,"access_token":")") +
                        kToken + R"("})"
                  : R"({"error":"invalid_client","error_description":"unknown client id"})",
            "application/json");
    });
    server_->Post(
        R"(/rest/2\.0/ocr/v1/(\w+))", [this](const httplib::Request& req, httplib::Response& res) {
            Request seen{req.path, {}, req.body, {}, {}};
            if (const auto q = req.target.find('?'); q != std::string::npos) {
                httplib::Params query;
                httplib::detail::parse_query_text(req.target.substr(q + 1), query);
                seen.query.insert(query.begin(), query.end());
            }
            seen.form = form_fields(req.body, seen.image);
            const bool token_ok = seen.query.count("access_token")
                                      ? seen.query["access_token"] == kToken
                                      : seen.form["access_token"] == kToken;
            std::unique_lock lock(mutex_);
            requests_.push_back(seen);
            const Answer answer = answer_;
            const auto delay = delay_;
            const std::string reply = reply_;
            if (answer == Answer::Never) {
                release_.wait(lock, [this] { return stopping_; });
                return;
            }
            lock.unlock();
            if (answer == Answer::Slow) std::this_thread::sleep_for(delay);
            if (!token_ok || seen.image.size() < 2 || seen.image[0] != '\xFF' ||
                seen.image[1] != '\xD8') {
                res.set_content(
                    R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})",
                    "application/json");
            } else if (answer == Answer::ErrorObject) {
                res.set_content(
                    R"({"error_code":17,"error_msg":"Open api daily request limit reached"})",
                    "application/json");
            } else if (answer == Answer::NotJson) {
                res.set_content("<html><body>502 Bad Gateway</body></html>", "text/html");
            } else {
                res.set_content(reply, "application/json");
            }
        });
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

FakeOcrService::~FakeOcrService() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    release_.notify_all();
    server_->stop();
    thread_.join();
}

std::string FakeOcrService::base_url() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void FakeOcrService::answer_lines(std::vector<std::string> lines) {
    std::string reply = R"({"log_id":1,"words_result_num":)" + std::to_string(lines.size()) +
                        R"(,"words_result":[)";
    for (std::size_t i = 0; i < lines.size(); ++i)
        reply += (i ? "," : "") + std::string(R"({"words":)") + json_string(lines[i]) + "}";
    std::lock_guard lock(mutex_);
    reply_ = reply + "]}";
    answer_ = Answer::Lines;
}

void FakeOcrService::answer_fields(std::vector<std::pair<std::string, std::string>> fields) {
    std::string reply = R"({"log_id":2,"words_result":{)";
    for (std::size_t i = 0; i < fields.size(); ++i)
        reply += (i ? "," : "") + json_string(fields[i].first) + R"(:{"words":)" +
                 json_string(fields[i].second) + "}";
    std::lock_guard lock(mutex_);
    reply_ = reply + "}}";
    answer_ = Answer::Fields;
}

void FakeOcrService::answer(Answer kind, std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    answer_ = kind;
    delay_ = delay;
}

std::vector<FakeOcrService::Request> FakeOcrService::recognition_requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

}  // namespace textorin::testing
