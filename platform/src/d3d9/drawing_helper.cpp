// drawing_helper.cpp — the device's helper thread: started once, it waits
// for a part of a frame, draws it, and reports it done.
#include "d3d9/drawing_helper.h"

#include "host/host.h"

namespace layer::d3d {

DrawingHelper::~DrawingHelper()
{
    if (start_ != Start::Running) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool DrawingHelper::available()
{
    if (start_ == Start::NotAsked)
        start_ = std::thread::hardware_concurrency() >= 2 && host::current().startThread([this] { run(); }, thread_)
                     ? Start::Running
                     : Start::Refused;
    return start_ == Start::Running;
}

void DrawingHelper::share(const std::function<void()>& helperPart, const std::function<void()>& ownPart)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        job_ = &helperPart;
        failure_ = nullptr;
    }
    changed_.notify_all();
    std::exception_ptr ownFailure;
    try {
        ownPart();
    } catch (...) {
        ownFailure = std::current_exception();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return job_ == nullptr; });
    if (ownFailure) std::rethrow_exception(ownFailure);
    if (failure_) std::rethrow_exception(failure_);
}

void DrawingHelper::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return job_ != nullptr || stopping_; });
        if (stopping_) return;
        const std::function<void()>* job = job_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*job)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        job_ = nullptr;
        changed_.notify_all();
    }
}

}  // namespace layer::d3d
