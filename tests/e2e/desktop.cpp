#include "e2e/desktop.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "platform/codepage.h"

extern char** environ;

namespace textorin::testing {
namespace {

using namespace std::chrono_literals;

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env,
            const std::filesystem::path& cwd = {}, posix_spawn_file_actions_t* actions = nullptr) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("DISPLAY=")) env.emplace_back(*e);
    env.insert(env.end(), extra_env.begin(), extra_env.end());
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    for (const auto& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t own;
    if (!actions) {
        posix_spawn_file_actions_init(&own);
        actions = &own;
    }
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(actions, cwd.c_str());
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0], actions, nullptr, args.data(), envp.data());
    if (actions == &own) posix_spawn_file_actions_destroy(&own);
    if (rc != 0) throw std::runtime_error("cannot start " + argv[0]);
    return pid;
}

std::optional<int> wait_exit(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(10ms);
    } while (std::chrono::steady_clock::now() < end);
    return std::nullopt;
}

}  // namespace

Desktop::Desktop() {
    // Xvfb picks a free display and writes its number to the pipe. -noreset keeps the screen
    // and the clipboard when the last client leaves.
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    server_ = spawn(
        {"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-noreset", "-nolisten", "tcp"},
        {}, {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    display_ = ":" + number;
}

Desktop::~Desktop() {
    kill(server_, SIGTERM);
    wait_exit(server_, 5s);
}

std::string Desktop::run(const std::string& command, bool* ok) const {
    FILE* pipe = popen(("DISPLAY=" + display_ + " " + command).c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pipe ? pclose(pipe) : -1;
    if (ok) *ok = status == 0;
    return out;
}

bool Desktop::xdotool(const std::string& arguments) const {
    bool ok = false;
    run("xdotool " + arguments, &ok);
    return ok;
}

std::string Desktop::clipboard() const {
    return run("timeout 5 xclip -selection clipboard -o -target UTF8_STRING 2>/dev/null");
}

bool Desktop::screenshot(const std::filesystem::path& png) const {
    bool ok = false;
    run(std::string(TEXTORIN_X11_TOOL) + " screenshot '" + png.string() + "'", &ok);
    return ok;
}

void write_gbk_lines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += gbk(line) + "\r\n";
    std::ofstream(file, std::ios::binary) << text;
}

Program::Program(const Desktop& desktop, const std::filesystem::path& folder) : desktop_(desktop) {
    const auto binary = folder / "textorin";
    if (!std::filesystem::exists(binary)) std::filesystem::copy_file(TEXTORIN_BINARY, binary);
    pid_ = spawn({binary.string()}, {"DISPLAY=" + desktop.display()}, folder);
}

Program::~Program() {
    if (pid_ > 0 && !wait_exit(pid_, 0ms)) {
        kill(pid_, SIGKILL);
        wait_exit(pid_, 5s);
    }
}

unsigned long Program::wait_for_window(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        const std::string ids =
            desktop_.run("xdotool search --onlyvisible --name '^TextorinV2.4-' 2>/dev/null");
        if (!ids.empty()) return std::stoul(ids);
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return 0;
}

std::optional<int> Program::wait_for_exit(std::chrono::milliseconds limit) {
    const auto status = wait_exit(pid_, limit);
    if (status) pid_ = -1;
    return status;
}

}  // namespace textorin::testing
