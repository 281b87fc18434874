// SSBlockPool: per-thread free lists of small memory blocks for the objects
// a parse makes and drops by the hundred thousand (lexemes, stack elements).
//
// A parse makes two or three such objects per token and keeps only a few of
// them alive at once, so recycling their blocks replaces most calls into the
// general allocator. A list holds at most the blocks that were alive at the
// same time; they go back to the system when the thread ends. Builds with
// AddressSanitizer use the general allocator throughout, so that it still
// sees every use after release.
#pragma once

#include <cstddef>
#include <new>

namespace quillex {

class SSBlockPool {
  public:
    // Blocks up to this many bytes are recycled; larger ones are not.
    static constexpr std::size_t largestPooled = 256;

    // A block of at least `bytes` bytes, aligned for any object.
    static void* allocate(std::size_t bytes);
    // Gives back a block allocate(`bytes`) returned, `bytes` as asked then.
    static void release(void* block, std::size_t bytes) noexcept;
};

} // namespace quillex
