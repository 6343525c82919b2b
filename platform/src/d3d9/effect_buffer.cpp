// effect_buffer.cpp — ID3DXBuffer over a byte vector. Counts follow COM:
// AddRef and Release return the new count, the last Release frees it.
#include "effect_buffer.h"

#include <atomic>
#include <vector>

namespace layer::fx {

namespace {

class TextBuffer final : public ID3DXBuffer {
public:
    explicit TextBuffer(std::string_view text) : bytes_(text.begin(), text.end()) { bytes_.push_back('\0'); }

    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (riid != IID_IUnknown) return E_NOINTERFACE;
        AddRef();
        *object = static_cast<IUnknown*>(this);
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    LPVOID GetBufferPointer() override { return bytes_.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

private:
    ~TextBuffer() = default;

    std::atomic<ULONG> references_{1};
    std::vector<char> bytes_;
};

}  // namespace

ID3DXBuffer* createTextBuffer(std::string_view text)
{
    return new TextBuffer(text);
}

}  // namespace layer::fx
