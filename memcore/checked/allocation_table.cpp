#include "memcore/checked/allocation_table.h"

#include <cstring>
#include <new>

AllocationTable::~AllocationTable() {
  ::operator delete(buckets_);
  ::operator delete(releases_);
}

std::size_t AllocationTable::Home(std::uintptr_t payload) const {
  // Payloads are at least 4 bytes apart in one block and blocks are far apart: a multiplicative
  // hash spreads both.
  const std::uint64_t wide = payload;
  const auto key = static_cast<std::uint32_t>(wide >> 2) ^ static_cast<std::uint32_t>(wide >> 34);
  return (key * 2654435761u) & (capacity_ - 1);
}

bool AllocationTable::Grow() {
  const std::size_t oldCapacity = capacity_;
  AllocationRecord* old = buckets_;
  const std::size_t capacity = oldCapacity == 0 ? 4096 : oldCapacity * 2;
  auto* buckets = static_cast<AllocationRecord*>(
      ::operator new(capacity * sizeof(AllocationRecord), std::nothrow));
  if (buckets == nullptr) return false;
  std::memset(static_cast<void*>(buckets), 0, capacity * sizeof(AllocationRecord));
  buckets_ = buckets;
  capacity_ = capacity;
  for (std::size_t i = 0; i < oldCapacity; ++i) {
    if (old[i].payload == 0) continue;
    std::size_t at = Home(old[i].payload);
    while (buckets_[at].payload != 0) at = (at + 1) & (capacity_ - 1);
    buckets_[at] = old[i];
  }
  ::operator delete(old);
  return true;
}

bool AllocationTable::Reserve() { return 2 * (count_ + 1) <= capacity_ || Grow(); }

AllocationRecord* AllocationTable::Find(std::uintptr_t payload) {
  if (capacity_ == 0 || payload == 0) return nullptr;
  for (std::size_t at = Home(payload); buckets_[at].payload != 0; at = (at + 1) & (capacity_ - 1)) {
    if (buckets_[at].payload == payload) return &buckets_[at];
  }
  return nullptr;
}

AllocationRecord& AllocationTable::Insert(std::uintptr_t payload) {
  std::size_t at = Home(payload);
  for (; buckets_[at].payload != 0; at = (at + 1) & (capacity_ - 1)) {
    if (buckets_[at].payload == payload) return buckets_[at];
  }
  ++count_;
  buckets_[at] = AllocationRecord{};
  buckets_[at].payload = payload;
  return buckets_[at];
}

void AllocationTable::Erase(std::uintptr_t payload) {
  AllocationRecord* record = Find(payload);
  if (record == nullptr) return;
  std::size_t hole = static_cast<std::size_t>(record - buckets_);
  // Entries after the hole move back into it unless their home lies between the hole and them.
  for (std::size_t at = (hole + 1) & (capacity_ - 1); buckets_[at].payload != 0;
       at = (at + 1) & (capacity_ - 1)) {
    const std::size_t home = Home(buckets_[at].payload);
    const bool homeBetween = hole <= at ? (hole < home && home <= at) : (hole < home || home <= at);
    if (homeBetween) continue;
    buckets_[hole] = buckets_[at];
    hole = at;
  }
  buckets_[hole].payload = 0;
  --count_;
}

void AllocationTable::Remember(AllocationRecord& record, const CallStack* releasedAt) {
  record.live = false;
  record.releasedAt = releasedAt;
  record.releaseNumber = nextReleaseNumber_++;
  if (releases_ == nullptr) {
    releases_ =
        static_cast<Release*>(::operator new(kRememberedReleases * sizeof(Release), std::nothrow));
    // Without the ring, released records stay until their addresses are handed out again.
    if (releases_ == nullptr) return;
  }
  Release& oldest = releases_[releaseCount_ % kRememberedReleases];
  const Release latest{record.payload, record.releaseNumber};
  if (releaseCount_ >= kRememberedReleases) {
    const AllocationRecord* forgotten = Find(oldest.payload);
    if (forgotten != nullptr && !forgotten->live && forgotten->releaseNumber == oldest.number) {
      Erase(oldest.payload);
    }
  }
  oldest = latest;
  ++releaseCount_;
}
