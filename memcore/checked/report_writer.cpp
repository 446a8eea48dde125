#include "memcore/checked/report_writer.h"

#include <cinttypes>
#include <cstdio>
#include <new>

const char* FindingWord(FindingKind kind) {
  static const char* const kWords[kFindingKinds] = {"double release",    "unknown pointer",
                                                    "overrun",           "written after release",
                                                    "overlapping calls", "leak"};
  return kWords[static_cast<unsigned>(kind)];
}

void CaptureFrameNamer::Prepare() {
  if (prepared_) return;
  prepared_ = true;
  // A capture of no frame binds the symbol handler and walks nothing.
  char none[64];
  capture_.Capture(none, sizeof none, 0, 0);
}

void CaptureFrameNamer::AppendFrame(std::uintptr_t returnAddress, std::string& out) {
  Prepare();
  const auto address = static_cast<Address>(returnAddress - 1);
  char text[1024];
  if (capture_.state() == SymbolHandlerState::Ready) {
    // Brings the frame's module into the symbol handler, as a walk over it would.
    capture_.GetFrameModuleBase(process_, address);
    const int length = capture_.GetFrameText(process_, address, text, sizeof text);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof text) {
      out.append(text, static_cast<std::size_t>(length));
      return;
    }
  }
  std::snprintf(text, sizeof text, "0x%08x:\tname unavailable - no symbol handler\n",
                static_cast<unsigned>(address));
  out += text;
}

bool ReportWriter::Acquire(std::unique_lock<std::mutex>& hold) {
  if (processEnding_) return hold.try_lock();
  hold.lock();
  return true;
}

void ReportWriter::Prepare() {
  std::unique_lock<std::mutex> hold(lock_, std::defer_lock);
  if (Acquire(hold)) namer_.Prepare();
}

void ReportWriter::AppendStack(const QuotedStack& stack, std::string& text) {
  if (stack.title == nullptr) return;
  text += "  ";
  text += stack.title;
  if (stack.depth == 0) {
    text += ": not known\n";
    return;
  }
  text += ":\n";
  for (unsigned i = 0; i < stack.depth; ++i) namer_.AppendFrame(stack.frames[i], text);
}

// Failure: an entry that cannot be put together (the private heap is exhausted) is dropped.
void ReportWriter::Write(const ReportEntry& entry) {
  std::unique_lock<std::mutex> hold(lock_, std::defer_lock);
  if (!Acquire(hold)) return;
  try {
    if (entry.isFinding && entry.kind != FindingKind::Leak) {
      const QuotedStack& where = entry.stacks[0];
      const std::uint64_t key = std::uint64_t{static_cast<unsigned>(entry.kind)} << 32 |
                                HashFrames(where.frames, where.depth);
      auto [seen, first] = seen_.try_emplace(key, Repeated{entry.kind, 0, RawStack{}});
      if (!first) {
        ++seen->second.repeats;
        return;
      }
      seen->second.stack.depth = where.depth;
      for (unsigned i = 0; i < where.depth; ++i) seen->second.stack.frames[i] = where.frames[i];
    }
    std::string text = entry.headline;
    text += '\n';
    for (const QuotedStack& stack : entry.stacks) AppendStack(stack, text);
    text += '\n';
    output_.Append(text.data(), text.size());
  } catch (const std::bad_alloc&) {
  }
}

void ReportWriter::WriteText(const char* text) {
  std::unique_lock<std::mutex> hold(lock_, std::defer_lock);
  if (!Acquire(hold)) return;
  output_.Append(text, std::char_traits<char>::length(text));
}

void ReportWriter::WriteRepeats() {
  std::unique_lock<std::mutex> hold(lock_, std::defer_lock);
  if (!Acquire(hold)) return;
  try {
    for (const auto& [key, seen] : seen_) {
      if (seen.repeats == 0) continue;
      char headline[160];
      std::snprintf(headline, sizeof headline,
                    "repeated: %" PRIu32 " more %s findings like the first one from this stack",
                    seen.repeats, FindingWord(seen.kind));
      std::string text = headline;
      text += '\n';
      AppendStack(QuotedStack::Of("at", seen.stack), text);
      text += '\n';
      output_.Append(text.data(), text.size());
    }
  } catch (const std::bad_alloc&) {
  }
}
