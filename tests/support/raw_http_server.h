// A loopback HTTP/1.1 server for tests that records each request exactly as it arrived (request
// line, header lines in order and letter case, body) and answers with a scripted response.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace textorin::testing {

struct RawRequest {
    std::string request_line;
    std::vector<std::string> header_lines;
    std::string body;

    // The value of the first header with this name (any letter case), if any.
    std::optional<std::string> header(std::string_view name) const;
};

// A complete response with Content-Length and "Connection: close"; `extra` is a block of header
// lines, each ending in CR LF.
std::string http_response(int status, std::string_view body, std::string_view extra = {});

class RawHttpServer {
  public:
    // The handler returns the raw response bytes, or nullopt to never answer.
    using Handler = std::function<std::optional<std::string>(const RawRequest&)>;

    explicit RawHttpServer(Handler handler);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(std::string_view path = "/") const;
    std::vector<RawRequest> requests() const;

  private:
    void serve();
    void handle(int client);

    Handler handler_;
    int listener_ = -1;
    int stop_pipe_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<RawRequest> requests_;
    std::thread thread_;
};

}  // namespace textorin::testing
