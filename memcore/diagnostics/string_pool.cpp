#include "memcore/diagnostics/string_pool.h"

#include <new>
#include <string_view>

#include "memcore/diagnostics/process_wide.h"
#include "memcore/diagnostics/table_allocator.h"

namespace {

constexpr char kEmptyText[] = "";

}  // namespace

// Key and value are separate copies of the text; entries are never changed or removed, so the
// value's characters stay where they are for as long as the pool lives.
struct StringPoolTable {
  TableMap<TableString, TableString> texts;
};

StringPool::~StringPool() { delete table_; }

// Cost: one ordered-map lookup; an insertion on first sight. Failure: null when the table, the
// entry or a copy cannot be allocated; the pool is left as it was.
const char* StringPool::Intern(const char* text) {
  if (text == nullptr) return nullptr;
  // The empty text needs no entry: it is the one static empty text.
  if (*text == '\0') return kEmptyText;
  if (table_ == nullptr) {
    table_ = new (std::nothrow) StringPoolTable;
    if (table_ == nullptr) return nullptr;
  }
  const std::string_view key(text);
  auto entry = table_->texts.find(key);
  if (entry == table_->texts.end()) {
    try {
      entry = table_->texts.emplace(TableString(key), TableString(key)).first;
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  return entry->second.c_str();
}

const char* InternString(const char* text) {
  static ProcessWide<StringPool> pool;
  return pool.get().Intern(text);
}
