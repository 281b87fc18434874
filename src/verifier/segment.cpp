// Helpers over segment lists.
#include "verifier/segment.h"

namespace quillex::verifier {

std::string contextText(const std::vector<Segment>& segments, std::size_t center) {
    std::string joined;
    const std::size_t first = center == 0 ? 0 : center - 1;
    for (std::size_t i = first; i <= center + 1 && i < segments.size(); ++i)
        joined += segments[i].text;
    return joined;
}

std::string_view textAfterTag(const Segment& segment) {
    return segment.text.substr(segment.tagLength);
}

} // namespace quillex::verifier
