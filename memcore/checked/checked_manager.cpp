#include "memcore/checked/checked_manager.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

std::uintptr_t AddressOf(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

unsigned ClassIndexOf(std::int32_t size) {
  unsigned index = 0;
  while (index + 1 < kClassCount &&
         size > static_cast<std::int32_t>(kClassLayouts[index].classSize))
    ++index;
  return index;
}

unsigned CountNonZero(const unsigned char* bytes, unsigned count) {
  unsigned nonZero = 0;
  for (unsigned i = 0; i < count; ++i) nonZero += bytes[i] != 0;
  return nonZero;
}

// "ae 03 08 00": four header bytes as they lie in memory.
struct HeaderText {
  char text[12];
  explicit HeaderText(const unsigned char* bytes) {
    std::snprintf(text, sizeof text, "%02x %02x %02x %02x", bytes[0], bytes[1], bytes[2], bytes[3]);
  }
};

}  // namespace

const char* CheckedManager::CallName(Call call) {
  switch (call) {
    case Call::Malloc:
      return "MemoryMalloc";
    case Call::Free:
      return "MemoryFree";
    case Call::Info:
      return "MemoryInfo";
    case Call::Trace:
      return "MemoryTrace";
    case Call::Unload:
      return "the unload";
    case Call::None:
      break;
  }
  return "a call";
}

bool CheckedManager::Enter(std::uint32_t thread, Call call, Owner* owner) {
  std::uint32_t expected = 0;
  if (owner_.compare_exchange_strong(expected, thread, std::memory_order_acquire,
                                     std::memory_order_relaxed)) {
    call_.store(call, std::memory_order_relaxed);
    return true;
  }
  *owner = Owner{expected, call_.load(std::memory_order_relaxed)};
  return false;
}

void CheckedManager::Leave() {
  call_.store(Call::None, std::memory_order_relaxed);
  owner_.store(0, std::memory_order_release);
}

void CheckedManager::Report(FindingKind kind, const char* headline, QuotedStack first,
                            QuotedStack second, QuotedStack third) {
  findings_[static_cast<unsigned>(kind)].fetch_add(1, std::memory_order_relaxed);
  sink_.Write(ReportEntry{true, kind, headline, {first, second, third}});
}

void CheckedManager::ReportOverlap(const char* what, std::uint32_t thread, Owner owner,
                                   const char* outcome, QuotedStack first, QuotedStack second) {
  char headline[256];
  std::snprintf(headline, sizeof headline,
                "overlapping calls: %s on thread %" PRIu32 " while thread %" PRIu32
                " was in %s: %s",
                what, thread, owner.thread, CallName(owner.call), outcome);
  Report(FindingKind::OverlappingCalls, headline, first, second);
}

// --- Allocation ------------------------------------------------------------------------------

void* CheckedManager::Malloc(std::int32_t size, std::uint32_t thread, const RawStack& stack) {
  Owner owner;
  if (!Enter(thread, Call::Malloc, &owner)) return MallocOverlapping(size, thread, stack, owner);
  ReleaseHeld();
  ++mallocCalls_;
  void* payload = records_.Reserve() ? MallocChecked(size, thread, stack) : nullptr;
  Leave();
  return payload;
}

void* CheckedManager::MallocChecked(std::int32_t size, std::uint32_t thread,
                                    const RawStack& stack) {
  const bool pooled = size <= kLargestSlotRequest;
  const unsigned index = pooled ? ClassIndexOf(size) : 0;
  const std::int32_t blocksBefore = manager_.classes[index].pool.blockCount;
  auto* payload = static_cast<unsigned char*>(manager_.Malloc(size));
  if (payload == nullptr) return nullptr;
  unsigned slot = 0;
  if (pooled) {
    const SizeClass& sizeClass = manager_.classes[index];
    if (sizeClass.pool.blockCount > blocksBefore) {
      // A new block, handing out its slot 0: zero payloads make writes to free slots visible.
      for (unsigned k = 0; k < kSlotsPerBlock; ++k) {
        std::memset(payload + k * sizeClass.layout.stride, 0, sizeClass.layout.classSize);
      }
    } else {
      slot = CheckHandedOutSlot(payload, index, thread, stack);
    }
    ClassStatistics& statistics = classes_[index];
    statistics.peakLive = std::max(statistics.peakLive, ++statistics.live);
    statistics.peakBlocks = std::max(statistics.peakBlocks, sizeClass.pool.blockCount);
  } else {
    largePeak_ = std::max(largePeak_, ++largeLive_);
    largePeakBytes_ = std::max(largePeakBytes_, manager_.largeBytes);
  }
  peakUsed_ = std::max(peakUsed_, manager_.Used());
  AllocationRecord& record = records_.Insert(AddressOf(payload));
  record.allocatedAt = stacks_.Intern(stack);
  record.releasedAt = nullptr;
  record.requested = size;
  record.sizeClass = pooled ? static_cast<std::uint8_t>(index) : kLargeBlock;
  record.slot = static_cast<std::uint8_t>(slot);
  record.live = true;
  return payload;
}

// A reused slot must come back as its release left it: the header the block wrote and a zero
// payload. Returns the slot's number.
unsigned CheckedManager::CheckHandedOutSlot(unsigned char* payload, unsigned index,
                                            std::uint32_t thread, const RawStack& stack) {
  const SizeClass& sizeClass = manager_.classes[index];
  const BlockLayout& layout = sizeClass.layout;
  const std::uintptr_t address = AddressOf(payload);
  const AllocationRecord* previous = records_.Find(address);
  char headline[256];
  // The slot came from the first partial block, or the first full one when it was that block's
  // last free slot: the header is sound when it leads back to the payload from one of them.
  const SlotHeader header = SlotHeader::Read(payload);
  unsigned slot = header.index;
  bool headerSound = false;
  const MemoryBlock* firstBlocks[] = {sizeClass.pool.partialList, sizeClass.pool.fullList};
  for (const MemoryBlock* block : firstBlocks) {
    if (block == nullptr) continue;
    const std::uintptr_t offset = address - 4 - AddressOf(block);
    if (address - 4 < AddressOf(block) || offset % layout.stride != 0 ||
        offset / layout.stride >= kSlotsPerBlock) {
      continue;
    }
    slot = static_cast<unsigned>(offset / layout.stride);
    headerSound = header.tag == SlotHeader::kTag && header.index == slot &&
                  header.classSize == layout.classSize;
    break;
  }
  if (!headerSound) {
    // Most likely the slot before it overran into it.
    const AllocationRecord* before = records_.Find(address - layout.stride);
    const HeaderText found(payload - 4);
    SlotHeader::Write(payload - 4, slot, layout.classSize);
    std::snprintf(headline, sizeof headline,
                  "overrun into the header of the free %u-byte slot 0x%08" PRIxPTR
                  ", handed out on thread %" PRIu32
                  ": it read %s where the block wrote %s; restored",
                  layout.classSize, address, thread, found.text, HeaderText(payload - 4).text);
    Report(FindingKind::Overrun, headline, QuotedStack::Of("handed out at", stack),
           QuotedStack::Of("the slot before it allocated at",
                           before != nullptr ? before->allocatedAt : nullptr));
  }
  const unsigned changed = CountNonZero(payload, layout.classSize);
  if (changed != 0) {
    std::snprintf(headline, sizeof headline,
                  "written after release: %u of the %u bytes of the free slot 0x%08" PRIxPTR
                  " were changed; handed out again on thread %" PRIu32 ", zeroed",
                  changed, layout.classSize, address, thread);
    const bool known = previous != nullptr && !previous->live;
    Report(FindingKind::WrittenAfterRelease, headline,
           QuotedStack::Of("handed out again at", stack),
           QuotedStack::Of("released at", known ? previous->releasedAt : nullptr),
           QuotedStack::Of("allocated before at", known ? previous->allocatedAt : nullptr));
    std::memset(payload, 0, layout.classSize);
  }
  return slot;
}

// --- Release ---------------------------------------------------------------------------------

void CheckedManager::Free(void* payload, std::uint32_t thread, const RawStack& stack) {
  if (payload == nullptr) return;
  Owner owner;
  if (!Enter(thread, Call::Free, &owner)) return FreeOverlapping(payload, thread, stack, owner);
  ReleaseHeld();
  ++freeCalls_;
  FreeChecked(payload, thread, stack);
  Leave();
}

void CheckedManager::FreeChecked(void* payload, std::uint32_t thread, const RawStack& stack) {
  AllocationRecord* record = records_.Find(AddressOf(payload));
  if (record == nullptr || !record->live) return RefuseRelease(payload, record, thread, stack);
  auto* bytes = static_cast<unsigned char*>(payload);
  if (record->sizeClass == kLargeBlock) {
    CheckReleasedLargeBlock(bytes, *record, thread, stack);
    --largeLive_;
  } else {
    CheckReleasedSlot(bytes, *record, thread, stack);
    --classes_[record->sizeClass].live;
  }
  manager_.Free(payload);
  records_.Remember(*record, stacks_.Intern(stack));
}

void CheckedManager::CheckReleasedSlot(unsigned char* payload, const AllocationRecord& record,
                                       std::uint32_t thread, const RawStack& stack) {
  const BlockLayout& layout = manager_.classes[record.sizeClass].layout;
  char headline[256];
  unsigned char expected[4];
  SlotHeader::Write(expected, record.slot, layout.classSize);
  if (std::memcmp(payload - 4, expected, 4) != 0) {
    // Restored, or the release would go to another slot, class or block.
    const HeaderText found(payload - 4);
    std::memcpy(payload - 4, expected, 4);
    std::snprintf(headline, sizeof headline,
                  "overrun of 0x%08" PRIxPTR " (%" PRId32
                  " bytes requested, %u-byte slot), "
                  "released on thread %" PRIu32
                  ": its header reads %s where the block wrote %s; "
                  "restored",
                  record.payload, record.requested, layout.classSize, thread, found.text,
                  HeaderText(expected).text);
    Report(FindingKind::Overrun, headline, QuotedStack::Of("released at", stack),
           QuotedStack::Of("allocated at", record.allocatedAt));
  }
  const unsigned requested = record.requested > 0 ? static_cast<unsigned>(record.requested) : 0;
  const unsigned changed = CountNonZero(payload + requested, layout.classSize - requested);
  if (changed != 0) {
    std::snprintf(headline, sizeof headline,
                  "overrun of 0x%08" PRIxPTR " (%" PRId32
                  " bytes requested, %u-byte slot), "
                  "released on thread %" PRIu32
                  ": %u of the %u bytes past the request were written",
                  record.payload, record.requested, layout.classSize, thread, changed,
                  layout.classSize - requested);
    Report(FindingKind::Overrun, headline, QuotedStack::Of("released at", stack),
           QuotedStack::Of("allocated at", record.allocatedAt));
  }
}

void CheckedManager::CheckReleasedLargeBlock(unsigned char* payload, const AllocationRecord& record,
                                             std::uint32_t thread, const RawStack& stack) {
  unsigned char expected[4];
  LargeHeader::Write(expected, static_cast<std::uint32_t>(record.requested) + 4);
  if (std::memcmp(payload - 4, expected, 4) == 0) return;
  const HeaderText found(payload - 4);
  std::memcpy(payload - 4, expected, 4);
  char headline[256];
  std::snprintf(headline, sizeof headline,
                "overrun of the large block 0x%08" PRIxPTR " (%" PRId32
                " bytes requested), "
                "released on thread %" PRIu32
                ": its header reads %s where %s was written; restored",
                record.payload, record.requested, thread, found.text, HeaderText(expected).text);
  Report(FindingKind::Overrun, headline, QuotedStack::Of("released at", stack),
         QuotedStack::Of("allocated at", record.allocatedAt));
}

bool CheckedManager::TakeBypassLocked(std::uintptr_t address, Bypass* bypass) {
  const auto entry = bypass_.find(address);
  if (entry == bypass_.end()) return false;
  *bypass = entry->second;
  bypass_.erase(entry);
  return true;
}

// Nothing is touched: neither the pointer nor the memory around it.
void CheckedManager::RefuseRelease(void* payload, const AllocationRecord* record,
                                   std::uint32_t thread, const RawStack& stack) {
  const std::uintptr_t address = AddressOf(payload);
  char headline[256];
  Bypass bypass{};
  bool fromBypass;
  {
    std::lock_guard<std::mutex> hold(sideLock_);
    fromBypass = TakeBypassLocked(address, &bypass);
  }
  if (fromBypass) {
    manager_.heap.release(payload);
    bypassReturned_.fetch_add(1, std::memory_order_relaxed);
    std::snprintf(headline, sizeof headline,
                  "overlapping calls: 0x%08" PRIxPTR " (%" PRId32
                  " bytes), which an overlapping "
                  "MemoryMalloc took from the runtime heap, released on thread %" PRIu32
                  ": given back to the runtime heap",
                  address, bypass.size, thread);
    Report(FindingKind::OverlappingCalls, headline, QuotedStack::Of("released at", stack),
           QuotedStack::Of("allocated at", bypass.stack));
    return;
  }
  if (record != nullptr) {
    std::snprintf(headline, sizeof headline,
                  "double release of 0x%08" PRIxPTR " (%" PRId32
                  " bytes requested) on thread "
                  "%" PRIu32 ": left alone",
                  address, record->requested, thread);
    Report(FindingKind::DoubleRelease, headline, QuotedStack::Of("released again at", stack),
           QuotedStack::Of("allocated at", record->allocatedAt),
           QuotedStack::Of("first released at", record->releasedAt));
    return;
  }
  // Into the middle of a live payload? Worth a pass over the table on this rare path.
  const AllocationRecord* holder = nullptr;
  records_.ForEach([&](const AllocationRecord& candidate) {
    const std::uint32_t extent = candidate.sizeClass == kLargeBlock
                                     ? static_cast<std::uint32_t>(candidate.requested)
                                     : kClassLayouts[candidate.sizeClass].classSize;
    if (candidate.live && address > candidate.payload && address - candidate.payload < extent)
      holder = &candidate;
  });
  if (holder != nullptr) {
    std::snprintf(headline, sizeof headline,
                  "unknown pointer 0x%08" PRIxPTR " released on thread %" PRIu32 ": %" PRIuPTR
                  " bytes into the payload of 0x%08" PRIxPTR " (%" PRId32
                  " bytes requested); left alone",
                  address, thread, address - holder->payload, holder->payload, holder->requested);
    Report(FindingKind::UnknownPointer, headline, QuotedStack::Of("released at", stack),
           QuotedStack::Of("that payload allocated at", holder->allocatedAt));
    return;
  }
  std::snprintf(headline, sizeof headline,
                "unknown pointer 0x%08" PRIxPTR " released on thread %" PRIu32
                ": MemoryMalloc never handed it out, or released it long ago; left alone",
                address, thread);
  Report(FindingKind::UnknownPointer, headline, QuotedStack::Of("released at", stack));
}

// --- Overlapping calls -----------------------------------------------------------------------

// The product's bypass: runtime-heap memory, no header, not counted; remembered here so that
// its release is recognised.
void* CheckedManager::MallocOverlapping(std::int32_t size, std::uint32_t thread,
                                        const RawStack& stack, Owner owner) {
  overlapping_.fetch_add(1, std::memory_order_relaxed);
  void* payload = manager_.heap.allocate(static_cast<std::size_t>(size));
  char what[64];
  char outcome[160];
  std::snprintf(what, sizeof what, "MemoryMalloc(%" PRId32 ")", size);
  if (payload == nullptr) {
    std::snprintf(outcome, sizeof outcome, "the runtime heap refused it");
  } else {
    bypassAllocations_.fetch_add(1, std::memory_order_relaxed);
    bool remembered = false;
    try {
      std::lock_guard<std::mutex> hold(sideLock_);
      bypass_.insert_or_assign(AddressOf(payload), Bypass{size, stack});
      remembered = true;
    } catch (const std::bad_alloc&) {
    }
    std::snprintf(outcome, sizeof outcome,
                  "served from the runtime heap at 0x%08" PRIxPTR ", outside the pools%s",
                  AddressOf(payload), remembered ? "" : " (not remembered: no room)");
  }
  ReportOverlap(what, thread, owner, outcome, QuotedStack::Of("called at", stack));
  return payload;
}

// Memory of an overlapping MemoryMalloc goes back to the runtime heap at once. Anything else
// waits for the next call, which releases it as usual: giving a pool slot to the runtime heap,
// as the product's bypass would, corrupts both.
void CheckedManager::FreeOverlapping(void* payload, std::uint32_t thread, const RawStack& stack,
                                     Owner owner) {
  overlapping_.fetch_add(1, std::memory_order_relaxed);
  const std::uintptr_t address = AddressOf(payload);
  char what[64];
  std::snprintf(what, sizeof what, "MemoryFree(0x%08" PRIxPTR ")", address);
  Bypass bypass{};
  bool fromBypass;
  bool held = false;
  {
    std::lock_guard<std::mutex> hold(sideLock_);
    fromBypass = TakeBypassLocked(address, &bypass);
    if (!fromBypass) {
      try {
        held_.push_back(HeldRelease{payload, thread, stack});
        heldCount_.store(static_cast<std::uint32_t>(held_.size()), std::memory_order_release);
        held = true;
      } catch (const std::bad_alloc&) {
      }
    }
  }
  if (fromBypass) {
    manager_.heap.release(payload);
    bypassReturned_.fetch_add(1, std::memory_order_relaxed);
    ReportOverlap(what, thread, owner,
                  "memory of an overlapping MemoryMalloc, given back to the runtime heap",
                  QuotedStack::Of("called at", stack),
                  QuotedStack::Of("allocated at", bypass.stack));
  } else {
    ReportOverlap(what, thread, owner,
                  held ? "released once the call in progress has ended"
                       : "not released (no room to hold it): leaked rather than corrupted",
                  QuotedStack::Of("called at", stack));
  }
}

void CheckedManager::ReleaseHeld() {
  if (heldCount_.load(std::memory_order_acquire) == 0) return;
  std::vector<HeldRelease> held;
  {
    std::lock_guard<std::mutex> hold(sideLock_);
    held.swap(held_);
    heldCount_.store(0, std::memory_order_relaxed);
  }
  for (const HeldRelease& release : held) {
    ++freeCalls_;
    FreeChecked(release.payload, release.thread, release.stack);
  }
}

// --- Reports ---------------------------------------------------------------------------------

std::vector<CheckedManager::LiveGroup> CheckedManager::GroupLive() const {
  std::vector<LiveGroup> live;
  live.reserve(records_.size());
  records_.ForEach([&](const AllocationRecord& record) {
    if (record.live) {
      live.push_back(LiveGroup{record.allocatedAt, 1,
                               static_cast<std::uint64_t>(std::max(record.requested, 0))});
    }
  });
  std::sort(live.begin(), live.end(), [](const LiveGroup& a, const LiveGroup& b) {
    return std::less<const CallStack*>()(a.stack, b.stack);
  });
  std::vector<LiveGroup> groups;
  for (const LiveGroup& one : live) {
    if (groups.empty() || groups.back().stack != one.stack) {
      groups.push_back(one);
    } else {
      ++groups.back().count;
      groups.back().bytes += one.bytes;
    }
  }
  std::sort(groups.begin(), groups.end(), [](const LiveGroup& a, const LiveGroup& b) {
    return a.bytes != b.bytes ? a.bytes > b.bytes : a.count > b.count;
  });
  return groups;
}

void CheckedManager::WriteStatistics(std::uint32_t thread, const RawStack& stack) {
  Owner owner;
  if (!Enter(thread, Call::Info, &owner)) {
    overlapping_.fetch_add(1, std::memory_order_relaxed);
    return ReportOverlap("MemoryInfo", thread, owner, "no statistics written",
                         QuotedStack::Of("called at", stack));
  }
  ReleaseHeld();
  std::string text;
  char line[256];
  try {
    std::snprintf(line, sizeof line, "MemoryInfo on thread %" PRIu32 ":\n", thread);
    text += line;
    text += "  class  live slots  peak live  blocks  peak blocks\n";
    for (unsigned i = 0; i < kClassCount; ++i) {
      std::snprintf(line, sizeof line,
                    "  %5u  %10" PRIu32 "  %9" PRIu32 "  %6" PRId32 "  %11" PRId32 "\n",
                    kClassLayouts[i].classSize, classes_[i].live, classes_[i].peakLive,
                    manager_.classes[i].pool.blockCount, classes_[i].peakBlocks);
      text += line;
    }
    std::snprintf(line, sizeof line,
                  "  large blocks: %" PRIu32 " live (%" PRIu32 " bytes with headers), peak %" PRIu32
                  " (%" PRIu32 " bytes)\n",
                  largeLive_, manager_.largeBytes, largePeak_, largePeakBytes_);
    text += line;
    std::snprintf(line, sizeof line, "  MemoryUsed: %" PRIu32 ", peak %" PRIu32 "\n",
                  manager_.Used(), peakUsed_);
    text += line;
    std::snprintf(line, sizeof line,
                  "  calls: %" PRIu64 " MemoryMalloc, %" PRIu64 " MemoryFree, %" PRIu32
                  " overlapping; bypasses: %" PRIu32 " served from the runtime heap, %" PRIu32
                  " given back\n",
                  mallocCalls_, freeCalls_, overlapping_.load(), bypassAllocations_.load(),
                  bypassReturned_.load());
    text += line;
    text += "  findings:";
    for (unsigned k = 0; k < kFindingKinds; ++k) {
      std::snprintf(line, sizeof line, "%s %" PRIu32 " %s", k == 0 ? "" : ",", findings_[k].load(),
                    FindingWord(static_cast<FindingKind>(k)));
      text += line;
    }
    PoolFault fault;
    text +=
        ValidateMemoryManager(manager_, &fault) ? "\n  pools: sound\n\n" : "\n  pools: damaged, ";
    if (fault.what != nullptr) (text += fault.what) += "\n\n";
    sink_.WriteText(text.c_str());
  } catch (const std::bad_alloc&) {
  }
  Leave();
}

void CheckedManager::WriteTrace(std::uint32_t thread, const RawStack& stack) {
  Owner owner;
  if (!Enter(thread, Call::Trace, &owner)) {
    overlapping_.fetch_add(1, std::memory_order_relaxed);
    return ReportOverlap("MemoryTrace", thread, owner, "no trace written",
                         QuotedStack::Of("called at", stack));
  }
  ReleaseHeld();
  try {
    const std::vector<LiveGroup> groups = GroupLive();
    std::uint64_t count = 0, bytes = 0;
    for (const LiveGroup& group : groups) count += group.count, bytes += group.bytes;
    char line[256];
    std::snprintf(line, sizeof line,
                  "MemoryTrace on thread %" PRIu32 ": %" PRIu64 " live allocations, %" PRIu64
                  " bytes requested, from %zu call stacks\n",
                  thread, count, bytes, groups.size());
    sink_.WriteText(line);
    for (const LiveGroup& group : groups) {
      std::snprintf(line, sizeof line, "  %" PRIu32 " live, %" PRIu64 " bytes", group.count,
                    group.bytes);
      sink_.Write(ReportEntry{
          false, FindingKind::Leak, line, {QuotedStack::Of("allocated at", group.stack)}});
    }
  } catch (const std::bad_alloc&) {
  }
  Leave();
}

bool CheckedManager::ReportLeaks(std::uint32_t thread) {
  Owner owner;
  if (!Enter(thread, Call::Unload, &owner)) return false;
  ReleaseHeld();
  try {
    const std::vector<LiveGroup> groups = GroupLive();
    std::uint64_t count = 0, bytes = 0;
    char headline[256];
    for (const LiveGroup& group : groups) {
      count += group.count;
      bytes += group.bytes;
      std::snprintf(headline, sizeof headline,
                    "leak: %" PRIu32 " allocation%s, %" PRIu64 " bytes requested, never released",
                    group.count, group.count == 1 ? "" : "s", group.bytes);
      Report(FindingKind::Leak, headline, QuotedStack::Of("allocated at", group.stack));
    }
    std::map<std::uintptr_t, Bypass> bypass;
    {
      std::lock_guard<std::mutex> hold(sideLock_);
      bypass.swap(bypass_);
    }
    for (const auto& [address, memory] : bypass) {
      ++count;
      bytes += static_cast<std::uint64_t>(std::max(memory.size, 0));
      std::snprintf(headline, sizeof headline,
                    "leak: 0x%08" PRIxPTR " (%" PRId32
                    " bytes), served to an overlapping "
                    "MemoryMalloc by the runtime heap, never released",
                    address, memory.size);
      Report(FindingKind::Leak, headline, QuotedStack::Of("allocated at", memory.stack));
    }
    std::snprintf(headline, sizeof headline,
                  "at unload: %" PRIu64 " allocations (%" PRIu64
                  " bytes requested) still live, from %zu call stacks\n\n",
                  count, bytes, groups.size() + bypass.size());
    sink_.WriteText(headline);
  } catch (const std::bad_alloc&) {
  }
  Leave();
  return true;
}
