// The checked build's record of every payload it handed out, keyed by payload address: live ones,
// and the most recent releases, so that a second release can say where the first one happened.
//
// Invariants: at most one record per payload address; a released record stays until its address
// is handed out again or kRememberedReleases later releases have pushed it out of the ring.
#pragma once

#include <cstddef>
#include <cstdint>

#include "memcore/checked/call_stacks.h"

constexpr std::uint8_t kLargeBlock = 0xFF;  // sizeClass of a large block
constexpr std::size_t kRememberedReleases = 16384;

struct AllocationRecord {
  std::uintptr_t payload;  // 0: an empty bucket
  const CallStack* allocatedAt;
  const CallStack* releasedAt;  // null while live
  std::int32_t requested;
  std::uint32_t releaseNumber;  // which release put it in the ring
  std::uint8_t sizeClass;       // index into kClassLayouts, or kLargeBlock
  std::uint8_t slot;            // the slot's number in its block
  bool live;
};

// Open addressing with linear probing, at most half full; erasing shifts the entries after it
// back, so there are no tombstones. Records move when the table grows or erases: a pointer to one
// holds until the next Reserve, Remember or Erase.
class AllocationTable {
 public:
  AllocationTable() = default;
  ~AllocationTable();
  AllocationTable(const AllocationTable&) = delete;
  AllocationTable& operator=(const AllocationTable&) = delete;

  // Room for one more record, so that the next Insert cannot fail; false when the table cannot
  // grow. Cost: constant, a rehash when it doubles.
  bool Reserve();
  // The record of a payload, or null. Cost: one probe sequence.
  AllocationRecord* Find(std::uintptr_t payload);
  // The payload's record, found or added empty; needs a Reserve first.
  AllocationRecord& Insert(std::uintptr_t payload);
  void Erase(std::uintptr_t payload);
  // Marks the record released and puts it in the ring; the oldest remembered release whose
  // address was not handed out again since is forgotten when the ring is full.
  void Remember(AllocationRecord& record, const CallStack* releasedAt);

  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (std::size_t i = 0; i < capacity_; ++i) {
      if (buckets_[i].payload != 0) visit(buckets_[i]);
    }
  }
  std::size_t size() const { return count_; }

 private:
  struct Release {
    std::uintptr_t payload;
    std::uint32_t number;
  };

  std::size_t Home(std::uintptr_t payload) const;
  bool Grow();

  AllocationRecord* buckets_ = nullptr;
  std::size_t capacity_ = 0;  // a power of two, or 0
  std::size_t count_ = 0;
  Release* releases_ = nullptr;  // the ring, made with the first release
  std::size_t releaseCount_ = 0;
  std::uint32_t nextReleaseNumber_ = 1;
};
