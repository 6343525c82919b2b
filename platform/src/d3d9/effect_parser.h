// effect_parser.h — reads the top-level declarations of a Direct3D 9 effect
// file from memory: parameters (storage modifiers, type, name, array sizes,
// semantic, register, annotations, initialiser), samplers with their state
// blocks, struct and typedef declarations, functions (bodies skipped by
// balanced braces) and techniques with their passes and states.
// Limits: HLSL is not evaluated (initialisers, array sizes, state values and
// function bodies are kept as source text); preprocessor lines are skipped,
// so both branches of an #if are read and #include is not followed.
// Internal to platform/src/d3d9 (and the effect parser's fuzz target).
#pragma once

#include "effect_lexer.h"

#include <string>
#include <string_view>
#include <vector>

namespace layer::fx {

struct Annotation {
    std::string type;
    std::string name;
    std::string value;  // source text
};

// One "Name[index] = value;" of a pass or a sampler_state block.
struct StateAssignment {
    std::string name;
    std::string index;  // source text between the brackets, empty when none
    std::string value;  // source text
};

struct Parameter {
    std::vector<std::string> modifiers;  // static, uniform, shared, const, ...
    std::string type;                    // as written, template arguments included
    std::string name;
    std::vector<std::string> arraySizes;  // source text of each [..], outermost first
    std::string semantic;
    std::string registerBinding;  // e.g. "register(c0)"
    std::vector<Annotation> annotations;
    std::string initializer;  // source text; empty when none or a sampler_state
    bool hasSamplerState = false;
    std::vector<StateAssignment> samplerStates;
    int line = 0;

    bool hasModifier(std::string_view modifier) const;
};

struct Function {
    std::string returnType;
    std::string name;
    std::string parameters;  // source text between the parentheses
    std::string semantic;
    bool hasBody = false;
    int line = 0;
};

struct Pass {
    std::string name;
    std::vector<Annotation> annotations;
    std::vector<StateAssignment> states;
};

struct Technique {
    std::string name;
    std::vector<Annotation> annotations;
    std::vector<Pass> passes;
};

struct TypeAlias {
    std::string type;
    std::string name;
    std::vector<std::string> arraySizes;
};

struct EffectSource {
    std::vector<Parameter> parameters;  // top-level variables in file order
    std::vector<Function> functions;
    std::vector<Technique> techniques;
    std::vector<std::string> structs;
    std::vector<TypeAlias> typedefs;
    std::vector<Define> defines;
};

// False with error filled on the first syntax error. A source with no
// declaration at all (empty, or only comments and preprocessor lines) is an
// error too: it is not an effect.
bool parseEffect(std::string_view source, EffectSource& out, SyntaxError& error);

}  // namespace layer::fx
