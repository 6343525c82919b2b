// Destroy.h — the release idioms of the game's owning pointers: the object or
// interface goes if there is one and the pointer is left null, so that a
// second release does nothing.
#pragma once

// For objects made with new.
template <typename T> void destroy(T*& object)
{
    if (object) {
        delete object;
        object = nullptr;
    }
}

// For COM interfaces: gives back this owner's reference.
template <typename T> void release(T*& object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}
