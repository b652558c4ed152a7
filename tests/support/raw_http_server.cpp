#include "support/raw_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace textorin::testing {
namespace {

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Waits until `fd` is readable or the stop pipe fires; false on stop.
bool wait_readable(int fd, int stop) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0) {
    }
    return !(fds[1].revents & POLLIN);
}

RawRequest parse_head(std::string_view head) {
    RawRequest request;
    std::size_t eol = head.find("\r\n");
    request.request_line = head.substr(0, eol);
    while (eol != std::string_view::npos) {
        const std::size_t start = eol + 2;
        eol = head.find("\r\n", start);
        request.header_lines.emplace_back(head.substr(start, eol - start));
    }
    return request;
}

}  // namespace

std::optional<std::string> RawRequest::header(std::string_view name) const {
    for (const auto& line : header_lines) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && iequals(line.substr(0, colon), name)) {
            const auto start = line.find_first_not_of(' ', colon + 1);
            return start == std::string::npos ? "" : line.substr(start);
        }
    }
    return std::nullopt;
}

std::string http_response(int status, std::string_view body, std::string_view extra) {
    std::string out = "HTTP/1.1 " + std::to_string(status) + (status < 400 ? " OK" : " Error");
    out += "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n";
    out += extra;
    out += "\r\n";
    out += body;
    return out;
}

RawHttpServer::RawHttpServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(listener_, 16) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
        pipe(stop_pipe_) != 0)
        throw std::runtime_error("cannot start the loopback server");
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
}

RawHttpServer::~RawHttpServer() {
    (void)!write(stop_pipe_[1], "x", 1);
    thread_.join();
    close(listener_);
    close(stop_pipe_[0]);
    close(stop_pipe_[1]);
}

std::string RawHttpServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<RawRequest> RawHttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawHttpServer::serve() {
    while (wait_readable(listener_, stop_pipe_[0])) {
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        handle(client);
        close(client);
    }
}

void RawHttpServer::handle(int client) {
    RawRequest request;
    std::string data;
    char buffer[4096];
    std::size_t end = std::string::npos;
    std::size_t want = 0;
    while (end == std::string::npos || data.size() < end + 4 + want) {
        if (!wait_readable(client, stop_pipe_[0])) return;
        const ssize_t n = read(client, buffer, sizeof buffer);
        if (n <= 0) return;
        data.append(buffer, static_cast<std::size_t>(n));
        if (end == std::string::npos && (end = data.find("\r\n\r\n")) != std::string::npos) {
            request = parse_head(std::string_view(data).substr(0, end));
            want =
                std::strtoul(request.header("Content-Length").value_or("0").c_str(), nullptr, 10);
        }
    }
    request.body = data.substr(end + 4, want);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const std::optional<std::string> response = handler_(request);
    if (!response) {
        wait_readable(stop_pipe_[0], stop_pipe_[0]);  // never answer: hold on until stopped
        return;
    }
    for (std::size_t sent = 0; sent < response->size();) {
        const ssize_t n =
            send(client, response->data() + sent, response->size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace textorin::testing
