// Source of random positions for Randomize; tests give a fixed sequence.
#pragma once

#include <cstdint>
#include <random>

namespace orvane {

class TRandomSource {
public:
    virtual ~TRandomSource() = default;
    // A number from 0 to bound - 1 (bound at least 1).
    virtual std::uint32_t Below(std::uint32_t bound) = 0;
};

// Pseudo-random numbers seeded from the clock (or a given seed).
class TClockRandomSource final : public TRandomSource {
public:
    TClockRandomSource();
    explicit TClockRandomSource(std::uint32_t seed) : engine_(seed) {}
    std::uint32_t Below(std::uint32_t bound) override;

private:
    std::mt19937 engine_;
};

}  // namespace orvane
