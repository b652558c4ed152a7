// A flag that aborts work waiting on the outside world, and wakes it at once.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <mutex>

namespace textorin {

class AbortSignal {
  public:
    using Waker = std::function<void()>;

    // Sets the flag and calls every registered waker. Safe from any thread, any number of times.
    void abort();
    bool aborted() const { return aborted_.load(std::memory_order_acquire); }

    // Keeps a waker registered while it lives; a waker registered after abort() runs at once.
    class Subscription {
      public:
        Subscription(const AbortSignal& signal, Waker waker);
        ~Subscription();
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

      private:
        const AbortSignal& signal_;
        std::list<Waker>::iterator entry_;
    };

  private:
    std::atomic<bool> aborted_{false};
    mutable std::mutex mutex_;
    mutable std::list<Waker> wakers_;
};

// Aborted once when the program is closing, so that no transfer holds the exit up.
AbortSignal& process_abort();

}  // namespace textorin
