// The checked build's report: findings and requested reports as plain text for people, each entry
// a headline and the call stacks it quotes, with the library's own frame texts.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "memcore/checked/call_stacks.h"
#include "memcore/diagnostics/call_stack.h"

enum class FindingKind : std::uint8_t {
  DoubleRelease,
  UnknownPointer,
  Overrun,
  WrittenAfterRelease,
  OverlappingCalls,
  Leak,
};
constexpr unsigned kFindingKinds = 6;

// The words that start a finding's headline.
const char* FindingWord(FindingKind kind);

struct QuotedStack {
  const char* title = nullptr;  // null: the slot is unused
  const std::uintptr_t* frames = nullptr;
  unsigned depth = 0;  // 0: the stack is not known

  static QuotedStack Of(const char* title, const RawStack& stack) {
    return {title, stack.frames, stack.depth};
  }
  static QuotedStack Of(const char* title, const CallStack* stack) {
    return stack ? QuotedStack{title, stack->frames(), stack->depth} : QuotedStack{title};
  }
};

// A finding's headline starts with FindingWord(kind); the first stack is where it happened.
struct ReportEntry {
  bool isFinding;
  FindingKind kind;
  const char* headline;
  QuotedStack stacks[3];
};

// Where entries go. Called both from the thread in a call and from overlapping threads.
class ReportSink {
 public:
  virtual void Write(const ReportEntry& entry) = 0;
  virtual void WriteText(const char* text) = 0;

 protected:
  ~ReportSink() = default;
};

// Turns a return address into frame text.
class FrameNamer {
 public:
  // Runs before the first name is asked for, and when the library starts being used: under the
  // writer's lock, outside any loader notification.
  virtual void Prepare() {}
  virtual void AppendFrame(std::uintptr_t returnAddress, std::string& out) = 0;

 protected:
  ~FrameNamer() = default;
};

// Names frames with the library's call-stack capture: the text of the call instruction, one byte
// before the return address, so that the line is the call's even when it ends its line.
class CaptureFrameNamer final : public FrameNamer {
 public:
  CaptureFrameNamer(CallStackCapture& capture, ProcessHandle process)
      : capture_(capture), process_(process) {}
  void Prepare() override;
  void AppendFrame(std::uintptr_t returnAddress, std::string& out) override;

 private:
  CallStackCapture& capture_;
  ProcessHandle process_;
  bool prepared_ = false;
};

// Where the text goes: each entry whole, in one call.
class ReportOutput {
 public:
  virtual void Append(const char* text, std::size_t length) = 0;

 protected:
  ~ReportOutput() = default;
};

// Serialises entries into text. A finding whose kind and first stack were reported before is
// only counted: a fault in a loop must not flood the report or slow the program to a crawl.
class ReportWriter final : public ReportSink {
 public:
  ReportWriter(FrameNamer& namer, ReportOutput& output) : namer_(namer), output_(output) {}

  void Prepare();
  void Write(const ReportEntry& entry) override;
  void WriteText(const char* text) override;
  // One entry per finding that was repeated, with the count of its repeats.
  void WriteRepeats();
  // From now on an entry is dropped rather than waited for while another thread holds the
  // writer: at process end the other threads are gone, and one may have died holding it.
  void SetProcessEnding() { processEnding_ = true; }

 private:
  struct Repeated {
    FindingKind kind;
    std::uint32_t repeats;
    RawStack stack;
  };

  bool Acquire(std::unique_lock<std::mutex>& hold);
  void AppendStack(const QuotedStack& stack, std::string& text);

  FrameNamer& namer_;
  ReportOutput& output_;
  std::mutex lock_;
  std::atomic<bool> processEnding_{false};
  std::map<std::uint64_t, Repeated> seen_;  // by kind and hash of the first stack
};
