// effect_lexer.cpp — tokens of an effect file: identifiers, numbers, strings
// and single punctuation characters, with line and column (both from 1, one
// column per byte) as the compiler reports them. Non-ASCII bytes are allowed
// in comments and strings only, as the compiler allows them.
#include "effect_lexer.h"

#include <cctype>
#include <cstdio>

namespace layer::fx {

namespace {

bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (isBlank(text.front()) || text.front() == '\n')) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\n')) text.remove_suffix(1);
    return text;
}

class Lexer {
public:
    Lexer(std::string_view source, TokenStream& out) : src_(source), out_(out) {}

    bool run(SyntaxError& error)
    {
        // Editors on Windows often save with a UTF-8 byte order mark.
        if (src_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
        while (true) {
            if (!skipSpaceAndComments(error)) return false;
            if (atEnd()) break;
            const char c = src_[pos_];
            if (c == '#' && lineStart_) {
                if (!readDirective(error)) return false;
                continue;
            }
            lineStart_ = false;
            if (!readToken(error)) return false;
        }
        out_.tokens.push_back({TokenKind::End, std::string_view(), line_, column_});
        return true;
    }

private:
    bool atEnd() const { return pos_ >= src_.size(); }
    char at(size_t ahead) const { return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0'; }

    void advance()
    {
        if (src_[pos_] == '\n') {
            ++line_;
            column_ = 1;
            lineStart_ = true;
        } else {
            ++column_;
        }
        ++pos_;
    }

    bool fail(SyntaxError& error, int line, int column, std::string message)
    {
        error.line = line;
        error.column = column;
        error.message = std::move(message);
        return false;
    }

    // Skips one block comment starting at pos_ ("/*"); a comment is whitespace.
    bool skipBlockComment(SyntaxError& error)
    {
        const int line = line_, column = column_;
        advance();
        advance();
        while (!atEnd() && !(src_[pos_] == '*' && at(1) == '/')) advance();
        if (atEnd()) return fail(error, line, column, "syntax error: unterminated comment");
        advance();
        advance();
        return true;
    }

    void skipLineComment()
    {
        while (!atEnd() && src_[pos_] != '\n') advance();
    }

    bool skipSpaceAndComments(SyntaxError& error)
    {
        while (!atEnd()) {
            const char c = src_[pos_];
            if (isBlank(c) || c == '\n') {
                advance();
            } else if (c == '/' && at(1) == '/') {
                skipLineComment();
            } else if (c == '/' && at(1) == '*') {
                if (!skipBlockComment(error)) return false;
            } else {
                break;
            }
        }
        return true;
    }

    // A directive runs to the end of its line; a backslash before the line
    // end continues it, and comments inside it count as blanks.
    bool readDirective(SyntaxError& error)
    {
        std::string text;
        advance();  // '#'
        while (!atEnd() && src_[pos_] != '\n') {
            const char c = src_[pos_];
            if (c == '\\' && (at(1) == '\n' || (at(1) == '\r' && at(2) == '\n'))) {
                advance();
                if (src_[pos_] == '\r') advance();
                advance();
                text += ' ';
            } else if (c == '/' && at(1) == '*') {
                if (!skipBlockComment(error)) return false;
                text += ' ';
            } else if (c == '/' && at(1) == '/') {
                skipLineComment();
            } else {
                text += c;
                advance();
            }
        }
        recordDefine(trim(text));
        return true;
    }

    void recordDefine(std::string_view directive)
    {
        constexpr std::string_view keyword = "define";
        if (directive.substr(0, keyword.size()) != keyword) return;
        std::string_view rest = directive.substr(keyword.size());
        if (rest.empty() || !isBlank(rest.front())) return;
        rest = trim(rest);
        size_t nameEnd = 0;
        while (nameEnd < rest.size() && isIdentChar(rest[nameEnd])) ++nameEnd;
        if (nameEnd == 0 || !isIdentStart(rest.front())) return;
        // A function-like macro has its parenthesis right after the name.
        if (nameEnd < rest.size() && rest[nameEnd] == '(') return;
        out_.defines.push_back({std::string(rest.substr(0, nameEnd)), std::string(trim(rest.substr(nameEnd)))});
    }

    bool readToken(SyntaxError& error)
    {
        const size_t start = pos_;
        const int line = line_, column = column_;
        const char c = src_[pos_];
        TokenKind kind = TokenKind::Punct;
        if (isIdentStart(c)) {
            kind = TokenKind::Identifier;
            while (!atEnd() && isIdentChar(src_[pos_])) advance();
        } else if (isDigit(c) || (c == '.' && isDigit(at(1)))) {
            kind = TokenKind::Number;
            readNumber();
        } else if (c == '"') {
            kind = TokenKind::String;
            if (!readString(error)) return false;
        } else if (c > 0x20 && c < 0x7F) {
            advance();
        } else {
            char message[64];
            std::snprintf(message, sizeof message, "syntax error: illegal character 0x%02X in shader file",
                          static_cast<unsigned>(static_cast<unsigned char>(c)));
            return fail(error, line, column, message);
        }
        out_.tokens.push_back({kind, src_.substr(start, pos_ - start), line, column});
        return true;
    }

    // Decimal, hexadecimal and floating forms with their suffixes (1, 0x1F,
    // 1.5e-3f, .5h, 2u); the value itself is never needed here.
    void readNumber()
    {
        const bool hex = src_[pos_] == '0' && (at(1) == 'x' || at(1) == 'X');
        while (!atEnd()) {
            const char c = src_[pos_];
            if (isIdentChar(c) || c == '.') {
                advance();
            } else if ((c == '+' || c == '-') && !hex && (src_[pos_ - 1] == 'e' || src_[pos_ - 1] == 'E')) {
                advance();
            } else {
                break;
            }
        }
    }

    bool readString(SyntaxError& error)
    {
        const int line = line_, column = column_;
        advance();
        while (!atEnd() && src_[pos_] != '"') {
            if (src_[pos_] == '\n') break;
            if (src_[pos_] == '\\' && pos_ + 1 < src_.size()) advance();
            advance();
        }
        if (atEnd() || src_[pos_] != '"')
            return fail(error, line, column, "syntax error: unterminated string constant");
        advance();
        return true;
    }

    std::string_view src_;
    TokenStream& out_;
    size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    bool lineStart_ = true;
};

}  // namespace

bool tokenize(std::string_view source, TokenStream& out, SyntaxError& error)
{
    out = TokenStream();
    return Lexer(source, out).run(error);
}

}  // namespace layer::fx
