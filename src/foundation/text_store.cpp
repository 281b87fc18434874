// Keeping texts in blocks.
#include "foundation/text_store.h"

#include <cstring>

namespace quillex {

std::string_view TextStore::keep(std::string_view text) {
    if (text.empty())
        return {};
    held_ += text.size();
    if (text.size() > blockSize / 4) {
        // A large text would waste the rest of a block: it gets its own.
        auto& own = large_.emplace_back(std::make_unique<char[]>(text.size()));
        std::memcpy(own.get(), text.data(), text.size());
        return {own.get(), text.size()};
    }
    if (room_ < text.size()) {
        blocks_.push_back(std::make_unique<char[]>(blockSize));
        free_ = blocks_.back().get();
        room_ = blockSize;
    }
    std::memcpy(free_, text.data(), text.size());
    const std::string_view kept(free_, text.size());
    free_ += text.size();
    room_ -= text.size();
    return kept;
}

} // namespace quillex
