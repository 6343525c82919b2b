// vt_web_compat.h — what Debian's Emscripten 3.1.6 (its libc++ predates
// C++20's std::bit_cast) lacks of the standard library the game is written
// for; included before every source of the browser build (cmake/web.cmake).
#pragma once

#ifdef __cplusplus
#include <bit>
#include <type_traits>

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <class To, class From>
    requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>)
constexpr To bit_cast(const From& from) noexcept
{
    return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
#endif
