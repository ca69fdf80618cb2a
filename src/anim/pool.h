// A free list for records made and destroyed by the hundred thousand (keys,
// vertex records): reading a snapshot replaces all of them at once, and the
// general allocator's cost per block dominated that. Single-threaded, as is
// everything in the plug-in; blocks are kept for reuse, never returned.
#pragma once

#include <stddef.h>
#include <stdlib.h>

#include <new>

template <size_t SIZE>
struct BLOCK_POOL {
  struct FREE {
    FREE* next;
  };
  static_assert(SIZE >= sizeof(FREE), "a block holds the free-list link");

  FREE* free_list = nullptr;

  void* Take() {
    if (free_list == nullptr) Refill();
    FREE* f = free_list;
    free_list = f->next;
    return f;
  }
  void Give(void* p) {
    FREE* f = static_cast<FREE*>(p);
    f->next = free_list;
    free_list = f;
  }

 private:
  static const size_t kBlocksPerChunk = 4096;
  static const size_t kStride = (SIZE + alignof(max_align_t) - 1) / alignof(max_align_t) * alignof(max_align_t);
  void Refill() {
    char* chunk = static_cast<char*>(malloc(kStride * kBlocksPerChunk));
    if (chunk == nullptr) throw std::bad_alloc();
    for (size_t i = kBlocksPerChunk; i-- > 0;) Give(chunk + i * kStride);
  }
};

// Gives a record type its own pool.
#define POOLED_RECORD(TYPE)                                  \
  static auto& Pool() {                                      \
    static auto* pool = new BLOCK_POOL<sizeof(TYPE)>();      \
    return *pool;                                            \
  }                                                          \
  static void* operator new(size_t size) {                   \
    if (size != sizeof(TYPE)) return ::operator new(size);   \
    return Pool().Take();                                    \
  }                                                          \
  static void operator delete(void* p, size_t size) {        \
    if (p == nullptr) return;                                \
    if (size != sizeof(TYPE)) return ::operator delete(p);   \
    Pool().Give(p);                                          \
  }
