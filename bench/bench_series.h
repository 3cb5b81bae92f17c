// A fixed linear congruential series for the benchmarks' data: the same
// samples, and so the same files, on every machine.
#pragma once

#include <cstdint>

namespace drumlin::bench {

class Series {
 public:
  explicit Series(uint32_t Seed) : State_(Seed) {}
  int32_t Next(int32_t Limit) {  // in [-Limit, Limit]
    State_ = State_ * 6364136223846793005u + 1442695040888963407u;
    const uint32_t Draw = static_cast<uint32_t>(State_ >> 32);
    return static_cast<int32_t>(Draw % (2 * static_cast<uint32_t>(Limit) + 1)) - Limit;
  }

 private:
  uint64_t State_;
};

}  // namespace drumlin::bench
