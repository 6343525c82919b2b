// vt_web_compat.h — what Debian's Emscripten 3.1.6 lacks of the C++20
// standard library the game and its tools are written for (its libc++ 13
// has no std::bit_cast, no floating-point std::to_chars and no
// std::ranges::find), and the one place where the two C++ libraries differ
// in what the game's rules depend on: the standard leaves the algorithm of
// std::uniform_int_distribution to the library, and libc++ draws other
// numbers from the same engine than libstdc++, which the desktop and Windows
// builds use and the golden traces were made with. The browser build draws
// int ranges as libstdc++ does (GCC 12's bits/uniform_int_dist.h). Included
// before every source of the browser build (cmake/web.cmake).
#pragma once

#if defined(__cplusplus) && defined(__EMSCRIPTEN__)
#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <type_traits>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
namespace std {

template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>) constexpr To
    bit_cast(const From& from) noexcept
{
    return __builtin_bit_cast(To, from);
}

// Musl's printf writes the exact decimal expansion, rounded to the
// precision, as std::to_chars does.
inline to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision)
{
    const char* conversion = format == chars_format::fixed        ? "%.*f"
                             : format == chars_format::scientific ? "%.*e"
                                                                  : "%.*g";
    const int written = std::snprintf(first, static_cast<size_t>(last - first), conversion, precision, value);
    if (written < 0 || written >= last - first) return {last, errc::value_too_large};
    return {first + written, errc{}};
}

namespace ranges {
template <class Range, class T> constexpr auto find(Range&& range, const T& value)
{
    return std::find(std::begin(range), std::end(range), value);
}
}  // namespace ranges

}  // namespace std
#endif

#if defined(_LIBCPP_VERSION)
namespace std {

template <> class uniform_int_distribution<int> {
public:
    using result_type = int;
    struct param_type {
        using distribution_type = uniform_int_distribution;
        explicit param_type(int a = 0, int b = numeric_limits<int>::max()) : a_(a), b_(b) {}
        int a() const { return a_; }
        int b() const { return b_; }
        bool operator==(const param_type&) const = default;
        int a_, b_;
    };

    explicit uniform_int_distribution(int a = 0, int b = numeric_limits<int>::max()) : p_(a, b) {}
    explicit uniform_int_distribution(const param_type& p) : p_(p) {}
    void reset() {}
    int a() const { return p_.a_; }
    int b() const { return p_.b_; }
    param_type param() const { return p_; }
    void param(const param_type& p) { p_ = p; }
    int min() const { return p_.a_; }
    int max() const { return p_.b_; }

    template <class Engine> int operator()(Engine& engine) { return (*this)(engine, p_); }

    template <class Engine> int operator()(Engine& engine, const param_type& p)
    {
        using Wide = common_type_t<typename Engine::result_type, unsigned int>;
        const Wide engineMin = Engine::min();
        const Wide engineRange = Wide(Engine::max()) - engineMin;
        const Wide range = Wide(unsigned(p.b())) - Wide(unsigned(p.a()));
        Wide drawn;
        if (engineRange > range) {
            const Wide span = range + 1;
            if (engineRange == UINT32_MAX) {
                // Lemire's nearly divisionless reduction, 32 bits by 64.
                const uint32_t span32 = uint32_t(span);
                uint64_t product = uint64_t(uint32_t(engine())) * span32;
                uint32_t low = uint32_t(product);
                if (low < span32) {
                    const uint32_t threshold = uint32_t(-span32) % span32;
                    while (low < threshold) {
                        product = uint64_t(uint32_t(engine())) * span32;
                        low = uint32_t(product);
                    }
                }
                drawn = Wide(product >> 32);
            } else {
                const Wide scaling = engineRange / span;
                const Wide past = span * scaling;
                do drawn = Wide(engine()) - engineMin;
                while (drawn >= past);
                drawn /= scaling;
            }
        } else if (engineRange < range) {
            Wide high;
            do {
                // engineRange + 1, which cannot wrap here (engineRange < range).
                const Wide engineSpan = engineRange + Wide(engineRange < range);
                high = engineSpan * Wide(unsigned((*this)(engine, param_type(0, int(range / engineSpan)))));
                drawn = high + (Wide(engine()) - engineMin);
            } while (drawn > range || drawn < high);
        } else {
            drawn = Wide(engine()) - engineMin;
        }
        return int(unsigned(drawn + Wide(unsigned(p.a()))));
    }

private:
    param_type p_;
};

}  // namespace std
#endif
#endif
