// kernel_objects.h — the kernel objects behind the kernel32 HANDLEs (events,
// threads, open files and file searches), their registry, the one lock that
// every wait, signal and thread end goes through, and the scheduler under the
// threads. Internal to platform/src/kernel32. One lock for all objects keeps
// the wait logic simple; the game has a handful of threads and events at most.
#pragma once

#include <windows.h>

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace layer::kernel {

struct Object {
    enum class Kind { Event, Thread, File, Find };
    explicit Object(Kind k) : kind(k) {}
    Kind kind;
    bool open = true;          // the HANDLE has not been closed
    bool signalled = false;    // events: set; threads: ended
    bool manualReset = false;  // events only
    int users = 0;             // waits in progress and a running thread's own hold
    DWORD exitCode = 0;        // threads only
    int fd = -1;               // files only: the host's descriptor, closed with the handle
    std::string path;          // files only: the host path it was opened by

    // Searches only: the names FindNextFileA has still to give, last first.
    std::vector<std::string> found;

    // Threads only: whether the thread is blocked in a wait, and on what.
    bool parked = false;
    std::vector<Object*> waitingOn;
    bool waitAll = false;
};

std::mutex& lock();

// Under lock(): the object behind an open handle, or null for a handle that
// was never made or is already closed.
Object* objectFor(HANDLE handle);
HANDLE registerObject(Object* object);
// Under lock(): frees the object once it is closed and nobody uses it.
void releaseIfUnused(Object* object);

// Under lock(): whether the wait on these objects would return now.
bool satisfied(const std::vector<Object*>& objects, bool waitAll);

// Under lock(): the threads made by CreateThread that have not ended yet.
std::vector<Object*>& runningThreads();

// The thread object of the calling thread, or null when CreateThread did not
// make it.
Object*& currentThread();

// The scheduler: system threads (scheduler_native.cpp), or, in a build
// without threads, the threads as coroutines switched to at the waits
// (scheduler_cooperative.cpp).
using Deadline = std::chrono::steady_clock::time_point;
using ThreadBody = void (*)(Object* thread, LPTHREAD_START_ROUTINE start, LPVOID parameter);
// Runs body(thread, start, parameter) on a thread of its own; false when
// none could be made.
bool startThread(Object* thread, ThreadBody body, LPTHREAD_START_ROUTINE start, LPVOID parameter);
// Under lock(), held by guard: lets the other threads run until something
// may have changed (a signal, a thread's end) or the deadline (null: none)
// has passed. False once the deadline has passed.
bool awaitChange(std::unique_lock<std::mutex>& guard, const Deadline* deadline);
// Under lock(): wakes the waits, which look again.
void announceChange();
// Sleep: the calling thread waits, the others run.
void pause(DWORD milliseconds);

}  // namespace layer::kernel
