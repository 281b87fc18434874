// SSBlockPool: size classes of 16 bytes, one free list each, per thread.
#include "parser/ss_block_pool.h"

#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLEX_POOL_DISABLED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLEX_POOL_DISABLED 1
#endif
#endif

namespace quillex {

#ifdef QUILLEX_POOL_DISABLED

void* SSBlockPool::allocate(std::size_t bytes) {
    return ::operator new(bytes);
}

void SSBlockPool::release(void* block, std::size_t) noexcept {
    ::operator delete(block);
}

#else

namespace {

constexpr std::size_t granule = 16;
constexpr std::size_t classes = SSBlockPool::largestPooled / granule;

struct FreeBlock {
    FreeBlock* next;
};

// Plain data, so that it stays usable while other thread-local objects are
// destroyed; the reaper below empties it when the thread ends.
struct FreeLists {
    FreeBlock* heads[classes];
    bool closed;
};

thread_local FreeLists lists{};

struct Reaper {
    ~Reaper() {
        for (FreeBlock*& head : lists.heads)
            while (head != nullptr)
                ::operator delete(std::exchange(head, head->next));
        lists.closed = true;
    }
};

thread_local Reaper reaper;

std::size_t classOf(std::size_t bytes) {
    return (bytes + granule - 1) / granule - 1;
}

} // namespace

void* SSBlockPool::allocate(std::size_t bytes) {
    if (bytes == 0 || bytes > largestPooled)
        return ::operator new(bytes);
    FreeBlock*& head = lists.heads[classOf(bytes)];
    if (head != nullptr)
        return std::exchange(head, head->next);
    (void)&reaper; // makes sure the lists are emptied when the thread ends
    return ::operator new((classOf(bytes) + 1) * granule);
}

void SSBlockPool::release(void* block, std::size_t bytes) noexcept {
    if (block == nullptr)
        return;
    if (bytes == 0 || bytes > largestPooled || lists.closed) {
        ::operator delete(block);
        return;
    }
    FreeBlock*& head = lists.heads[classOf(bytes)];
    head = new (block) FreeBlock{head};
}

#endif

} // namespace quillex
