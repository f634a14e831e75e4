#pragma once
// A thread for work beside the GUI thread at the start. A thread begun while
// its parent keeps a core busy is queued on the parent's core and, on Linux,
// waits there until the scheduler next balances its cores: about 2.5 ms on a
// two-core machine (measured), a quarter of the work the start puts beside
// itself, while the other core idles. So it is begun on the other cores, and
// once running may go anywhere again.

#include <functional>
#include <memory>

namespace spurwerk::gui {

class ThreadBeside {
public:
    // Runs `work` at once on a thread of its own, named `name` where the system
    // names threads (debuggers and profilers show it); `work` must not throw.
    // Throws std::system_error, as std::thread does, when no thread is to be had.
    ThreadBeside(const char* name, std::function<void()> work);
    // Both wait for the work to end (Join once; later calls return at once).
    ~ThreadBeside();
    void Join();
    ThreadBeside(const ThreadBeside&) = delete;
    ThreadBeside& operator=(const ThreadBeside&) = delete;

    // After Join: whether it began on another core than the one its parent
    // ran on as it began it (false on a single core, and where the system
    // tells no cores).
    bool BeganElsewhere() const { return beganElsewhere_; }

private:
    struct Thread;
    std::unique_ptr<Thread> thread_;
    bool beganElsewhere_ = false;
};

}  // namespace spurwerk::gui
