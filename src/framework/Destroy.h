// Destroy.h — the release idiom of the game's owning pointers: delete the
// object if there is one and leave the pointer null, so that a second
// release does nothing.
#pragma once

template <typename T>
void destroy(T*& object)
{
    if (object) {
        delete object;
        object = nullptr;
    }
}
