// The C heap of a benchmark program, served by memcore.dll. The program's objects are linked with
// --wrap for malloc, calloc, realloc, free and strdup, so each of their calls lands here while the
// vendored sources stay as they are; memory that msvcrt.dll allocates for itself stays its own.
#include <errno.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

__declspec(dllimport) void* __cdecl MemoryMalloc(int32_t size);
__declspec(dllimport) void __cdecl MemoryFree(void* payload);

// A large block's header keeps request + 4 in 24 bits. Anything bigger fails as the C heap does,
// rather than reaching MemoryMalloc as a negative size, which would be served a 1-byte slot.
#define LARGEST_REQUEST ((size_t)0xFFFFFF - 4)
#define LARGE_TAG 0xAF

void* __wrap_malloc(size_t size);

// The bytes a payload can hold: a pooled slot's class size, or a large block's request.
static size_t UsableSize(const unsigned char* payload) {
  if (payload[-4] == LARGE_TAG) {
    const size_t totalSize = payload[-3] | (size_t)payload[-2] << 8 | (size_t)payload[-1] << 16;
    return totalSize - 4;
  }
  return payload[-2] | (size_t)payload[-1] << 8;
}

void* __wrap_malloc(size_t size) {
  if (size > LARGEST_REQUEST) {
    errno = ENOMEM;
    return NULL;
  }
  void* payload = MemoryMalloc((int32_t)size);
  if (payload == NULL) errno = ENOMEM;
  return payload;
}

void __wrap_free(void* payload) { MemoryFree(payload); }

// Slots are zero only when reused and fresh blocks hold whatever the heap left, so calloc clears.
void* __wrap_calloc(size_t count, size_t size) {
  if (size != 0 && count > LARGEST_REQUEST / size) {
    errno = ENOMEM;
    return NULL;
  }
  void* payload = __wrap_malloc(count * size);
  if (payload != NULL) memset(payload, 0, count * size);
  return payload;
}

// msvcrt's rules: a null pointer allocates, size 0 frees and returns null, a failure leaves the
// old block alone. A request that still fits stays in place.
void* __wrap_realloc(void* payload, size_t size) {
  if (payload == NULL) return __wrap_malloc(size);
  if (size == 0) {
    MemoryFree(payload);
    return NULL;
  }
  const size_t usable = UsableSize(payload);
  if (size <= usable) return payload;
  void* moved = __wrap_malloc(size);
  if (moved == NULL) return NULL;
  memcpy(moved, payload, usable);
  MemoryFree(payload);
  return moved;
}

char* __wrap_strdup(const char* text) {
  const size_t size = strlen(text) + 1;
  char* copy = __wrap_malloc(size);
  if (copy != NULL) memcpy(copy, text, size);
  return copy;
}
