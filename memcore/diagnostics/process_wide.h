// One object per process, built on first use and never destroyed: the library's tables live
// until the process ends and nothing of the library runs at unload.
#pragma once

#include <new>
#include <utility>

template <typename T>
class ProcessWide {
 public:
  template <typename... Args>
  explicit ProcessWide(Args&&... args) {
    new (storage_) T(std::forward<Args>(args)...);
  }
  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};
