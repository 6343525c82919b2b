// events.cpp — Win32 events (CreateEventA, SetEvent, ResetEvent) and
// CloseHandle for every kernel object (a file's descriptor closes with it;
// a search closes with FindClose).
// Named events are not supported: a name is refused, as no caller shares
// events between processes.
#include "kernel32/kernel_objects.h"

#include <unistd.h>

using namespace layer::kernel;

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES /*attributes*/, BOOL manualReset, BOOL initialState, LPCSTR name)
{
    if (name) {
        OutputDebugStringA("CreateEventA: named events are not supported\n");
        return nullptr;
    }
    auto* event = new Object(Object::Kind::Event);
    event->manualReset = manualReset != FALSE;
    event->signalled = initialState != FALSE;
    std::lock_guard<std::mutex> guard(lock());
    return registerObject(event);
}

BOOL SetEvent(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(lock());
    Object* event = objectFor(handle);
    if (!event || event->kind != Object::Kind::Event) return FALSE;
    event->signalled = true;
    announceChange();
    return TRUE;
}

BOOL ResetEvent(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(lock());
    Object* event = objectFor(handle);
    if (!event || event->kind != Object::Kind::Event) return FALSE;
    event->signalled = false;
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    std::lock_guard<std::mutex> guard(lock());
    Object* object = objectFor(handle);
    if (!object) {
        OutputDebugStringA("CloseHandle: not an open handle\n");
        return FALSE;
    }
    object->open = false;
    if (object->kind == Object::Kind::File) close(object->fd);
    releaseIfUnused(object);
    return TRUE;
}
