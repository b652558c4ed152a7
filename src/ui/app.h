// The program: the shared state, the settings, the services and the main window, wired
// together in the order of start-up, and the handlers of the main window's own controls.
#pragma once

#include <filesystem>
#include <functional>

#include "app/service_config.h"
#include "app/settings_file.h"
#include "app/shared_state.h"
#include "app/workers.h"
#include "hotkeys/hotkey_table.h"
#include "platform/global_hotkeys.h"
#include "services/recognition.h"
#include "ui/capture/capture_flow.h"
#include "ui/licence_table_view.h"
#include "ui/main_window.h"
#include "ui/window_port.h"

namespace textorin {

class App {
  public:
    // `data_dir` holds the settings file and the licence files.
    explicit App(const std::filesystem::path& data_dir);
    ~App();  // aborts what is under way and waits for the workers (the program leaves earlier)
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The main window's creation handler: the token, F4 and notice threads, then the settings
    // load and the licence table, on this thread, while those threads run.
    void start();

    // Blocks until every worker has ended (tests).
    void wait_idle();

    MainWindow& window() { return window_; }
    ViewPort& port() { return port_; }
    SharedState& state() { return state_; }
    const SettingsFile& settings() const { return settings_; }
    CaptureFlow& captures() { return captures_; }

    // The capture operations of the buttons, which the hotkeys run too.
    void region_capture();
    void coordinate_capture();
    void licence_capture(bool front);

    LicenceTableView& licence_table() { return licence_table_; }
    // Writes the licence table to a CSV file; false when it cannot be written.
    bool export_licence_table(const std::filesystem::path& file) const;

    // Registers the four hotkey slots from the shared arrays.
    void register_hotkeys();
    GlobalHotkeys& hotkeys() { return *hotkeys_; }
    static constexpr int kF4Id = 100;  // apart from the slot ids 1 to 4

  private:
    void connect_handlers();
    void convert_symbols(bool full_width);

    void register_f4();
    void open_hotkey_dialog();
    void setup_licence_table();

    std::filesystem::path data_dir_;
    SharedState state_;
    SettingsFile settings_;
    ServiceConfig services_;
    AbortSignal abort_;  // ends every transfer of the workers below
    MainWindow window_;
    WindowPort port_{window_};
    Recognizer recognizer_;
    CaptureFlow captures_{window_, port_, state_, recognizer_};
    LicenceTableView licence_table_{window_.licence_table, window_.cell_editor};
    std::unique_ptr<GlobalHotkeys> hotkeys_;
    HotkeyTable hotkey_table_;
    Workers workers_;
    bool restoring_ = false;  // while the settings load sets the controls
};

}  // namespace textorin
