#include "io/read_ahead_walk.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "io/directory_walk.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

// Batches go from thread to thread whole, so locks and wake-ups are paid per
// batch, not per file.
constexpr std::size_t BatchFiles = 64;
// Batches listed ahead of the visits: the memory stays flat on a card of any
// size.
constexpr std::size_t MaxBatchesAhead = 6;
// The workers start after this many slow reads during which the thread
// waited (for the disk, not for a core another program held).
constexpr int SlowReadsBeforeWorkers = 3;

// Whether the calling thread went to sleep since the last call (true where
// that is unknown); a turn lost to another thread is no sleep of its own.
bool ThreadSlept(long& sleepsBefore) {
#ifdef RUSAGE_THREAD
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) != 0) return true;
    const bool slept = usage.ru_nvcsw > sleepsBefore;
    sleepsBefore = usage.ru_nvcsw;
    return slept;
#else
    (void)sleepsBefore;
    return true;
#endif
}

struct WalkEvent {
    enum class Kind { Enter, File, Error } kind;
    std::uint32_t dir = 0;  // index into Batch::dirs
    std::string text;       // the file's name, or the error's message
    ReadResult read;
};

struct Batch {
    std::vector<std::string> dirs;
    std::vector<WalkEvent> events;
    std::size_t files = 0;
    bool taken = false;  // a worker reads it
    bool read = false;
};

// The serial walk on the calling thread, its calls passed on to the visitor
// as they come while the reads are quick. Once they are slow, the calls are
// collected into batches instead: workers read them, and the calling thread
// visits each batch in order between listing folders.
class Pipeline : public DirectoryVisitor {
public:
    Pipeline(ReadAheadVisitor& visitor, int workers, std::chrono::microseconds slowRead)
        : visitor_(visitor), workers_(workers), slowRead_(slowRead) {}
    ~Pipeline() override { StopWorkers(); }

    void Run(const std::string& root);

    void EnterDirectory(const std::string& dir) override;
    void VisitFile(const std::string& dir, const std::string& name) override;
    void ReportEntryError(std::string message) override;

private:
    void StartWorkers();
    void StopWorkers();
    void Work(int slot);
    void ReadBatch(Batch& batch, int slot);
    void Push();
    bool VisitFront(bool wait);
    void Visit(Batch& batch);
    Batch* FirstUntaken();
    std::uint32_t DirIndex() const { return static_cast<std::uint32_t>(batch_->dirs.size() - 1); }

    ReadAheadVisitor& visitor_;
    const int workers_;
    const std::chrono::microseconds slowRead_;
    int slowReads_ = 0;
    long sleepsBefore_ = 0;
    bool batching_ = false;
    std::unique_ptr<Batch> batch_;  // being listed
    std::vector<std::thread> threads_;
    std::atomic<bool> stop_{false};

    std::mutex mutex_;
    std::condition_variable workerWakes_, callerWakes_;
    std::deque<std::unique_ptr<Batch>> batches_;  // listed, in walk order; the front is visited next
    bool callerWaits_ = false;
    int idleWorkers_ = 0;
};

void Pipeline::StartWorkers() {
    batching_ = true;
    batch_ = std::make_unique<Batch>();
    for (int slot = 0; slot < workers_; ++slot) {
        try {
            threads_.emplace_back([this, slot] { Work(slot); });
        } catch (const std::system_error&) {
            break;  // fewer readers, the same result: the calling thread reads what no worker takes
        }
    }
}

void Pipeline::StopWorkers() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    workerWakes_.notify_all();
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
}

void Pipeline::EnterDirectory(const std::string& dir) {
    if (!batching_) return visitor_.EnterDirectory(dir);
    batch_->dirs.push_back(dir);
    batch_->events.push_back({WalkEvent::Kind::Enter, DirIndex(), {}, {}});
}

void Pipeline::VisitFile(const std::string& dir, const std::string& name) {
    if (!batching_) {
        ReadResult read;
        const auto start = std::chrono::steady_clock::now();
        try {
            read.value = visitor_.ReadFile(dir, name, workers_);
        } catch (...) {
            read.error = std::current_exception();
        }
        if (std::chrono::steady_clock::now() - start >= slowRead_ && ThreadSlept(sleepsBefore_) &&
            ++slowReads_ >= SlowReadsBeforeWorkers)
            StartWorkers();
        return visitor_.VisitFile(dir, name, read);  // the walk takes its FileError as an entry error
    }
    if (batch_->dirs.empty() || batch_->dirs.back() != dir) batch_->dirs.push_back(dir);
    batch_->events.push_back({WalkEvent::Kind::File, DirIndex(), name, {}});
    if (++batch_->files >= BatchFiles) Push();
}

void Pipeline::ReportEntryError(std::string message) {
    if (!batching_) return visitor_.entryErrors.push_back(std::move(message));
    batch_->events.push_back({WalkEvent::Kind::Error, 0, std::move(message), {}});
}

// Hands the batch being listed to the readers, then visits what is read; with
// the most batches ahead, it waits for (or reads) the next one.
void Pipeline::Push() {
    if (!batch_->events.empty()) {
        std::lock_guard<std::mutex> lock(mutex_);
        batches_.push_back(std::move(batch_));
        if (idleWorkers_ > 0) workerWakes_.notify_one();
    }
    batch_ = std::make_unique<Batch>();
    while (VisitFront(false)) {
    }
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (batches_.size() < MaxBatchesAhead) return;
        }
        VisitFront(true);
    }
}

// Visits the front batch when it is read; with `wait`, in any case (reading
// it here when no worker took it). False when there was none to visit.
bool Pipeline::VisitFront(bool wait) {
    std::unique_ptr<Batch> batch;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (batches_.empty()) return false;
        Batch& front = *batches_.front();
        if (!front.read && (!wait || front.taken)) {
            if (!wait) return false;
            callerWaits_ = true;
            callerWakes_.wait(lock, [&] { return front.read; });
            callerWaits_ = false;
        }
        batch = std::move(batches_.front());
        batches_.pop_front();
    }
    if (!batch->read) ReadBatch(*batch, workers_);
    Visit(*batch);
    return true;
}

Batch* Pipeline::FirstUntaken() {
    for (auto& batch : batches_)
        if (!batch->taken) return batch.get();
    return nullptr;
}

void Pipeline::ReadBatch(Batch& batch, int slot) {
    for (WalkEvent& event : batch.events) {
        if (event.kind != WalkEvent::Kind::File) continue;
        if (stop_.load(std::memory_order_relaxed)) return;
        try {
            event.read.value = visitor_.ReadFile(batch.dirs[event.dir], event.text, slot);
        } catch (...) {
            event.read.error = std::current_exception();
        }
    }
}

void Pipeline::Work(int slot) {
    for (;;) {
        Batch* batch = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ++idleWorkers_;
            workerWakes_.wait(lock, [&] { return stop_ || (batch = FirstUntaken()) != nullptr; });
            --idleWorkers_;
            if (stop_) return;
            batch->taken = true;
        }
        ReadBatch(*batch, slot);
        std::lock_guard<std::mutex> lock(mutex_);
        batch->read = true;
        if (callerWaits_ && batch == batches_.front().get()) callerWakes_.notify_one();
    }
}

// The serial walk's handling of each event.
void Pipeline::Visit(Batch& batch) {
    for (WalkEvent& event : batch.events) {
        switch (event.kind) {
            case WalkEvent::Kind::Enter: visitor_.EnterDirectory(batch.dirs[event.dir]); break;
            case WalkEvent::Kind::File:
                try {
                    visitor_.VisitFile(batch.dirs[event.dir], event.text, event.read);
                } catch (const FileError& error) {
                    visitor_.entryErrors.push_back(error.what());
                }
                break;
            case WalkEvent::Kind::Error: visitor_.entryErrors.push_back(std::move(event.text)); break;
        }
    }
}

void Pipeline::Run(const std::string& root) {
    if (slowRead_.count() <= 0) StartWorkers();
    ThreadSlept(sleepsBefore_);
    // A folder that cannot be listed ends the walk after the entries listed
    // before it are visited; the visits' own FileErrors never get this far.
    std::exception_ptr listingFailure;
    try {
        WalkDirectory(root, *this);
    } catch (const FileError&) {
        if (!batching_) throw;
        listingFailure = std::current_exception();
    }
    if (batching_) {
        Push();
        while (VisitFront(true)) {
        }
    }
    if (listingFailure) std::rethrow_exception(listingFailure);
}

}  // namespace

void WalkDirectoryReadingAhead(const std::string& dir, ReadAheadVisitor& visitor, int workers,
                               std::chrono::microseconds slowRead) {
    Pipeline(visitor, workers < 0 ? 0 : workers, slowRead).Run(dir);
}

}  // namespace spurwerk
