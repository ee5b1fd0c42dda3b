#include "lsq/parallel_blocks.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

int threadCount(int workers, int blocks) {
    const int wanted =
        workers > 0 ? workers : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(wanted, 1, std::max(blocks, 1));
}

// Helper threads that wait for the next job for the whole process, so that a pass of a
// small region does not pay for starting and ending threads. One job at a time: a caller
// that finds the pool busy starts threads of its own.
class HelperPool {
  public:
    static HelperPool& instance() {
        static HelperPool pool;
        return pool;
    }

    ~HelperPool() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        for (std::thread& helper : helpers_) helper.join();
    }

    // Runs takeBlocks on the calling thread and on up to `helpers` helpers, returning when
    // all are done; false, with nothing run, when another caller has the pool. Helpers
    // join only while the job is open, so none can touch it after the return.
    bool run(int helpers, const std::function<void()>& takeBlocks) {
        {
            const std::lock_guard lock(mutex_);
            if (job_ != nullptr) return false;
            startHelpers(helpers);
            job_ = &takeBlocks;
            seats_ = helpers;
            ++generation_;
        }
        wake_.notify_all();
        takeBlocks();
        std::unique_lock lock(mutex_);
        job_ = nullptr;
        seats_ = 0;
        done_.wait(lock, [&] { return working_ == 0; });
        return true;
    }

  private:
    HelperPool() = default;

    // When the system refuses a thread, the pool makes do with the ones it has.
    void startHelpers(int wanted) {
        while (static_cast<int>(helpers_.size()) < wanted) {
            try {
                helpers_.emplace_back([this] { serve(); });
            } catch (const std::system_error&) {
                return;
            }
        }
    }

    void serve() {
        std::uint64_t seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stop_ || (job_ != nullptr && generation_ != seen); });
            if (stop_) return;
            seen = generation_;
            if (seats_ == 0) continue;
            --seats_;
            ++working_;
            const std::function<void()>* job = job_;
            lock.unlock();
            (*job)();
            lock.lock();
            if (--working_ == 0) done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::vector<std::thread> helpers_;
    const std::function<void()>* job_ = nullptr;  // the open job, if any
    int seats_ = 0;                               // helpers it still takes
    int working_ = 0;                             // helpers in it
    std::uint64_t generation_ = 0;                // counts the jobs
    bool stop_ = false;
};

void runOnOwnThreads(int helperCount, const std::function<void()>& takeBlocks) {
    std::vector<std::thread> helpers;
    for (int t = 0; t < helperCount; ++t) {
        try {
            helpers.emplace_back(takeBlocks);
        } catch (const std::system_error&) {
            break;
        }
    }
    takeBlocks();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace

void forEachBlock(int count, int block, int workers, const std::function<void(int, int)>& work) {
    if (count <= 0 || block <= 0) return;
    const int blocks = (count - 1) / block + 1;
    std::atomic<int> next{0};
    const std::function<void()> takeBlocks = [&] {
        for (int b = next.fetch_add(1); b < blocks; b = next.fetch_add(1)) {
            const int first = b * block;
            work(first, std::min(count - first, block) + first);
        }
    };
    const int helperCount = threadCount(workers, blocks) - 1;
    if (helperCount == 0) return takeBlocks();
    if (!HelperPool::instance().run(helperCount, takeBlocks))
        runOnOwnThreads(helperCount, takeBlocks);
}
