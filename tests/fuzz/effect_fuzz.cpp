// effect_fuzz.cpp — libFuzzer target for the effect file reader: any bytes
// are either read as declarations or refused with a position inside the
// text; the float sizes of whatever was read are worked out as well.
#include "platform/src/d3d9/effect_parser.h"
#include "platform/src/d3d9/effect_shape.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    layer::fx::EffectSource effect;
    layer::fx::SyntaxError error;
    if (!layer::fx::parseEffect(source, effect, error)) {
        size_t lines = 1;
        for (char c : source) lines += c == '\n';
        if (error.line < 1 || static_cast<size_t>(error.line) > lines || error.column < 1 || error.message.empty())
            __builtin_trap();
        return 0;
    }
    for (const layer::fx::Parameter& parameter : effect.parameters) {
        const layer::fx::ValueShape shape = layer::fx::valueShape(parameter, effect);
        if (!shape.numeric && shape.floats != 0) __builtin_trap();
    }
    return 0;
}
