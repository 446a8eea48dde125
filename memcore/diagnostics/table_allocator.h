// Allocation for the diagnostics tables. It goes through the library's global operator new,
// which may hand back null when the heap is exhausted; that becomes std::bad_alloc here, so
// the tables' users can catch it and give 0 or an empty result instead.
#pragma once

#include <cstddef>
#include <map>
#include <new>
#include <string>

template <typename T>
class TableAllocator {
 public:
  using value_type = T;

  TableAllocator() = default;
  template <typename U>
  TableAllocator(const TableAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    void* memory = ::operator new(count * sizeof(T), std::nothrow);
    if (memory == nullptr) throw std::bad_alloc();
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, std::size_t) noexcept { ::operator delete(memory); }

  template <typename U>
  bool operator==(const TableAllocator<U>&) const noexcept { return true; }
  template <typename U>
  bool operator!=(const TableAllocator<U>&) const noexcept { return false; }
};

using TableString = std::basic_string<char, std::char_traits<char>, TableAllocator<char>>;

template <typename Key, typename Value>
using TableMap = std::map<Key, Value, std::less<>, TableAllocator<std::pair<const Key, Value>>>;
