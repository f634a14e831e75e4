#include "support/thread_beside.h"

#include <system_error>
#include <utility>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#else
#include <thread>
#endif

namespace spurwerk::gui {

#if defined(__linux__)

struct ThreadBeside::Thread {
    std::function<void()> work;
    const char* name;
    cpu_set_t everywhere;
    bool narrowed = false;
    int parentsCore = -1, firstCore = -1;
    pthread_t handle{};

    static void* Run(void* self) {
        auto* t = static_cast<Thread*>(self);
        t->firstCore = sched_getcpu();
        if (t->narrowed) pthread_setaffinity_np(pthread_self(), sizeof t->everywhere, &t->everywhere);
        pthread_setname_np(pthread_self(), t->name);
        t->work();
        return nullptr;
    }
};

ThreadBeside::ThreadBeside(const char* name, std::function<void()> work) : thread_(std::make_unique<Thread>()) {
    thread_->work = std::move(work);
    thread_->name = name;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    const int here = thread_->parentsCore = sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE && sched_getaffinity(0, sizeof thread_->everywhere, &thread_->everywhere) == 0 &&
        CPU_ISSET(here, &thread_->everywhere) && CPU_COUNT(&thread_->everywhere) > 1) {
        cpu_set_t elsewhere = thread_->everywhere;
        CPU_CLR(here, &elsewhere);
        thread_->narrowed = pthread_attr_setaffinity_np(&attributes, sizeof elsewhere, &elsewhere) == 0;
    }
    int started = pthread_create(&thread_->handle, &attributes, &Thread::Run, thread_.get());
    if (started != 0 && thread_->narrowed) {
        // Refused on those cores (a container's limits, say): anywhere then.
        thread_->narrowed = false;
        pthread_attr_destroy(&attributes);
        pthread_attr_init(&attributes);
        started = pthread_create(&thread_->handle, &attributes, &Thread::Run, thread_.get());
    }
    pthread_attr_destroy(&attributes);
    if (started != 0) throw std::system_error(started, std::generic_category(), "no thread for the work beside");
}

void ThreadBeside::Join() {
    if (!thread_) return;
    pthread_join(thread_->handle, nullptr);
    beganElsewhere_ = thread_->firstCore >= 0 && thread_->parentsCore >= 0 && thread_->firstCore != thread_->parentsCore;
    thread_.reset();
}

#else

struct ThreadBeside::Thread {
    std::thread thread;
};

ThreadBeside::ThreadBeside(const char*, std::function<void()> work) : thread_(std::make_unique<Thread>()) {
    thread_->thread = std::thread(std::move(work));
}

void ThreadBeside::Join() {
    if (thread_) thread_->thread.join();
    thread_.reset();
}

#endif

ThreadBeside::~ThreadBeside() { Join(); }

}  // namespace spurwerk::gui
