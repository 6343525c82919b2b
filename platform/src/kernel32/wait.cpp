// wait.cpp — WaitForSingleObject and WaitForMultipleObjects on events and
// threads, with a time-out in milliseconds, and the waits on the threads'
// changes that the headless host's audio and test controls use. An
// auto-reset event is reset by the wait it ends; with waitAll, only once all
// objects are signalled together.
#include "kernel32/kernel32_internal.h"
#include "kernel32/kernel_objects.h"

#include <chrono>

using namespace layer::kernel;

namespace {

constexpr DWORD MaxWaitObjects = 64;

void consume(Object* object)
{
    if (object->kind == Object::Kind::Event && !object->manualReset) object->signalled = false;
}

// The index of the object that ends the wait (0 with waitAll), or -1.
int readyIndex(const std::vector<Object*>& objects, bool waitAll)
{
    if (!satisfied(objects, waitAll)) return -1;
    if (waitAll) {
        for (Object* o : objects) consume(o);
        return 0;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->signalled) {
            consume(objects[i]);
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
    if (count == 0 || count > MaxWaitObjects || !handles) return WAIT_FAILED;
    std::unique_lock<std::mutex> guard(lock());
    std::vector<Object*> objects;
    for (DWORD i = 0; i < count; ++i) {
        Object* object = objectFor(handles[i]);
        if (!object) return WAIT_FAILED;
        objects.push_back(object);
    }
    for (Object* o : objects) ++o->users;

    Object* self = currentThread();
    if (self) {
        self->parked = true;
        self->waitingOn = objects;
        self->waitAll = waitAll != FALSE;
        announceChange();
    }
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        const int ready = readyIndex(objects, waitAll != FALSE);
        if (ready >= 0) {
            result = WAIT_OBJECT_0 + static_cast<DWORD>(ready);
            break;
        }
        if (!awaitChange(guard, milliseconds == INFINITE ? nullptr : &deadline)) {
            const int last = readyIndex(objects, waitAll != FALSE);
            if (last >= 0) result = WAIT_OBJECT_0 + static_cast<DWORD>(last);
            break;
        }
    }
    if (self) {
        self->parked = false;
        self->waitingOn.clear();
    }
    for (Object* o : objects) {
        --o->users;
        releaseIfUnused(o);
    }
    return result;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

namespace layer {

bool waitForThreads(const std::function<bool()>& holds, uint32_t timeoutMs)
{
    const kernel::Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> guard(kernel::lock());
    while (!holds())
        if (!kernel::awaitChange(guard, &deadline)) return holds();
    return true;
}

bool waitForThreadsIdle(uint32_t timeoutMs)
{
    const auto idle = [] {
        for (const kernel::Object* t : kernel::runningThreads())
            if (!t->parked || kernel::satisfied(t->waitingOn, t->waitAll)) return false;
        return true;
    };
    return waitForThreads(idle, timeoutMs);
}

}  // namespace layer
