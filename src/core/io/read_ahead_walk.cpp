#include "io/read_ahead_walk.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "io/directory_walk.h"
#include "ui/errors.h"

namespace spurwerk {

namespace {

// Batches go from thread to thread whole, so locks and wake-ups are paid per
// batch, not per file.
constexpr std::size_t BatchFiles = 64;
// Batches listed ahead of the calling thread: the memory stays flat on a card
// of any size. A lister that waits for room goes on at half of it.
constexpr std::size_t MaxBatchesAhead = 6;

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

// Thrown on the lister's thread to unwind the walk when the caller stopped.
struct StopListing {};

// The state the threads share; every member below the mutex only under it.
class Pipeline {
public:
    Pipeline(ReadAheadVisitor& visitor, int workers) : visitor_(visitor), workers_(workers) {}

    void Run(const std::string& root);

private:
    // The lister: the serial walk, its calls turned into events.
    class Lister : public DirectoryVisitor {
    public:
        explicit Lister(Pipeline& pipeline) : pipeline_(pipeline) {}

        void EnterDirectory(const std::string& dir) override {
            if (pipeline_.stop_.load(std::memory_order_relaxed)) throw StopListing();
            batch_->dirs.push_back(dir);
            batch_->events.push_back({WalkEvent::Kind::Enter, DirIndex(), {}, {}});
        }
        void VisitFile(const std::string& dir, const std::string& name) override {
            if (pipeline_.stop_.load(std::memory_order_relaxed)) throw StopListing();
            if (batch_->dirs.empty() || batch_->dirs.back() != dir) batch_->dirs.push_back(dir);
            batch_->events.push_back({WalkEvent::Kind::File, DirIndex(), name, {}});
            if (++batch_->files >= BatchFiles) Flush();
        }
        void ReportEntryError(std::string message) override {
            batch_->events.push_back({WalkEvent::Kind::Error, 0, std::move(message), {}});
        }
        void Flush() {
            if (batch_->events.empty()) return;
            pipeline_.Push(std::move(batch_));
            batch_ = std::make_unique<Batch>();
        }

    private:
        std::uint32_t DirIndex() const { return static_cast<std::uint32_t>(batch_->dirs.size() - 1); }

        Pipeline& pipeline_;
        std::unique_ptr<Batch> batch_ = std::make_unique<Batch>();
    };

    void List(const std::string& root);
    void Push(std::unique_ptr<Batch> batch);
    void Work(int slot);
    void ReadBatch(Batch& batch, int slot);
    void Visit(Batch& batch);
    Batch* FirstUntaken();
    void Stop();

    ReadAheadVisitor& visitor_;
    const int workers_;
    std::atomic<bool> stop_{false};

    std::mutex mutex_;
    std::condition_variable listerWakes_, workerWakes_, callerWakes_;
    std::deque<std::unique_ptr<Batch>> batches_;  // in walk order; the front is the caller's next
    bool listingEnded_ = false;
    std::exception_ptr listingFailure_;  // after every listed entry, as the serial walk throws it
    bool listerWaits_ = false, callerWaits_ = false;
    int idleWorkers_ = 0;
};

void Pipeline::List(const std::string& root) {
    Lister lister(*this);
    std::exception_ptr failure;
    try {
        WalkDirectory(root, lister);
    } catch (const StopListing&) {
        return;
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        lister.Flush();
    } catch (const StopListing&) {
        return;
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(mutex_);
    listingEnded_ = true;
    listingFailure_ = failure;
    workerWakes_.notify_all();
    callerWakes_.notify_one();
}

void Pipeline::Push(std::unique_ptr<Batch> batch) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (batches_.size() >= MaxBatchesAhead) {
        listerWaits_ = true;
        listerWakes_.wait(lock, [&] { return stop_ || batches_.size() <= MaxBatchesAhead / 2; });
        listerWaits_ = false;
    }
    if (stop_) throw StopListing();
    batches_.push_back(std::move(batch));
    // The caller reads a batch at the front itself rather than wait for it.
    if (callerWaits_ && batches_.size() == 1)
        callerWakes_.notify_one();
    else if (idleWorkers_ > 0)
        workerWakes_.notify_one();
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
            workerWakes_.wait(lock, [&] { return stop_ || (batch = FirstUntaken()) != nullptr || listingEnded_; });
            --idleWorkers_;
            if (stop_ || !batch) return;
            batch->taken = true;
        }
        ReadBatch(*batch, slot);
        std::lock_guard<std::mutex> lock(mutex_);
        batch->read = true;
        if (callerWaits_ && batch == batches_.front().get()) callerWakes_.notify_one();
    }
}

// The serial walk's handling of each event, on the calling thread.
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

void Pipeline::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    listerWakes_.notify_all();
    workerWakes_.notify_all();
}

void Pipeline::Run(const std::string& root) {
    std::vector<std::thread> threads;
    struct Joiner {
        Pipeline& pipeline;
        std::vector<std::thread>& threads;
        ~Joiner() {
            pipeline.Stop();
            for (std::thread& thread : threads) thread.join();
        }
    } joiner{*this, threads};
    threads.emplace_back([this, &root] { List(root); });
    for (int slot = 0; slot < workers_; ++slot) {
        try {
            threads.emplace_back([this, slot] { Work(slot); });
        } catch (const std::system_error&) {
            break;  // fewer readers, the same result: the calling thread reads what no worker takes
        }
    }

    for (;;) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            callerWaits_ = true;
            callerWakes_.wait(lock, [&] {
                return batches_.empty() ? listingEnded_ : batches_.front()->read || !batches_.front()->taken;
            });
            callerWaits_ = false;
            if (batches_.empty()) {
                if (listingFailure_) std::rethrow_exception(listingFailure_);
                return;
            }
            batch = std::move(batches_.front());
            batches_.pop_front();
            if (listerWaits_ && batches_.size() <= MaxBatchesAhead / 2) listerWakes_.notify_one();
        }
        if (!batch->taken) ReadBatch(*batch, workers_);
        Visit(*batch);
    }
}

}  // namespace

void WalkDirectoryReadingAhead(const std::string& dir, ReadAheadVisitor& visitor, int workers) {
    Pipeline(visitor, workers < 0 ? 0 : workers).Run(dir);
}

}  // namespace spurwerk
