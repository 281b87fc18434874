// RandomSource: the deterministic random numbers of the document generator.
//
// SplitMix64 with our own range reduction, so that a seed gives the same
// document on every platform and standard library (the distributions of
// <random> are not specified bit for bit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillex::docgen {

class RandomSource {
  public:
    explicit RandomSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number in [0, bound); bound 0 gives 0.
    std::uint64_t below(std::uint64_t bound) {
        if (bound == 0)
            return 0;
        return static_cast<std::uint64_t>((static_cast<unsigned __int128>(next()) * bound) >> 64);
    }

    // A number in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low) + 1));
    }

    // True with the chance of `perMille` in a thousand.
    bool chance(int perMille) { return below(1000) < static_cast<std::uint64_t>(perMille); }

    template <typename T> const T& pick(std::span<const T> items) {
        return items[below(items.size())];
    }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

  private:
    std::uint64_t state_;
};

} // namespace quillex::docgen
