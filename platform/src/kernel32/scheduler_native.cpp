// scheduler_native.cpp — the kernel's scheduler on the system's threads: each
// thread CreateThread makes is a detached std::thread, and a wait sleeps on
// the one condition that every signal and thread end notifies.
#include "kernel32/kernel_objects.h"

#include <condition_variable>
#include <system_error>
#include <thread>

namespace layer::kernel {

namespace {

std::condition_variable& changed()
{
    static auto* cv = new std::condition_variable;
    return *cv;
}

}  // namespace

bool startThread(Object* thread, ThreadBody body, LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    try {
        std::thread(body, thread, start, parameter).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

bool awaitChange(std::unique_lock<std::mutex>& guard, const Deadline* deadline)
{
    if (!deadline) {
        changed().wait(guard);
        return true;
    }
    return changed().wait_until(guard, *deadline) == std::cv_status::no_timeout;
}

void announceChange() { changed().notify_all(); }

void pause(DWORD milliseconds)
{
    if (milliseconds == 0) std::this_thread::yield();
    else std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace layer::kernel
