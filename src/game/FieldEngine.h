// FieldEngine.h — the board's random engine: MT19937 that also knows the
// seed it was given and how many values it has handed out since, so that
// the engine's state at any moment fits in two numbers (a recorded round
// starts from them). It draws exactly what std::mt19937 draws.
// Limits: none beyond MT19937's. Depends on: nothing.
#pragma once

#include <cstdint>
#include <random>

class FieldEngine {
public:
    using result_type = std::mt19937::result_type;

    explicit FieldEngine(uint32_t value) { seed(value); }

    void seed(uint32_t value)
    {
        engine_.seed(value);
        seed_ = value;
        drawn_ = 0;
    }
    result_type operator()()
    {
        ++drawn_;
        return engine_();
    }
    void discard(uint64_t count)
    {
        engine_.discard(count);
        drawn_ += count;
    }
    static constexpr result_type min() { return std::mt19937::min(); }
    static constexpr result_type max() { return std::mt19937::max(); }

    uint32_t seedValue() const { return seed_; }
    uint64_t drawn() const { return drawn_; }
    const std::mt19937& engine() const { return engine_; }

    bool operator==(const FieldEngine&) const = default;

private:
    std::mt19937 engine_;
    uint32_t seed_ = 0;
    uint64_t drawn_ = 0;
};
