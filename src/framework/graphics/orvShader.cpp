// orvShader.cpp — loading an effect file into an orvShader. Compiler
// messages go to the debug trace, cut to 2000 characters; a name whose path
// would not fit 260 characters is refused with a message rather than cut
// (a cut path would name some other file).
#include "framework/graphics/orvShader.h"

#include "framework/Destroy.h"
#include "framework/graphics/orvGraphics.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

orvShader* Shader3DEx = nullptr;
orvShader* Shader2D = nullptr;

namespace {

constexpr size_t pathCapacity = 260;
constexpr size_t messageCapacity = 2000;

void traceErrors(const char* text, size_t length)
{
    char message[messageCapacity];
    std::snprintf(message, sizeof message, "\terrors: %.*s\n", static_cast<int>(std::min(length, sizeof message)),
                  text);
    OutputDebugStringA(message);
}

}  // namespace

orvShader::orvShader(const char* fileName) : effect(nullptr), projectionParam(nullptr), textureParam(nullptr)
{
    if (!fileName) return;
    const size_t length = std::strlen(fileName);
    const bool hasExtension = length >= 3 && fileName[length - 3] == '.';
    char path[pathCapacity];
    const int written = std::snprintf(path, sizeof path, hasExtension ? "%s" : "%s.fx", fileName);
    if (written < 0 || static_cast<size_t>(written) >= sizeof path) {
        const std::string refusal = std::string("effect file name too long: ") + fileName;
        traceErrors(refusal.c_str(), refusal.size());
        return;
    }

    ID3DXBuffer* errors = nullptr;
    const HRESULT result = D3DXCreateEffectFromFileA(Device, path, NULL, NULL, 0, NULL, &effect, &errors);
    if (FAILED(result)) {
        effect = nullptr;
        if (errors && errors->GetBufferSize() > 0) {
            const char* text = static_cast<const char*>(errors->GetBufferPointer());
            const size_t textLength = strnlen(text, errors->GetBufferSize());
            if (textLength > 0) traceErrors(text, textLength);
        }
    } else {
        projectionParam = effect->GetParameterByName(NULL, "Projection");
        textureParam = effect->GetParameterByName(NULL, "Texture");
    }
    release(errors);
}

orvShader::~orvShader() { release(effect); }
