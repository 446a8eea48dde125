// The three allocation patterns that both benchmarks time, over an allocator policy A with
// static Allocate(std::int32_t) and Release(void*). An operation is one allocation and one release;
// every payload gets its first byte written, as a caller would.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kBatchSize = 10000;

// Keeps the compiler from pairing a known malloc with its free and dropping both.
inline void Escape(void* payload) { asm volatile("" : : "r"(payload) : "memory"); }
constexpr int kChurnLive = 10000;
constexpr int kSmallestChurnRequest = 1;
constexpr int kLargestChurnRequest = 48;

// Allocate, release, repeat: the allocator's shortest path.
template <class A>
void LifoOperations(std::int32_t size, int operations) {
  for (int i = 0; i < operations; ++i) {
    auto* payload = static_cast<unsigned char*>(A::Allocate(size));
    payload[0] = 1;
    Escape(payload);
    A::Release(payload);
  }
}

// kBatchSize allocations, then their releases in allocation order.
template <class A>
void BatchOperations(std::int32_t size, std::vector<void*>& slots) {
  for (void*& slot : slots) {
    slot = A::Allocate(size);
    static_cast<unsigned char*>(slot)[0] = 1;
    Escape(slot);
  }
  for (void* slot : slots) A::Release(slot);
}

// The same pseudo-random victims and sizes for every allocator, drawn before timing starts.
struct ChurnScript {
  static constexpr unsigned kSteps = 1u << 16;
  std::vector<std::uint16_t> victim;
  std::vector<std::uint8_t> size;

  ChurnScript() : victim(kSteps), size(kSteps) {
    std::uint32_t state = 0x9E3779B9u;
    auto next = [&state] {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return state;
    };
    for (unsigned i = 0; i < kSteps; ++i) {
      victim[i] = static_cast<std::uint16_t>(next() % kChurnLive);
      size[i] = static_cast<std::uint8_t>(
          kSmallestChurnRequest + next() % (kLargestChurnRequest - kSmallestChurnRequest + 1));
    }
  }
};

// kChurnLive live objects; each step releases a random one and allocates a random size in its
// place.
template <class A>
class Churn {
 public:
  explicit Churn(const ChurnScript& script) : script_(script), live_(kChurnLive) {
    for (unsigned i = 0; i < live_.size(); ++i) live_[i] = Allocate(script_.size[i]);
  }
  ~Churn() {
    for (void* payload : live_) A::Release(payload);
  }
  void Operations(int operations) {
    for (int i = 0; i < operations; ++i) {
      const unsigned step = cursor_++ % ChurnScript::kSteps;
      void*& victim = live_[script_.victim[step]];
      A::Release(victim);
      victim = Allocate(script_.size[step]);
    }
  }

 private:
  static void* Allocate(std::int32_t size) {
    auto* payload = static_cast<unsigned char*>(A::Allocate(size));
    payload[0] = 1;
    Escape(payload);
    return payload;
  }
  const ChurnScript& script_;
  std::vector<void*> live_;
  unsigned cursor_ = 0;
};
