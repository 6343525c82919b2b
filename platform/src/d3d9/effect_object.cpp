// effect_object.cpp — parameter lookup and float storage of an effect.
// A handle is the parameter's name as the effect stores it, so a handle from
// GetParameterByName and a name string passed as a handle (as the game
// does) both find the parameter: first by address, then by name.
#include "effect_object.h"

#include <algorithm>
#include <cstring>

namespace layer::fx {

Effect::Effect(IDirect3DDevice9* device, EffectSource source) : device_(device), source_(std::move(source))
{
    device_->AddRef();
    for (const Parameter& parameter : source_.parameters) {
        if (parameter.hasModifier("static")) continue;  // not visible outside the effect
        slots_.push_back({parameter.name, valueShape(parameter, source_), {}});
    }
}

Effect::~Effect() { device_->Release(); }

const Effect::Slot* Effect::find(D3DXHANDLE parameter) const
{
    if (!parameter) return nullptr;
    for (const Slot& slot : slots_)
        if (slot.name.c_str() == parameter) return &slot;
    for (const Slot& slot : slots_)
        if (std::strcmp(slot.name.c_str(), parameter) == 0) return &slot;
    return nullptr;
}

D3DXHANDLE Effect::GetParameterByName(D3DXHANDLE parent, LPCSTR name)
{
    if (parent || !name) return nullptr;
    const Slot* slot = find(name);
    return slot ? slot->name.c_str() : nullptr;
}

HRESULT Effect::SetFloatArray(D3DXHANDLE parameter, const FLOAT* values, UINT count)
{
    const Slot* found = find(parameter);
    if (!found || !found->shape.numeric || (!values && count > 0)) return D3DERR_INVALIDCALL;
    Slot& slot = slots_[static_cast<size_t>(found - slots_.data())];
    // Floats beyond the parameter's size are dropped, as D3DX drops them.
    const size_t stored = slot.shape.floats == 0 ? count : std::min<size_t>(count, slot.shape.floats);
    if (slot.floats.size() < stored) slot.floats.resize(stored);
    std::copy_n(values, stored, slot.floats.begin());
    return D3D_OK;
}

const std::vector<float>* Effect::storedFloats(D3DXHANDLE parameter) const
{
    const Slot* slot = find(parameter);
    return slot ? &slot->floats : nullptr;
}

const std::vector<float>* storedFloats(ID3DXEffect* effect, D3DXHANDLE parameter)
{
    return effect ? static_cast<Effect*>(effect)->storedFloats(parameter) : nullptr;
}

}  // namespace layer::fx
