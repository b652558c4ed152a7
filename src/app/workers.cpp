#include "app/workers.h"

#include <thread>

namespace textorin {

void Workers::spawn(std::function<void()> job) {
    {
        std::lock_guard lock(count_->mutex);
        ++count_->running;
    }
    std::thread([count = count_, job = std::move(job)] {
        job();
        std::lock_guard lock(count->mutex);
        if (--count->running == 0) count->idle.notify_all();
    }).detach();
}

void Workers::wait_idle() {
    std::unique_lock lock(count_->mutex);
    count_->idle.wait(lock, [this] { return count_->running == 0; });
}

}  // namespace textorin
