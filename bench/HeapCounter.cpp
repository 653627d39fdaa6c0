#include "HeapCounter.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <malloc.h>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {

std::atomic<std::size_t> InUse{0};
std::atomic<std::size_t> Peak{0};

void* Count(void* Block) {
    if (Block != nullptr) {
        std::size_t now = InUse.fetch_add(malloc_usable_size(Block)) + malloc_usable_size(Block);
        std::size_t peak = Peak.load();
        while (now > peak && !Peak.compare_exchange_weak(peak, now)) {
        }
    }
    return Block;
}

void Uncount(void* Block) {
    if (Block != nullptr)
        InUse.fetch_sub(malloc_usable_size(Block));
}

} // namespace

extern "C" {

void* malloc(std::size_t Size) {
    return Count(__libc_malloc(Size));
}

void* calloc(std::size_t Count_, std::size_t Size) {
    return Count(__libc_calloc(Count_, Size));
}

void* realloc(void* Block, std::size_t Size) {
    Uncount(Block);
    return Count(__libc_realloc(Block, Size));
}

void free(void* Block) {
    Uncount(Block);
    __libc_free(Block);
}

void* memalign(std::size_t Alignment, std::size_t Size) {
    return Count(__libc_memalign(Alignment, Size));
}

void* aligned_alloc(std::size_t Alignment, std::size_t Size) {
    return Count(__libc_memalign(Alignment, Size));
}

int posix_memalign(void** Result, std::size_t Alignment, std::size_t Size) {
    void* block = Count(__libc_memalign(Alignment, Size));
    if (block == nullptr)
        return ENOMEM;
    *Result = block;
    return 0;
}
}

std::size_t HeapInUse() {
    return InUse.load();
}
std::size_t HeapPeak() {
    return Peak.load();
}
void ResetHeapPeak() {
    Peak.store(InUse.load());
}
