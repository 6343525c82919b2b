// threads.cpp — Win32 threads on the kernel's scheduler (kernel_objects.h):
// CreateThread (default stack, run at once), ExitThread, Sleep; and
// GetCurrentProcessId. A thread handle is signalled when its thread ends; the
// thread's record lives until both the thread has ended and its handle is
// closed. ExitThread unwinds the calling thread's stack back to its start
// routine, so destructors run and nothing leaks; on a thread that
// CreateThread did not make it ends the thread through pthread_exit.
#include "host/host.h"
#include "kernel32/kernel_objects.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

using namespace layer::kernel;

namespace {

// Thrown by ExitThread, caught only by the start routine wrapper.
struct ThreadExit {
    DWORD code;
};

std::atomic<DWORD> nextThreadId{1000};

void finish(Object* thread, DWORD code)
{
    std::lock_guard<std::mutex> guard(lock());
    thread->exitCode = code;
    thread->signalled = true;
    auto& running = runningThreads();
    running.erase(std::remove(running.begin(), running.end(), thread), running.end());
    --thread->users;
    announceChange();
    releaseIfUnused(thread);
}

void run(Object* thread, LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    currentThread() = thread;
    DWORD code = 0;
    try {
        code = start(parameter);
    } catch (const ThreadExit& exit) {
        code = exit.code;
    }
    currentThread() = nullptr;
    finish(thread, code);
}

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES /*attributes*/, SIZE_T /*stackSize*/, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId)
{
    if (!start || creationFlags != 0) {
        OutputDebugStringA("CreateThread: only threads that run at once are supported\n");
        return nullptr;
    }
    auto* thread = new Object(Object::Kind::Thread);
    thread->users = 1;  // the running thread's own hold
    HANDLE handle;
    {
        std::lock_guard<std::mutex> guard(lock());
        handle = registerObject(thread);
        runningThreads().push_back(thread);
    }
    if (!startThread(thread, run, start, parameter)) {
        OutputDebugStringA("CreateThread: the system refused a new thread\n");
        std::lock_guard<std::mutex> guard(lock());
        auto& running = runningThreads();
        running.erase(std::remove(running.begin(), running.end(), thread), running.end());
        thread->users = 0;
        thread->open = false;
        releaseIfUnused(thread);
        return nullptr;
    }
    if (threadId) *threadId = nextThreadId++;
    return handle;
}

void ExitThread(DWORD exitCode)
{
    if (currentThread()) throw ThreadExit{exitCode};
    pthread_exit(nullptr);
}

void Sleep(DWORD milliseconds) { pause(milliseconds); }

DWORD GetCurrentProcessId() { return layer::host::current().processId(); }
