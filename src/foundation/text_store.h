// TextStore: texts kept for the life of one file's conversion, each handed
// out as a view that stays valid as long as the store.
//
// The conversion makes many small texts (tags, converted runs, markup it
// joins) that lists and maps then refer to. Kept here once, back to back in
// large blocks, they cost no allocation each and no second copy: the lists
// and both tag maps hold views of them.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quillex {

class TextStore {
  public:
    TextStore() = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;
    TextStore(TextStore&&) noexcept = default;
    TextStore& operator=(TextStore&&) noexcept = default;

    // A copy of `text` that lives as long as the store.
    std::string_view keep(std::string_view text);

    // Bytes held, for the memory figures of the benchmarks.
    std::size_t size() const { return held_; }

  private:
    // Texts go into blocks of this size; a larger text gets a block of its own.
    static constexpr std::size_t blockSize = 64 * 1024;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::unique_ptr<char[]>> large_;
    char* free_ = nullptr; // the unused end of the last block
    std::size_t room_ = 0;
    std::size_t held_ = 0;
};

} // namespace quillex
