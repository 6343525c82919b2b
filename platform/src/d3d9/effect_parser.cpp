// effect_parser.cpp — recursive reader of an effect file's top-level
// declarations over the token stream. Nesting inside values and bodies is
// followed with an explicit bracket stack, so deeply nested input cannot
// exhaust the call stack; the grammar's own recursion is fixed (technique,
// pass, state).
#include "effect_parser.h"

#include <algorithm>
#include <array>

namespace layer::fx {

bool Parameter::hasModifier(std::string_view modifier) const
{
    return std::find(modifiers.begin(), modifiers.end(), modifier) != modifiers.end();
}

namespace {

constexpr std::array<std::string_view, 18> storageModifiers = {
    "static",    "uniform",       "extern",   "shared",          "volatile", "const",
    "row_major", "column_major",  "inline",   "nointerpolation", "precise",  "linear",
    "centroid",  "noperspective", "unsigned", "snorm",           "unorm",    "groupshared"};

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

bool isModifier(std::string_view word)
{
    return std::find(storageModifiers.begin(), storageModifiers.end(), word) != storageModifiers.end();
}

struct ParseFailure {
    SyntaxError error;
};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, EffectSource& out) : tokens_(tokens), out_(out) {}

    void file()
    {
        bool declared = false;
        while (peek().kind != TokenKind::End) {
            if (isPunct(peek(), ';')) {
                ++pos_;
                continue;
            }
            topLevel();
            declared = true;
        }
        if (!declared) unexpected(peek());
    }

private:
    const Token& peek(size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
    const Token& next()
    {
        const Token& token = peek();
        if (token.kind != TokenKind::End) ++pos_;
        return token;
    }

    static bool isPunct(const Token& token, char c)
    {
        return token.kind == TokenKind::Punct && token.text.size() == 1 && token.text[0] == c;
    }
    static bool isWord(const Token& token, std::string_view word)
    {
        return token.kind == TokenKind::Identifier && token.text == word;
    }
    static bool isKeyword(const Token& token, std::string_view keyword)
    {
        return token.kind == TokenKind::Identifier && equalsNoCase(token.text, keyword);
    }

    [[noreturn]] static void unexpected(const Token& token)
    {
        SyntaxError error{token.line, token.column, {}};
        if (token.kind == TokenKind::End) error.message = "syntax error: unexpected end of file";
        else error.message = "syntax error: unexpected token '" + std::string(token.text) + "'";
        throw ParseFailure{std::move(error)};
    }

    void expect(char c)
    {
        if (!isPunct(peek(), c)) unexpected(peek());
        ++pos_;
    }

    std::string identifier()
    {
        if (peek().kind != TokenKind::Identifier) unexpected(peek());
        return std::string(next().text);
    }

    // Source text from token first to token last, both included.
    std::string textBetween(size_t first, size_t last) const
    {
        const char* begin = tokens_[first].text.data();
        const char* end = tokens_[last].text.data() + tokens_[last].text.size();
        return std::string(begin, static_cast<size_t>(end - begin));
    }

    // Consumes tokens up to (not including) a stop character at nesting depth
    // 0, or a closing bracket that belongs to the caller. Brackets inside must
    // pair up. Returns the source text; empty when nothing was consumed.
    std::string balancedUntil(std::string_view stops)
    {
        std::vector<char> open;
        const size_t first = pos_;
        while (true) {
            const Token& token = peek();
            if (token.kind == TokenKind::End) break;
            if (token.kind == TokenKind::Punct) {
                const char c = token.text[0];
                if (open.empty() && stops.find(c) != std::string_view::npos) break;
                if (c == '(' || c == '[' || c == '{') {
                    open.push_back(c == '(' ? ')' : c == '[' ? ']' : '}');
                } else if (c == ')' || c == ']' || c == '}') {
                    if (open.empty()) break;
                    if (open.back() != c) unexpected(token);
                    open.pop_back();
                }
            }
            ++pos_;
        }
        if (!open.empty()) unexpected(peek());
        if (pos_ == first) return {};
        return textBetween(first, pos_ - 1);
    }

    // A bracketed group: the opening character is next; returns the text
    // inside and consumes the closing one.
    std::string group(char openChar, char closeChar)
    {
        expect(openChar);
        std::string inside = balancedUntil(std::string_view(&closeChar, 1));
        expect(closeChar);
        return inside;
    }

    std::string valueUntil(std::string_view stops)
    {
        if (peek().kind == TokenKind::Punct && stops.find(peek().text[0]) != std::string_view::npos) unexpected(peek());
        std::string value = balancedUntil(stops);
        if (value.empty()) unexpected(peek());
        return value;
    }

    void topLevel()
    {
        const Token& token = peek();
        if (token.kind != TokenKind::Identifier) unexpected(token);
        if (isKeyword(token, "technique")) technique();
        else if (isWord(token, "typedef")) typeAlias();
        else declaration();
    }

    void technique()
    {
        ++pos_;
        Technique parsed;
        if (peek().kind == TokenKind::Identifier) parsed.name = identifier();
        if (isPunct(peek(), '<')) parsed.annotations = annotations();
        expect('{');
        while (!isPunct(peek(), '}')) {
            if (!isKeyword(peek(), "pass")) unexpected(peek());
            parsed.passes.push_back(pass());
        }
        expect('}');
        out_.techniques.push_back(std::move(parsed));
    }

    Pass pass()
    {
        ++pos_;
        Pass parsed;
        if (peek().kind == TokenKind::Identifier) parsed.name = identifier();
        if (isPunct(peek(), '<')) parsed.annotations = annotations();
        expect('{');
        parsed.states = stateBlock();
        expect('}');
        return parsed;
    }

    // "Name[index] = value;" up to the closing brace, which stays next.
    std::vector<StateAssignment> stateBlock()
    {
        std::vector<StateAssignment> states;
        while (!isPunct(peek(), '}')) {
            StateAssignment state;
            state.name = identifier();
            if (isPunct(peek(), '[')) state.index = group('[', ']');
            expect('=');
            state.value = valueUntil(";");
            expect(';');
            states.push_back(std::move(state));
        }
        return states;
    }

    // "< type name = value; ... >"
    std::vector<Annotation> annotations()
    {
        std::vector<Annotation> list;
        expect('<');
        while (!isPunct(peek(), '>')) {
            Annotation annotation;
            while (peek().kind == TokenKind::Identifier && isModifier(peek().text)) ++pos_;
            annotation.type = typeName();
            annotation.name = identifier();
            while (isPunct(peek(), '[')) group('[', ']');
            expect('=');
            annotation.value = valueUntil(";");
            expect(';');
            list.push_back(std::move(annotation));
        }
        expect('>');
        return list;
    }

    // A type name with its template arguments, as in vector<float, 3>. The
    // variable's name must follow, so a '<' right after the type opens
    // template arguments, never annotations.
    std::string typeName()
    {
        const size_t first = pos_;
        identifier();
        if (isPunct(peek(), '<')) {
            int depth = 0;
            do {
                const Token& token = next();
                if (token.kind == TokenKind::End || isPunct(token, ';') || isPunct(token, '{')) unexpected(token);
                if (isPunct(token, '<')) ++depth;
                if (isPunct(token, '>')) --depth;
            } while (depth > 0);
        }
        return textBetween(first, pos_ - 1);
    }

    std::vector<std::string> modifiers()
    {
        std::vector<std::string> list;
        while (peek().kind == TokenKind::Identifier && isModifier(peek().text)) list.emplace_back(next().text);
        return list;
    }

    // The type of a declaration: a plain or template type, or a struct,
    // either named ("struct Light") or defined in place ("struct Light {..}").
    // Returns an empty string when the declaration was a bare struct
    // definition ending in ';'.
    std::string typeSpecifier()
    {
        if (!isWord(peek(), "struct")) return typeName();
        ++pos_;
        std::string name;
        if (peek().kind == TokenKind::Identifier) name = identifier();
        if (!name.empty() && isPunct(peek(), ';')) {  // forward declaration
            ++pos_;
            return {};
        }
        if (isPunct(peek(), '{')) {
            group('{', '}');
            if (!name.empty()) out_.structs.push_back(name);
            if (isPunct(peek(), ';')) {
                ++pos_;
                return {};
            }
        }
        if (name.empty()) name = "struct";
        return name;
    }

    void typeAlias()
    {
        ++pos_;
        modifiers();
        const std::string type = typeSpecifier();
        if (type.empty()) unexpected(tokens_[pos_ - 1]);
        while (true) {
            TypeAlias alias{type, identifier(), {}};
            while (isPunct(peek(), '[')) alias.arraySizes.push_back(group('[', ']'));
            out_.typedefs.push_back(std::move(alias));
            if (!isPunct(peek(), ',')) break;
            ++pos_;
        }
        expect(';');
    }

    void declaration()
    {
        const int line = peek().line;
        std::vector<std::string> storage = modifiers();
        const std::string type = typeSpecifier();
        if (type.empty()) return;
        std::string name = identifier();
        if (isPunct(peek(), '(')) {
            function(type, std::move(name), line);
            return;
        }
        while (true) {
            Parameter parameter;
            parameter.modifiers = storage;
            parameter.type = type;
            parameter.name = std::move(name);
            parameter.line = line;
            declarator(parameter);
            out_.parameters.push_back(std::move(parameter));
            if (!isPunct(peek(), ',')) break;
            ++pos_;
            name = identifier();
        }
        expect(';');
    }

    // Everything after a variable's name: array sizes, then semantics,
    // registers and annotations in any order, then the initialiser.
    void declarator(Parameter& parameter)
    {
        while (isPunct(peek(), '[')) parameter.arraySizes.push_back(group('[', ']'));
        while (true) {
            if (isPunct(peek(), ':')) {
                ++pos_;
                const size_t first = pos_;
                const std::string word = identifier();
                if (isPunct(peek(), '(')) {
                    group('(', ')');
                    parameter.registerBinding = textBetween(first, pos_ - 1);
                } else {
                    parameter.semantic = word;
                }
            } else if (isPunct(peek(), '<')) {
                std::vector<Annotation> list = annotations();
                parameter.annotations.insert(parameter.annotations.end(), list.begin(), list.end());
            } else {
                break;
            }
        }
        if (!isPunct(peek(), '=')) return;
        ++pos_;
        if (isKeyword(peek(), "sampler_state")) {
            ++pos_;
            parameter.hasSamplerState = true;
            expect('{');
            parameter.samplerStates = stateBlock();
            expect('}');
        } else {
            parameter.initializer = valueUntil(",;");
        }
    }

    void function(const std::string& returnType, std::string name, int line)
    {
        Function parsed{returnType, std::move(name), group('(', ')'), {}, false, line};
        while (isPunct(peek(), ':')) {
            ++pos_;
            parsed.semantic = identifier();
            if (isPunct(peek(), '(')) group('(', ')');
        }
        if (isPunct(peek(), '{')) {
            group('{', '}');
            parsed.hasBody = true;
        } else {
            expect(';');
        }
        out_.functions.push_back(std::move(parsed));
    }

    const std::vector<Token>& tokens_;
    EffectSource& out_;
    size_t pos_ = 0;
};

}  // namespace

bool parseEffect(std::string_view source, EffectSource& out, SyntaxError& error)
{
    out = EffectSource();
    TokenStream stream;
    if (!tokenize(source, stream, error)) return false;
    out.defines = std::move(stream.defines);
    try {
        Parser(stream.tokens, out).file();
    } catch (const ParseFailure& failure) {
        error = failure.error;
        return false;
    }
    return true;
}

}  // namespace layer::fx
