// The checked build's allocator: the product's MemoryManager, unchanged, behind checks of every
// call. For a host that keeps the contract it hands out the same payloads in the same order, with
// the same MemoryUsed, zeroing and heap calls; everything it keeps for itself comes from the
// global operator new, which the library points at a heap of its own.
//
// Checks: a release of a pointer that is not live (left alone), writes past the request within a
// slot and changed headers (restored), writes to a released slot (seen when it is handed out
// again), overlapping calls (served as the product's bypass, their memory remembered), and what is
// still live at unload. Each finding goes to the ReportSink with the stacks it concerns.
//
// One call at a time works on the pools and the tables: the owner word holds the thread in a call,
// taken and given back atomically. A call that finds it taken only touches the runtime heap and
// the small side tables under sideLock_.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "memcore/checked/allocation_table.h"
#include "memcore/checked/call_stacks.h"
#include "memcore/checked/report_writer.h"
#include "memcore/pool/memory_manager.h"

class CheckedManager {
 public:
  CheckedManager(RuntimeHeap heap, ReportSink& sink) : manager_(heap), sink_(sink) {}
  CheckedManager(const CheckedManager&) = delete;
  CheckedManager& operator=(const CheckedManager&) = delete;

  // thread is the caller's id (never 0); stack where it called from. Cost: the product's work,
  // two table probes and a stack lookup; a new block's payloads are zeroed once. Null when the
  // heap fails, or when the tables cannot grow (the pools are then left untouched).
  void* Malloc(std::int32_t size, std::uint32_t thread, const RawStack& stack);
  // Releases a live payload after checking its slot; reports and leaves alone anything else.
  void Free(void* payload, std::uint32_t thread, const RawStack& stack);
  std::uint32_t Used() const { return manager_.Used(); }
  // MemoryInfo: the statistics. MemoryTrace: the live allocations grouped by stack.
  void WriteStatistics(std::uint32_t thread, const RawStack& stack);
  void WriteTrace(std::uint32_t thread, const RawStack& stack);
  // At unload: every allocation still live, grouped by stack, largest first. False, with nothing
  // written, while a call is in progress (at process end: one whose thread was killed).
  bool ReportLeaks(std::uint32_t thread);

  const MemoryManager& pools() const { return manager_; }
  std::uint32_t FindingCount(FindingKind kind) const {
    return findings_[static_cast<unsigned>(kind)].load(std::memory_order_relaxed);
  }

 private:
  enum class Call : std::uint8_t { None, Malloc, Free, Info, Trace, Unload };
  struct Owner {
    std::uint32_t thread;
    Call call;
  };
  struct Bypass {
    std::int32_t size;
    RawStack stack;
  };
  struct HeldRelease {
    void* payload;
    std::uint32_t thread;
    RawStack stack;
  };
  struct ClassStatistics {
    std::uint32_t live = 0, peakLive = 0;
    std::int32_t peakBlocks = 0;
  };
  struct LiveGroup {
    const CallStack* stack;
    std::uint32_t count;
    std::uint64_t bytes;
  };

  static const char* CallName(Call call);
  bool Enter(std::uint32_t thread, Call call, Owner* owner);
  void Leave();
  void Report(FindingKind kind, const char* headline, QuotedStack first, QuotedStack second = {},
              QuotedStack third = {});
  void ReportOverlap(const char* what, std::uint32_t thread, Owner owner, const char* outcome,
                     QuotedStack first, QuotedStack second = {});

  void* MallocChecked(std::int32_t size, std::uint32_t thread, const RawStack& stack);
  unsigned CheckHandedOutSlot(unsigned char* payload, unsigned index, std::uint32_t thread,
                              const RawStack& stack);
  void FreeChecked(void* payload, std::uint32_t thread, const RawStack& stack);
  void CheckReleasedSlot(unsigned char* payload, const AllocationRecord& record,
                         std::uint32_t thread, const RawStack& stack);
  void CheckReleasedLargeBlock(unsigned char* payload, const AllocationRecord& record,
                               std::uint32_t thread, const RawStack& stack);
  // Removes and gives the record of bypass memory at address; false when there is none. The
  // caller holds sideLock_.
  bool TakeBypassLocked(std::uintptr_t address, Bypass* bypass);
  void RefuseRelease(void* payload, const AllocationRecord* record, std::uint32_t thread,
                     const RawStack& stack);
  void* MallocOverlapping(std::int32_t size, std::uint32_t thread, const RawStack& stack,
                          Owner owner);
  void FreeOverlapping(void* payload, std::uint32_t thread, const RawStack& stack, Owner owner);
  void ReleaseHeld();
  std::vector<LiveGroup> GroupLive() const;

  MemoryManager manager_;
  ReportSink& sink_;
  AllocationTable records_;
  CallStackTable stacks_;

  std::atomic<std::uint32_t> owner_{0};  // the thread in a call, 0 when none
  std::atomic<Call> call_{Call::None};   // what it is doing, for reports only

  std::mutex sideLock_;                      // guards the two below
  std::map<std::uintptr_t, Bypass> bypass_;  // runtime-heap memory of overlapping calls
  std::vector<HeldRelease> held_;            // releases that overlapped, done by the next call
  std::atomic<std::uint32_t> heldCount_{0};

  ClassStatistics classes_[kClassCount];
  std::uint32_t largeLive_ = 0, largePeak_ = 0;
  std::uint32_t largePeakBytes_ = 0;
  std::uint32_t peakUsed_ = 0;
  std::uint64_t mallocCalls_ = 0, freeCalls_ = 0;
  std::atomic<std::uint32_t> overlapping_{0}, bypassAllocations_{0}, bypassReturned_{0};
  std::atomic<std::uint32_t> findings_[kFindingKinds] = {};
};
