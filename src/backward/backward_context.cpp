// The shared context of the backward conversion's stages.
#include "backward/backward_context.h"

#include "conversion/result_code.h"

namespace quillex::backward {

const std::string_view* BackwardContext::replacementOf(std::string_view tag) const {
    if (tagReplacements == nullptr)
        return nullptr;
    const auto found = tagReplacements->find(tag);
    return found == tagReplacements->end() ? nullptr : &found->second;
}

std::vector<std::string> expandReplacement(std::string_view value) {
    std::vector<std::string> lines;
    // Text that stood outside any paragraph got a tag that stands for no
    // markup at all: it expands to nothing.
    if (value.empty())
        return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = value.find(kReplacementLineEnd, start);
        if (end == std::string_view::npos)
            break;
        lines.emplace_back(value.substr(start, end - start));
        start = end + kReplacementLineEnd.size();
    }
    if (lines.empty())
        throw ConversionFailure(result::ParserError);
    return lines;
}

} // namespace quillex::backward
