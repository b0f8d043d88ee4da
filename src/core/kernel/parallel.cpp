// The kernels' thread pool: workers sleep on a condition variable between
// loops; the calling thread takes chunks too, then closes the loop and waits
// only for the workers that joined it.
#include "core/kernel/parallel.h"

#include <atomic>
#include <cfenv>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvix::parallel {
namespace {

constexpr int kWatchedFlags = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

std::atomic<int> g_override{0};
std::atomic<std::int64_t> g_minWork{0};

int DefaultCount() {
    static const int count = [] {
        if (const char* s = std::getenv("QUORVIX_THREADS"); s != nullptr && *s != '\0') {
            char* end = nullptr;
            const long v = std::strtol(s, &end, 10);
            if (end != s && *end == '\0' && v > 0) return static_cast<int>(v < 256 ? v : 256);
        }
        const unsigned hw = std::thread::hardware_concurrency();
        return hw == 0 ? 1 : static_cast<int>(hw < 256 ? hw : 256);
    }();
    return count;
}

// One loop in flight. Lives on the caller's stack; workers touch it only
// between joining and leaving, both under the pool's lock.
struct Job {
    std::int64_t count = 0;
    std::int64_t chunk = 0;
    detail::ChunkFn fn = nullptr;
    void* body = nullptr;
    std::atomic<std::int64_t> next{0};              // first item not yet handed out
    std::atomic<std::int64_t> failedAt{INT64_MAX};  // lowest item range that threw
    std::mutex errorMutex;
    std::exception_ptr error;   // the exception of failedAt
    std::atomic<int> flags{0};  // fault flags of the workers

    // Takes chunks until none is left (or all left are above a failure).
    void Work() {
        for (;;) {
            const std::int64_t begin = next.fetch_add(chunk, std::memory_order_relaxed);
            if (begin >= count || begin > failedAt.load(std::memory_order_relaxed)) return;
            const std::int64_t end = begin + chunk < count ? begin + chunk : count;
            try {
                fn(body, begin, end);
            } catch (...) {
                std::lock_guard<std::mutex> lock(errorMutex);
                if (begin < failedAt.load(std::memory_order_relaxed)) {
                    failedAt.store(begin, std::memory_order_relaxed);
                    error = std::current_exception();
                }
                return;  // every chunk handed out after this one is higher
            }
        }
    }
};

class Pool {
public:
    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
            generation_.fetch_add(1, std::memory_order_release);
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    // False when another loop is running (a nested or concurrent loop).
    bool TryRun(Job& job, int threads) {
        bool idle = false;
        if (!running_.compare_exchange_strong(idle, true, std::memory_order_acquire)) return false;
        bool sleeping = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            while (static_cast<int>(threads_.size()) < threads - 1)
                threads_.emplace_back([this, id = static_cast<int>(threads_.size())] { WorkerLoop(id); });
            job_ = &job;
            helpers_ = threads - 1;
            generation_.fetch_add(1, std::memory_order_release);
            sleeping = sleepers_ > 0;
        }
        if (sleeping) wake_.notify_all();
        job.Work();
        std::unique_lock<std::mutex> lock(mutex_);
        job_ = nullptr;  // closed: a worker arriving now does not join
        left_.wait(lock, [this] { return joined_ == 0; });
        running_.store(false, std::memory_order_release);
        return true;
    }

private:
    // A worker that has just finished a loop watches for the next one for a
    // while before it sleeps: the steps of an elimination follow each other
    // within microseconds, and waking a sleeping thread can take a scheduler
    // tick on a busy machine.
    static constexpr auto kSpin = std::chrono::microseconds(50);

    void WorkerLoop(int id) {
        std::uint64_t seen = 0;
        for (;;) {
            // A short busy wait, then yielding the processor while waiting,
            // so that a machine with more runnable threads than processors
            // loses little to the watching.
            const auto until = std::chrono::steady_clock::now() + kSpin;
            int polls = 0;
            while (generation_.load(std::memory_order_acquire) == seen) {
                if (++polls < 256) {
                    Pause();
                    continue;
                }
                if (std::chrono::steady_clock::now() > until) break;
                std::this_thread::yield();
            }
            std::unique_lock<std::mutex> lock(mutex_);
            if (generation_.load(std::memory_order_relaxed) == seen) {
                ++sleepers_;
                wake_.wait(lock, [&] { return generation_.load(std::memory_order_relaxed) != seen; });
                --sleepers_;
            }
            if (stop_) return;
            seen = generation_.load(std::memory_order_relaxed);
            if (job_ == nullptr || id >= helpers_) continue;
            Job& job = *job_;
            ++joined_;
            lock.unlock();
            std::feclearexcept(kWatchedFlags);
            job.Work();
            job.flags.fetch_or(std::fetestexcept(kWatchedFlags), std::memory_order_relaxed);
            lock.lock();
            if (--joined_ == 0) left_.notify_one();
        }
    }

    static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    std::atomic<bool> running_{false};          // a loop is running (maybe this thread's own)
    std::atomic<std::uint64_t> generation_{0};  // counts loops started; written under the lock
    std::mutex mutex_;                          // guards everything below
    std::condition_variable wake_, left_;
    std::vector<std::thread> threads_;
    Job* job_ = nullptr;
    int helpers_ = 0;
    int joined_ = 0;
    int sleepers_ = 0;
    bool stop_ = false;
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

}  // namespace

int ThreadCount() {
    const int v = g_override.load(std::memory_order_relaxed);
    return v > 0 ? v : DefaultCount();
}

void SetThreadCount(int count) { g_override.store(count > 0 ? count : 0, std::memory_order_relaxed); }

std::int64_t MinParallelWork() {
    const std::int64_t v = g_minWork.load(std::memory_order_relaxed);
    return v > 0 ? v : kernel::kThreadedFromWork;
}

void SetMinParallelWork(std::int64_t work) { g_minWork.store(work > 0 ? work : 0, std::memory_order_relaxed); }

namespace detail {

void Run(std::int64_t count, std::int64_t chunk, ChunkFn fn, void* body) {
    Job job;
    job.count = count;
    job.chunk = chunk;
    job.fn = fn;
    job.body = body;
    const std::int64_t chunks = (count + chunk - 1) / chunk;
    const int threads = ThreadCount();
    if (!ThePool().TryRun(job, chunks < threads ? static_cast<int>(chunks) : threads)) {
        fn(body, 0, count);
        return;
    }
    if (const int flags = job.flags.load(std::memory_order_relaxed); flags != 0) std::feraiseexcept(flags);
    if (job.error) std::rethrow_exception(job.error);
}

}  // namespace detail
}  // namespace quorvix::parallel
