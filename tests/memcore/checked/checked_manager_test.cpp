// The checked build's checks, over a manager of their own: what each fault looks like to the
// report, that faulty releases leave the pools as they were, and the report's text.
#include "memcore/checked/checked_manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../diagnostics/fake_symbol_platform.h"
#include "../pool/allocator_backends.h"

namespace {

constexpr std::uint32_t kOwner = 100, kOther = 200;

RawStack StackAt(std::uintptr_t site) {
  RawStack stack;
  stack.depth = 2;
  stack.frames[0] = site;
  stack.frames[1] = 0x7000;
  return stack;
}

struct Recorded {
  bool isFinding;
  FindingKind kind;
  std::string headline;
  std::vector<std::uintptr_t> firstFrames;  // the first frame of each quoted stack, 0 if unknown
};

// Records entries; onWrite runs inside the call that reports, as another thread would.
struct RecordingSink final : ReportSink {
  std::vector<Recorded> entries;
  std::string text;
  std::function<void()> onWrite;

  void Write(const ReportEntry& entry) override {
    Recorded recorded{entry.isFinding, entry.kind, entry.headline, {}};
    for (const QuotedStack& stack : entry.stacks) {
      if (stack.title != nullptr) recorded.firstFrames.push_back(stack.depth ? stack.frames[0] : 0);
    }
    entries.push_back(recorded);
    if (auto reenter = std::exchange(onWrite, nullptr)) reenter();
  }
  void WriteText(const char* added) override { text += added; }
  std::vector<FindingKind> Kinds() const {
    std::vector<FindingKind> kinds;
    for (const Recorded& entry : entries) kinds.push_back(entry.kind);
    return kinds;
  }
};

class CheckedManagerTest : public ::testing::Test {
 protected:
  ~CheckedManagerTest() override {
    PoolFault fault;
    EXPECT_TRUE(ValidateMemoryManager(checked_.pools(), &fault)) << fault.what;
    for (void* block : std::exchange(TestHeap::held, {})) std::free(block);
  }
  unsigned char* Allocate(std::int32_t size, std::uintptr_t site = 0x1000) {
    return static_cast<unsigned char*>(checked_.Malloc(size, kOwner, StackAt(site)));
  }
  void Release(void* payload, std::uintptr_t site = 0x2000, std::uint32_t thread = kOwner) {
    checked_.Free(payload, thread, StackAt(site));
  }

  RecordingSink sink_;
  CheckedManager checked_{RuntimeHeap{&TestHeap::Allocate, &TestHeap::Release}, sink_};
};

using Kinds = std::vector<FindingKind>;

TEST_F(CheckedManagerTest, ReleasesOfPointersNotLiveAreReportedAndLeaveThePoolsAsTheyWere) {
  unsigned char* first = Allocate(24, 0x1100);
  unsigned char* second = Allocate(24);
  Release(first, 0x2100);
  const std::uint32_t used = checked_.Used();
  Release(first, 0x2200);       // twice
  Release(second + 8, 0x2300);  // into a live payload
  static unsigned char elsewhere[16];
  Release(elsewhere + 4, 0x2400);  // never handed out
  ASSERT_EQ(sink_.Kinds(), (Kinds{FindingKind::DoubleRelease, FindingKind::UnknownPointer,
                                  FindingKind::UnknownPointer}));
  EXPECT_EQ(sink_.entries[0].firstFrames, (std::vector<std::uintptr_t>{0x2200, 0x1100, 0x2100}))
      << "released again, allocated, first released";
  EXPECT_EQ(sink_.entries[1].firstFrames, (std::vector<std::uintptr_t>{0x2300, 0x1000}));
  EXPECT_NE(sink_.entries[1].headline.find("8 bytes into the payload"), std::string::npos);
  EXPECT_EQ(sink_.entries[2].firstFrames, (std::vector<std::uintptr_t>{0x2400}));
  EXPECT_EQ(checked_.Used(), used);
  EXPECT_EQ(Allocate(24), second + 28) << "the block's free ring is unchanged";
}

TEST_F(CheckedManagerTest, SlotChecksFindOverrunsChangedHeadersAndWritesToFreeSlots) {
  unsigned char* small = Allocate(5, 0x1100);
  std::memset(small, 0x55, 8);
  Release(small, 0x2100);
  unsigned char* header = Allocate(12);
  header[-2] = 0x7F;
  Release(header);
  // A fresh block's payloads read zero until written: slot 5 was written while never used.
  std::vector<unsigned char*> slots;
  for (int k = 0; k < 5; ++k) slots.push_back(Allocate(30));
  slots.back()[36 + 1] = 1;
  slots.push_back(Allocate(30, 0x1600));
  // A full block hands a released slot out again at once.
  while (slots.size() < kSlotsPerBlock) slots.push_back(Allocate(30));
  Release(slots[9], 0x2900);
  slots[9][31] = 0x77;
  EXPECT_EQ(Allocate(30, 0x1900), slots[9]);
  ASSERT_EQ(sink_.Kinds(),
            (Kinds{FindingKind::Overrun, FindingKind::Overrun, FindingKind::WrittenAfterRelease,
                   FindingKind::WrittenAfterRelease}));
  EXPECT_NE(sink_.entries[0].headline.find("3 of the 3 bytes past the request"), std::string::npos);
  EXPECT_EQ(sink_.entries[0].firstFrames, (std::vector<std::uintptr_t>{0x2100, 0x1100}));
  EXPECT_NE(sink_.entries[1].headline.find("reads ae 00 7f 00 where the block wrote ae 00 10 00"),
            std::string::npos)
      << sink_.entries[1].headline;
  EXPECT_EQ(sink_.entries[2].firstFrames, (std::vector<std::uintptr_t>{0x1600, 0, 0}));
  EXPECT_EQ(sink_.entries[3].firstFrames, (std::vector<std::uintptr_t>{0x1900, 0x2900, 0x1000}));
  EXPECT_EQ(slots[9][31], 0) << "handed out zeroed, as the contract says";
}

// A finding is written while its call holds the manager: a call made from there overlaps it.
TEST_F(CheckedManagerTest, OverlappingCallsTakeTheBypassAndTheirMemoryIsRecognisedLater) {
  unsigned char* pooled = Allocate(16);
  pooled[0] = 0xC0;
  void* bypass = nullptr;
  sink_.onWrite = [&] {
    bypass = checked_.Malloc(16, kOther, StackAt(0x3100));
    checked_.Free(pooled, kOther, StackAt(0x3200));
  };
  Release(pooled + 1);  // an unknown pointer, to have a finding
  ASSERT_NE(bypass, nullptr);
  EXPECT_EQ(TestHeap::held.count(bypass), 1u) << "straight from the runtime heap";
  EXPECT_EQ(pooled[0], 0xC0) << "the overlapping release waits";
  EXPECT_EQ(Allocate(16), pooled + 20);
  EXPECT_EQ(pooled[0], 0) << "the next call released it first";
  Release(bypass);
  EXPECT_EQ(TestHeap::held.count(bypass), 0u) << "given back to the runtime heap";
  ASSERT_EQ(sink_.Kinds(), (Kinds{FindingKind::UnknownPointer, FindingKind::OverlappingCalls,
                                  FindingKind::OverlappingCalls, FindingKind::OverlappingCalls}));
  EXPECT_NE(sink_.entries[1].headline.find("thread 200 while thread 100 was in MemoryFree"),
            std::string::npos);
  EXPECT_EQ(sink_.entries[3].firstFrames, (std::vector<std::uintptr_t>{0x2000, 0x3100}));
  EXPECT_TRUE(checked_.ReportLeaks(kOwner));
  EXPECT_EQ(sink_.Kinds().size(), 5u) << "the allocation of slot 1 is the one leak";
}

TEST_F(CheckedManagerTest, LeaksAreGroupedByStackLargestFirst) {
  for (int i = 0; i < 3; ++i) Allocate(40, 0x1100);
  Allocate(200, 0x1200);
  Release(Allocate(8, 0x1300));
  ASSERT_TRUE(checked_.ReportLeaks(kOwner));
  ASSERT_EQ(sink_.entries.size(), 2u);
  EXPECT_EQ(sink_.entries[0].headline, "leak: 1 allocation, 200 bytes requested, never released");
  EXPECT_EQ(sink_.entries[0].firstFrames, (std::vector<std::uintptr_t>{0x1200}));
  EXPECT_EQ(sink_.entries[1].headline, "leak: 3 allocations, 120 bytes requested, never released");
  EXPECT_NE(sink_.text.find("4 allocations (320 bytes requested) still live"), std::string::npos);
}

struct StringOutput final : ReportOutput {
  std::string text;
  void Append(const char* added, std::size_t length) override { text.append(added, length); }
};

// Frames are named at the call instruction, one byte before the return address; a repeated
// finding is counted, not written again.
TEST(ReportWriterTest, EntriesQuoteFrameTextsAndRepeatsAreCounted) {
  FakeSymbolPlatform platform;
  platform.symbols = {{0x401233, {0x400000, "ReleaseTwice", "host.cpp", 42}},
                      {0x401455, {0x400000, "Allocate"}}};
  CallStackCapture capture(platform);
  CaptureFrameNamer namer(capture, platform.process);
  StringOutput output;
  ReportWriter writer(namer, output);
  const std::uintptr_t released[] = {0x401234}, allocated[] = {0x401456, 0x7f000001};
  const ReportEntry entry{true,
                          FindingKind::DoubleRelease,
                          "double release of 0x1000",
                          {{"released again at", released, 1},
                           {"allocated at", allocated, 2},
                           {"first released at", nullptr, 0}}};
  writer.Write(entry);
  writer.Write(entry);
  writer.WriteRepeats();
  EXPECT_EQ(output.text,
            "double release of 0x1000\n"
            "  released again at:\n"
            "0x00401233:\tReleaseTwice\n\t\tin host.cpp (42)\n"
            "  allocated at:\n"
            "0x00401455:\tAllocate\n"
            "0x7f000000:\tname unavailable - SymGetModuleInfo() failed\n"
            "  first released at: not known\n"
            "\n"
            "repeated: 1 more double release findings like the first one from this stack\n"
            "  at:\n"
            "0x00401233:\tReleaseTwice\n\t\tin host.cpp (42)\n"
            "\n");
}

// Frames as a stack holds them: each the caller's frame pointer, then the return address.
TEST(FramePointerWalkTest, FollowsFramesUpTheStackAndStopsAtAnyLinkThatLeavesIt) {
  std::uintptr_t stack[16] = {};
  auto link = [&](int at, int next, std::uintptr_t returnAddress) {
    stack[at] = next < 0 ? 0 : reinterpret_cast<std::uintptr_t>(&stack[next]);
    stack[at + 1] = returnAddress;
  };
  const auto top = reinterpret_cast<std::uintptr_t>(&stack[16]);
  RawStack walked;
  link(0, 4, 0xA1), link(4, 8, 0xA2), link(8, 12, 0xA3), link(12, -1, 0xA4);
  WalkFramePointers(stack, top, kMaxStackFrames, walked);
  EXPECT_EQ(std::vector<std::uintptr_t>(walked.frames, walked.frames + walked.depth),
            (std::vector<std::uintptr_t>{0xA1, 0xA2, 0xA3, 0xA4}));
  WalkFramePointers(stack, top, 2, walked);
  EXPECT_EQ(walked.depth, 2u);
  link(4, 2, 0xA2);  // downwards: a frame without a frame pointer in between
  WalkFramePointers(stack, top, kMaxStackFrames, walked);
  EXPECT_EQ(walked.depth, 2u);
  link(4, 15, 0xA2);  // a frame whose return address would lie past the stack's end
  WalkFramePointers(stack, top, kMaxStackFrames, walked);
  EXPECT_EQ(walked.depth, 2u);
}

}  // namespace
