// com_object.h — IUnknown for the layer's COM objects. AddRef and Release
// return the new count, as Windows does (the game and the texture cache read
// it); the last Release frees the object.
#pragma once

#include <windows.h>

#include <atomic>

namespace layer {

// The IUnknown answer for `self`, which is its own identity. Shared with
// objects that keep someone else's count (a texture's level surface).
inline HRESULT answerUnknown(IUnknown* self, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid != IID_IUnknown) return E_NOINTERFACE;
    self->AddRef();
    *object = self;
    return S_OK;
}

// One reference count behind every listed interface; the first is the
// object's IUnknown identity.
template <class Interface, class... More> class ComObject : public Interface, public More... {
public:
    HRESULT QueryInterface(REFIID riid, void** object) final
    {
        if (riid == IID_IUnknown) return answerUnknown(static_cast<Interface*>(this), riid, object);
        if (!object) return E_POINTER;
        *object = findInterface(riid);
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    ULONG AddRef() final { return ++references_; }

    ULONG Release() final
    {
        const ULONG left = --references_;
        released(left);
        if (left == 0) delete this;
        return left;
    }

protected:
    ComObject() = default;
    // Virtual so that the last Release frees the whole object; the interfaces'
    // own destructors are not.
    virtual ~ComObject() = default;

    // Further interfaces the object answers (null for none).
    virtual void* findInterface(REFIID /*riid*/) { return nullptr; }
    // Sees every count Release returns, before the object is freed at zero;
    // the call logs of the graphics and sound areas are written here.
    virtual void released(ULONG /*left*/) {}

private:
    // Atomic: sound buffers are added to and released from stream threads.
    std::atomic<ULONG> references_{1};
};

}  // namespace layer
