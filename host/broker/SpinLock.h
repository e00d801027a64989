#ifndef VELMORA_HOST_BROKER_SPINLOCK_H
#define VELMORA_HOST_BROKER_SPINLOCK_H

#include <atomic>
#include <thread>

namespace vhost::broker {

// A lock for critical sections of a few dozen instructions that are taken
// on every broker call (the registry of live objects): uncontended it costs
// one atomic exchange and one store, where a mutex costs two library calls.
// A waiting thread yields instead of spinning hard, so a holder that was
// preempted gets the core back. Usable with std::lock_guard.
class SpinLock {
public:
    void lock() noexcept
    {
        while (locked_.exchange(true, std::memory_order_acquire))
            while (locked_.load(std::memory_order_relaxed))
                std::this_thread::yield();
    }

    void unlock() noexcept { locked_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> locked_{false};
};

}  // namespace vhost::broker

#endif
