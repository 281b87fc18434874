// Visible length of a QMX text.
#include "qmx/visible_length.h"

#include "foundation/lead_bytes.h"

namespace quillex {

std::size_t visibleLength(std::string_view text, bool japaneseSource) {
    std::size_t length = 0;
    std::size_t depth = 0;
    bool afterLead = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (depth > 0) {
            if (c == '<')
                ++depth;
            else if (c == '>')
                --depth;
            continue;
        }
        if (c == '<') {
            depth = 1;
            ++length;
            afterLead = false;
            continue;
        }
        // The byte after a lead byte is its trail byte, whatever its value.
        if (japaneseSource && !afterLead && isShiftJisLeadByte(byte)) {
            afterLead = true;
            continue;
        }
        afterLead = false;
        ++length;
    }
    return length;
}

} // namespace quillex
