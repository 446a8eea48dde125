// Text interning: one stored copy of every distinct text, valid until the process ends.
// Internal to the library.
#pragma once

struct StringPoolTable;

// The pool's copy of the NUL-terminated text, added on first sight: equal texts give the same
// pointer. The caller neither changes nor frees it. Null when text is null or when the pool
// cannot grow.
const char* InternString(const char* text);

// A pool of texts. The process has one (InternString's); the tests build their own.
class StringPool {
 public:
  StringPool() = default;
  ~StringPool();
  StringPool(const StringPool&) = delete;
  StringPool& operator=(const StringPool&) = delete;

  const char* Intern(const char* text);

 private:
  StringPoolTable* table_ = nullptr;  // created by the first text
};
