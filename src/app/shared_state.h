// The state the parts of the program share for the whole life of the process. Items that
// worker threads touch are atomic or guarded by short critical sections; no lock is ever held
// while waiting for the network. The hotkey arrays are used on the user-interface thread only.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "text/text.h"

namespace textorin {

class SharedState {
  public:
    Bytes capture() const;
    void set_capture(Bytes capture);

    // Starts a recognition run: the capture buffer takes the new capture and every earlier run
    // is superseded. Returns the new run's generation.
    std::uint64_t begin_recognition(Bytes capture);
    bool is_current(std::uint64_t generation) const {
        return recognition_generation.load(std::memory_order_acquire) == generation;
    }
    // A run stores its re-encoded capture back only while it is still the newest.
    void replace_capture_if_current(std::uint64_t generation, Bytes capture);

    Text access_token() const;
    void set_access_token(Text token);

    // The recognition mode of the next run, taken from the combo box when a capture starts.
    std::atomic<int> recognition_mode{0};

    // Counts recognition runs; a run that no longer holds the newest number is superseded.
    std::atomic<std::uint64_t> recognition_generation{0};

    std::array<int, 4> hotkey_modifiers{};  // slots 1 to 4
    std::array<int, 4> hotkey_keys{};       // Windows virtual-key codes, 0 for none

  private:
    mutable std::mutex mutex_;
    Bytes capture_;
    Text access_token_;
};

}  // namespace textorin
