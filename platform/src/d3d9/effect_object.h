// effect_object.h — the layer's ID3DXEffect: the declarations read from the
// file and, for each top-level parameter that is not static, a store of the
// floats set on it. Holds a reference to the device it was created on, as
// D3DX does. Internal to platform/src/d3d9; tests read the stored values
// through storedFloats.
#pragma once

#include "effect_parser.h"
#include "effect_shape.h"

#include "../win32/com_object.h"

#include <d3dx9effect.h>

#include <string>
#include <vector>

namespace layer::fx {

class Effect final : public layer::ComObject<ID3DXEffect> {
public:
    Effect(IDirect3DDevice9* device, EffectSource source);
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, LPCSTR name) override;
    HRESULT SetFloatArray(D3DXHANDLE parameter, const FLOAT* values, UINT count) override;

    const EffectSource& source() const { return source_; }
    const std::vector<float>* storedFloats(D3DXHANDLE parameter) const;

private:
    struct Slot {
        std::string name;  // its c_str() is the slot's handle
        ValueShape shape;
        std::vector<float> floats;
    };

    ~Effect() override;
    const Slot* find(D3DXHANDLE parameter) const;

    IDirect3DDevice9* device_;
    EffectSource source_;
    std::vector<Slot> slots_;
};

// The floats set on a parameter of an effect this layer created (by handle
// or name); null for an unknown parameter.
const std::vector<float>* storedFloats(ID3DXEffect* effect, D3DXHANDLE parameter);

}  // namespace layer::fx
