// The library's operator new and delete, linked statically as the diagnostics link them.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "memcore/pool/memory_manager.h"

namespace {

// The headers lie in front of what new returned; keep the compiler from judging those reads
// against the size it saw requested.
const unsigned char* Opaque(const void* pointer) {
  auto* bytes = static_cast<const unsigned char*>(pointer);
  asm volatile("" : "+r"(bytes));
  return bytes;
}

TEST(LibraryOperatorNew, SmallObjectsComeFromThePoolsLargeOnesFromLargeBlocks) {
  const std::uint32_t before = MemoryUsed();
  auto* bytes = new char[5];
  auto* text = new std::string(200, 'a');
  EXPECT_EQ(SlotHeader::Read(Opaque(bytes)).classSize, 8);
  EXPECT_EQ(Opaque(text->data())[-4], LargeHeader::kTag);
  EXPECT_GE(MemoryUsed(), before + 204);
  delete[] bytes;
  delete text;
  EXPECT_TRUE(ValidateMemoryManager(LibraryMemoryManager()));
}

TEST(LibraryOperatorNew, SizesBeyondTheRequestRangeGiveNull) {
  // Cast to a 32-bit request, such a size would turn negative and get a one-byte slot.
  // Volatile: the 32-bit compiler refuses the constant as larger than any object.
  volatile std::size_t tooLarge = static_cast<std::size_t>(INT32_MAX) + 1;
  EXPECT_EQ(::operator new(tooLarge, std::nothrow), nullptr);
  EXPECT_EQ(::operator new(static_cast<std::size_t>(LargeHeader::kLargestRequest) + 1), nullptr);
}

}  // namespace
