// kernel_objects.cpp — the registry of kernel objects and the shared lock.
// They are never destroyed: a thread that has just counted itself out may
// still be finishing while the process exits.
#include "kernel32/kernel_objects.h"

#include <algorithm>
#include <unordered_set>

namespace layer::kernel {

namespace {

std::unordered_set<Object*>& registry()
{
    static auto* objects = new std::unordered_set<Object*>;
    return *objects;
}

}  // namespace

std::mutex& lock()
{
    static auto* m = new std::mutex;
    return *m;
}

Object* objectFor(HANDLE handle)
{
    auto* object = static_cast<Object*>(handle);
    if (!object || !registry().count(object) || !object->open) return nullptr;
    return object;
}

HANDLE registerObject(Object* object)
{
    registry().insert(object);
    return object;
}

void releaseIfUnused(Object* object)
{
    if (object->open || object->users > 0) return;
    registry().erase(object);
    delete object;
}

bool satisfied(const std::vector<Object*>& objects, bool waitAll)
{
    if (waitAll) return std::all_of(objects.begin(), objects.end(), [](const Object* o) { return o->signalled; });
    return std::any_of(objects.begin(), objects.end(), [](const Object* o) { return o->signalled; });
}

std::vector<Object*>& runningThreads()
{
    static auto* threads = new std::vector<Object*>;
    return *threads;
}

Object*& currentThread()
{
    thread_local Object* self = nullptr;
    return self;
}

}  // namespace layer::kernel
