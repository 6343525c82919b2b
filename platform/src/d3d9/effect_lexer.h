// effect_lexer.h — splits the text of a Direct3D 9 effect file into tokens
// for the declaration reader. Comments are dropped; preprocessor lines are
// consumed whole (the layer has no preprocessor), keeping only object-like
// #define values so that array sizes such as [MAX_LIGHTS] can be resolved.
// Tokens point into the source text, which must outlive them.
// Internal to platform/src/d3d9.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace layer::fx {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    int line = 1;
    int column = 1;
};

struct Define {
    std::string name;
    std::string value;
};

// Where and why reading stopped; message is what follows "error X3000: ".
struct SyntaxError {
    int line = 1;
    int column = 1;
    std::string message;
};

struct TokenStream {
    std::vector<Token> tokens;  // always ends with one End token
    std::vector<Define> defines;
};

bool tokenize(std::string_view source, TokenStream& out, SyntaxError& error);

}  // namespace layer::fx
