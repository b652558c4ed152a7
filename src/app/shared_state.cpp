#include "app/shared_state.h"

namespace textorin {

Bytes SharedState::capture() const {
    std::lock_guard lock(mutex_);
    return capture_;
}

void SharedState::set_capture(Bytes capture) {
    std::lock_guard lock(mutex_);
    capture_.swap(capture);
}  // the old capture is freed here, outside the lock

std::uint64_t SharedState::begin_recognition(Bytes capture) {
    std::lock_guard lock(mutex_);
    capture_.swap(capture);
    return recognition_generation.fetch_add(1, std::memory_order_acq_rel) + 1;
}

void SharedState::replace_capture_if_current(std::uint64_t generation, Bytes capture) {
    std::lock_guard lock(mutex_);
    if (is_current(generation)) capture_.swap(capture);
}

Text SharedState::access_token() const {
    std::lock_guard lock(mutex_);
    return access_token_;
}

void SharedState::set_access_token(Text token) {
    std::lock_guard lock(mutex_);
    access_token_.swap(token);
}

}  // namespace textorin
