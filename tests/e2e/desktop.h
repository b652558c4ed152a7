// End-to-end test helpers: a virtual X display (Xvfb) and the real program started on it from a
// temporary program folder, driven with real input events (xdotool) and read from outside
// (window search, clipboard through xclip, screenshots).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace textorin::testing {

class Desktop {
  public:
    Desktop();  // starts Xvfb on a free display, 1280 x 1024, 24-bit
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    const std::string& display() const { return display_; }

    // Runs a command with DISPLAY set; its standard output, and whether it exited with 0.
    std::string run(const std::string& command, bool* ok = nullptr) const;
    // xdotool with these arguments.
    bool xdotool(const std::string& arguments) const;
    // The clipboard's text as bytes (UTF-8), through xclip.
    std::string clipboard() const;
    bool screenshot(const std::filesystem::path& png) const;

  private:
    pid_t server_ = -1;
    std::string display_;
};

// Writes UTF-8 lines as a GBK file with CR LF line ends, as a Windows editor would.
void write_gbk_lines(const std::filesystem::path& file, const std::vector<std::string>& lines);

class Program {
  public:
    // Starts the program from `folder`, copying it there first when it is not there yet; the
    // folder holds the settings file and the licence files.
    Program(const Desktop& desktop, const std::filesystem::path& folder);
    ~Program();  // kills the program if it still runs

    // The main window's id, once it is mapped; 0 when it does not appear in time.
    unsigned long wait_for_window(std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Its exit status, or nothing if it has not exited within the limit.
    std::optional<int> wait_for_exit(std::chrono::milliseconds limit);

  private:
    const Desktop& desktop_;
    pid_t pid_ = -1;
};

// Screen position of a point of a control given in window client coordinates; the main window
// sits at (50, 50) with no window manager.
inline int screen_x(int client_x) {
    return 50 + client_x;
}
inline int screen_y(int client_y) {
    return 50 + client_y;
}

}  // namespace textorin::testing
