// Global hotkeys as the program keeps them: registrations by id, each with the routine a press
// runs, on top of the platform's grab service; and the registration of the four slots with
// their button captions and failure messages.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "app/shared_state.h"
#include "app/view_port.h"

namespace textorin {

// The platform's global hotkeys: grab a combination for an id, release it.
class HotkeyBackend {
  public:
    virtual ~HotkeyBackend() = default;
    // False when the combination cannot be grabbed (another program holds it, or the keyboard
    // has no such key).
    virtual bool grab(int id, std::uint32_t modifiers, int key) = 0;
    virtual void release(int id) = 0;
};

class HotkeyTable {
  public:
    explicit HotkeyTable(HotkeyBackend& backend) : backend_(backend) {}

    // Releases the id's earlier hotkey, then registers the combination. Key code 0 is no key:
    // nothing is grabbed, and it counts as a success. A combination that another id of this
    // program already holds is refused, as the platform refuses a second registration.
    bool register_hotkey(std::uint32_t modifiers, int key, std::function<void()> routine, int id);

    // Runs the routine of the first entry with the id; false when there is none.
    bool dispatch(int id) const;

    std::size_t entries() const { return entries_.size(); }

  private:
    struct Entry {
        int id;
        std::function<void()> routine;
    };
    struct Combination {
        std::uint32_t modifiers;
        int key;
        friend bool operator==(const Combination&, const Combination&) = default;
    };

    HotkeyBackend& backend_;
    std::vector<Entry> entries_;          // appended on every success, never removed
    std::map<int, Combination> grabbed_;  // what each id holds now
};

// The routines of slots 1 to 4: region capture, coordinate capture, licence front and back.
using SlotRoutines = std::array<std::function<void()>, 4>;

// Registers the four slots from the shared hotkey arrays, in order, setting each slot's button
// caption on success and the status label to the slot's message on failure.
void register_slots(HotkeyTable& table, const SharedState& state, ViewPort& view,
                    const SlotRoutines& routines);

}  // namespace textorin
