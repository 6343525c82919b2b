// effect_create.cpp — D3DXCreateEffectFromFileA: reads the file (the game's
// path spelling mapped to the host's), reads its declarations and builds the
// effect, or hands back the compiler-style message in an ID3DXBuffer.
#include "effect_buffer.h"
#include "effect_object.h"
#include "effect_parser.h"
#include "d3d9/diagnostics.h"
#include "d3d9/whole_file.h"
#include "win32/paths.h"

#include <d3dx9.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The largest effect file read at all (whole, by readWholeFile): an effect's
// source is a few kilobytes, and a file past this is not one; it is refused
// before it fills memory.
constexpr size_t LargestEffectFile = size_t{16} << 20;

void handBack(LPD3DXBUFFER* errors, const std::string& message)
{
    if (errors) *errors = layer::fx::createTextBuffer(message);
}

}  // namespace

HRESULT WINAPI D3DXCreateEffectFromFileA(LPDIRECT3DDEVICE9 device, LPCSTR file, const D3DXMACRO* defines,
                                         LPD3DXINCLUDE /*include*/, DWORD /*flags*/, LPD3DXEFFECTPOOL /*pool*/,
                                         LPD3DXEFFECT* effect, LPD3DXBUFFER* errors)
{
    if (errors) *errors = nullptr;
    layer::d3d::logCall("D3DXCreateEffectFromFileA(%s)", file ? file : "NULL");
    if (!device || !file || !effect) return D3DERR_INVALIDCALL;
    *effect = nullptr;

    std::vector<uint8_t> bytes;
    if (layer::d3d::readWholeFile(layer::hostPath(file), LargestEffectFile, bytes) != layer::d3d::WholeFile::Read) {
        handBack(errors, std::string(file) + "(1,1): error X1507: failed to open source file: '" + file + "'");
        return D3DXERR_INVALIDDATA;
    }

    const std::string source(bytes.begin(), bytes.end());
    layer::fx::EffectSource declarations;
    layer::fx::SyntaxError error;
    if (!layer::fx::parseEffect(source, declarations, error)) {
        handBack(errors, std::string(file) + "(" + std::to_string(error.line) + "," + std::to_string(error.column) +
                             "): error X3000: " + error.message);
        return E_FAIL;
    }
    // Macros given by the caller come before the file's own #defines.
    std::vector<layer::fx::Define> predefined;
    for (; defines && defines->Name; ++defines)
        predefined.push_back({defines->Name, defines->Definition ? defines->Definition : ""});
    declarations.defines.insert(declarations.defines.begin(), predefined.begin(), predefined.end());
    *effect = new layer::fx::Effect(device, std::move(declarations));
    return D3D_OK;
}
