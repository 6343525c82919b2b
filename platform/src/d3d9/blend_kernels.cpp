// blend_kernels.cpp — scalar, SSE2 and AVX2 versions of the alpha-blend row
// kernel and the run-time choice between them. The vector versions work on
// 16-bit lanes with the same rounding as divide255, so all three agree bit
// for bit.
#include "d3d9/blend_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace layer::d3d {

void blendRowScalar(uint32_t* destination, const uint32_t* source, int count)
{
    for (int i = 0; i < count; ++i) destination[i] = blendPixel(source[i], destination[i]);
}

#if defined(__x86_64__) || defined(__i386__)

__attribute__((target("sse2"))) void blendRowSse2(uint32_t* destination, const uint32_t* source, int count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination + i));
        __m128i out[2];
        for (int h = 0; h < 2; ++h) {
            __m128i sw = h ? _mm_unpackhi_epi8(s, zero) : _mm_unpacklo_epi8(s, zero);
            __m128i dw = h ? _mm_unpackhi_epi8(d, zero) : _mm_unpacklo_epi8(d, zero);
            __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sw, 0xFF), 0xFF);
            __m128i x = _mm_add_epi16(_mm_mullo_epi16(sw, alpha), _mm_mullo_epi16(dw, _mm_sub_epi16(full, alpha)));
            __m128i t = _mm_add_epi16(x, half);
            out[h] = _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + i), _mm_packus_epi16(out[0], out[1]));
    }
    blendRowScalar(destination + i, source + i, count - i);
}

__attribute__((target("avx2"))) void blendRowAvx2(uint32_t* destination, const uint32_t* source, int count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(255);
    const __m256i half = _mm256_set1_epi16(128);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i));
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(destination + i));
        __m256i out[2];
        for (int h = 0; h < 2; ++h) {
            __m256i sw = h ? _mm256_unpackhi_epi8(s, zero) : _mm256_unpacklo_epi8(s, zero);
            __m256i dw = h ? _mm256_unpackhi_epi8(d, zero) : _mm256_unpacklo_epi8(d, zero);
            __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(sw, 0xFF), 0xFF);
            __m256i x =
                _mm256_add_epi16(_mm256_mullo_epi16(sw, alpha), _mm256_mullo_epi16(dw, _mm256_sub_epi16(full, alpha)));
            __m256i t = _mm256_add_epi16(x, half);
            out[h] = _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(destination + i), _mm256_packus_epi16(out[0], out[1]));
    }
    blendRowSse2(destination + i, source + i, count - i);
}

#endif

namespace {

using RowKernel = void (*)(uint32_t*, const uint32_t*, int);

bool portable = false;

RowKernel fastestKernel()
{
#if defined(__x86_64__) || defined(__i386__)
    static const RowKernel kernel = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx2")) return &blendRowAvx2;
        if (__builtin_cpu_supports("sse2")) return &blendRowSse2;
        return &blendRowScalar;
    }();
    return kernel;
#else
    return &blendRowScalar;
#endif
}

}  // namespace

void blendRow(uint32_t* destination, const uint32_t* source, int count)
{
    if (portable) blendRowScalar(destination, source, count);
    else fastestKernel()(destination, source, count);
}

void setPortableKernels(bool on) { portable = on; }
bool portableKernels() { return portable; }

}  // namespace layer::d3d
