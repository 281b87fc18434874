// Small helpers shared by the parts of the document generator.
#include "generator_context.h"

#include "vocabulary.h"

#include <cstdio>

namespace quillex::docgen {

std::string decimal(RandomSource& random, int whole) {
    const int places = random.chance(500) ? 2 : 6;
    const int fraction = static_cast<int>(random.below(places == 2 ? 100 : 1000000));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d.%0*d", static_cast<int>(random.below(whole + 1)),
                  places, fraction);
    return buffer;
}

std::string escapeDiagramText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '(':
        case ')':
        case ',':
        case '<':
        case '>':
        case '\\':
            escaped += '\\';
            break;
        default:
            break;
        }
        escaped += c;
    }
    return escaped;
}

std::string extraClassName(std::uint64_t seed, std::uint64_t index) {
    RandomSource random(seed ^ (index * 0x9E3779B97F4A7C15ULL));
    return std::string(englishWord(random)) + ":" + std::to_string(index);
}

} // namespace quillex::docgen
