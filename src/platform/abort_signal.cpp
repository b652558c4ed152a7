#include "platform/abort_signal.h"

namespace textorin {

void AbortSignal::abort() {
    std::lock_guard lock(mutex_);
    aborted_.store(true, std::memory_order_release);
    for (const auto& wake : wakers_)
        wake();
}

AbortSignal::Subscription::Subscription(const AbortSignal& signal, Waker waker) : signal_(signal) {
    std::lock_guard lock(signal_.mutex_);
    entry_ = signal_.wakers_.insert(signal_.wakers_.end(), std::move(waker));
    if (signal_.aborted()) (*entry_)();
}

AbortSignal::Subscription::~Subscription() {
    std::lock_guard lock(signal_.mutex_);
    signal_.wakers_.erase(entry_);
}

AbortSignal& process_abort() {
    // Never destroyed: workers may still hold it while the process ends.
    static AbortSignal* signal = new AbortSignal;
    return *signal;
}

}  // namespace textorin
