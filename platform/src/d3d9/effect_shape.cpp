// effect_shape.cpp — float counts of parameter types (see effect_shape.h).
// Alias and #define chains are followed to a fixed depth, so a file whose
// typedefs or defines refer to each other in a circle cannot loop.
#include "effect_shape.h"

#include <array>
#include <string_view>

namespace layer::fx {

namespace {

constexpr int maxChainDepth = 16;
// Larger products than this are no real array; the length is left open.
constexpr size_t maxFloats = size_t{1} << 30;

constexpr std::array<std::string_view, 7> scalarTypes = {"bool", "int", "uint", "dword", "half", "float", "double"};

std::string_view trim(std::string_view text)
{
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Decimal or hexadecimal with an optional u/l suffix; false for anything else.
bool integerLiteral(std::string_view text, size_t& value)
{
    text = trim(text);
    while (!text.empty() && (text.back() == 'u' || text.back() == 'U' || text.back() == 'l' || text.back() == 'L'))
        text.remove_suffix(1);
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return false;
        value = value * base + digit;
        if (value > maxFloats) return false;
    }
    return true;
}

// A vector or matrix dimension: a single digit 1 to 4.
bool dimension(std::string_view text, size_t& value)
{
    text = trim(text);
    if (text.size() != 1 || text[0] < '1' || text[0] > '4') return false;
    value = static_cast<size_t>(text[0] - '0');
    return true;
}

// Scalar type names are read in any letter case: older files write DWORD.
bool sameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != b[i]) return false;
    return true;
}

bool isScalar(std::string_view type)
{
    type = trim(type);
    for (std::string_view scalar : scalarTypes)
        if (sameLetters(type, scalar)) return true;
    return false;
}

class ShapeReader {
public:
    explicit ShapeReader(const EffectSource& source) : source_(source) {}

    ValueShape ofType(std::string_view type, int depth) const
    {
        type = trim(type);
        if (depth > maxChainDepth) return {};
        if (const size_t open = type.find('<'); open != std::string_view::npos) return ofTemplate(type, open);
        if (type == "vector") return {true, 4};
        if (type == "matrix") return {true, 16};
        for (std::string_view scalar : scalarTypes) {
            if (!sameLetters(type.substr(0, scalar.size()), scalar)) continue;
            const std::string_view rest = type.substr(scalar.size());
            size_t rows = 1, columns = 1;
            if (rest.empty()) return {true, 1};
            if (rest.size() == 1 && dimension(rest, rows)) return {true, rows};
            if (rest.size() == 3 && (rest[1] | 0x20) == 'x' && dimension(rest.substr(0, 1), rows) &&
                dimension(rest.substr(2), columns))
                return {true, rows * columns};
        }
        for (const TypeAlias& alias : source_.typedefs)
            if (alias.name == type) return withArrays(ofType(alias.type, depth + 1), alias.arraySizes);
        return {};
    }

    ValueShape withArrays(ValueShape shape, const std::vector<std::string>& arraySizes) const
    {
        if (!shape.numeric) return shape;
        for (const std::string& size : arraySizes) {
            size_t length = 0;
            if (!arrayLength(size, length, 0) || length == 0 || shape.floats == 0 ||
                length > maxFloats / shape.floats) {
                shape.floats = 0;
                continue;
            }
            shape.floats *= length;
        }
        return shape;
    }

private:
    // vector<float, 3>, matrix<float, 4, 4>; other templates hold no floats.
    ValueShape ofTemplate(std::string_view type, size_t open) const
    {
        const std::string_view base = trim(type.substr(0, open));
        std::string_view inside = type.substr(open + 1);
        if (inside.empty() || inside.back() != '>') return {};
        inside.remove_suffix(1);
        std::vector<std::string_view> arguments;
        for (size_t comma; (comma = inside.find(',')) != std::string_view::npos; inside.remove_prefix(comma + 1))
            arguments.push_back(inside.substr(0, comma));
        arguments.push_back(inside);
        size_t rows = 0, columns = 0;
        if (base == "vector" && arguments.size() == 2 && isScalar(arguments[0]) && dimension(arguments[1], rows))
            return {true, rows};
        if (base == "matrix" && arguments.size() == 3 && isScalar(arguments[0]) && dimension(arguments[1], rows) &&
            dimension(arguments[2], columns))
            return {true, rows * columns};
        return {};
    }

    bool arrayLength(std::string_view text, size_t& length, int depth) const
    {
        text = trim(text);
        if (integerLiteral(text, length)) return true;
        if (depth > maxChainDepth) return false;
        // The latest #define of a name is the one in force at the end of the file.
        for (auto define = source_.defines.rbegin(); define != source_.defines.rend(); ++define)
            if (define->name == text) return arrayLength(define->value, length, depth + 1);
        for (const Parameter& constant : source_.parameters)
            if (constant.name == text && constant.hasModifier("const") && !constant.initializer.empty())
                return arrayLength(constant.initializer, length, depth + 1);
        return false;
    }

    const EffectSource& source_;
};

}  // namespace

ValueShape valueShape(const Parameter& parameter, const EffectSource& source)
{
    const ShapeReader reader(source);
    return reader.withArrays(reader.ofType(parameter.type, 0), parameter.arraySizes);
}

}  // namespace layer::fx
