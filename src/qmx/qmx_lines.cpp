// The lines of a QMX file.
#include "qmx/qmx_lines.h"

namespace quillex {

QmxLines::QmxLines(const std::vector<std::string>& lines) {
    lines_.reserve(lines.size());
    for (const std::string& line : lines)
        add(line);
}

void QmxLines::insertFront(const std::vector<std::string>& lines) {
    std::vector<std::string_view> front;
    front.reserve(lines.size());
    for (const std::string& line : lines)
        front.push_back(texts_.keep(line));
    lines_.insert(lines_.begin(), front.begin(), front.end());
}

} // namespace quillex
