// The library's operator new and delete, linked statically as the diagnostics link them.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "memcore/pool/memory_manager.h"

namespace {

// The headers lie in front of what new returned; keep the compiler from judging those reads
// against the size it saw requested.
template <class T>
const unsigned char* Opaque(const T* pointer) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(pointer);
  asm volatile("" : "+r"(bytes));
  return bytes;
}

TEST(LibraryOperatorNew, SmallObjectsComeFromThePools) {
  auto* bytes = new char[5];
  const SlotHeader header = SlotHeader::Read(Opaque(bytes));
  EXPECT_EQ(header.tag, SlotHeader::kTag);
  EXPECT_EQ(header.classSize, 8);
  const std::uint32_t used = MemoryUsed();
  delete[] bytes;
  EXPECT_EQ(MemoryUsed(), used) << "the block stays, at worst as its pool's spare";
  EXPECT_TRUE(ValidateMemoryManager(LibraryMemoryManager()));
}

TEST(LibraryOperatorNew, LargeObjectsCarryTheLargeHeaderAndAreCounted) {
  const std::uint32_t before = MemoryUsed();
  auto* text = new std::string(200, 'a');
  const unsigned char* characters = Opaque(text->data());
  EXPECT_EQ(characters[-4], LargeHeader::kTag);
  EXPECT_GE(MemoryUsed(), before + 204);
  delete text;

  std::vector<int> numbers;
  for (int i = 0; i < 10000; ++i) numbers.push_back(i);
  EXPECT_EQ(numbers[9999], 9999);
}

TEST(LibraryOperatorNew, SizesBeyondTheRequestRangeGiveNull) {
  // Cast to a 32-bit request, such a size would turn negative and get a one-byte slot.
  // Volatile: the 32-bit compiler refuses the constant as larger than any object.
  volatile std::size_t tooLarge = static_cast<std::size_t>(INT32_MAX) + 1;
  EXPECT_EQ(::operator new(tooLarge, std::nothrow), nullptr);
  EXPECT_EQ(::operator new(static_cast<std::size_t>(LargeHeader::kLargestRequest) + 1), nullptr);
}

}  // namespace
