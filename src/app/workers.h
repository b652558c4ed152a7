// Worker threads the user-interface thread starts and never joins: each runs one job and ends.
// The count of jobs still running lets tests (and nothing else) wait for them.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace textorin {

class Workers {
  public:
    void spawn(std::function<void()> job);
    void wait_idle();

  private:
    // Shared with the threads, so that a thread may finish touching it after a waiter has seen
    // the count drop to zero and gone.
    struct Count {
        std::mutex mutex;
        std::condition_variable idle;
        int running = 0;
    };
    std::shared_ptr<Count> count_ = std::make_shared<Count>();
};

}  // namespace textorin
