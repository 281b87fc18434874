// QmxLines: the lines of a QMX file, their texts held back to back in large
// blocks.
//
// A converted document has a line per paragraph, row or block: a string each
// would cost an allocation and a string object per line on top of its text,
// which for a large document adds up to a good part of its size. Here a line
// costs one view. How the lines read is LineViews'; the piece lines of the
// forward conversion read the same way and keep their texts otherwise.
#pragma once

#include "foundation/line_views.h"
#include "foundation/text_store.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class QmxLines : public LineViews {
  public:
    QmxLines() = default;
    explicit QmxLines(const std::vector<std::string>& lines);

    // Adds a copy of `line`.
    void add(std::string_view line) { lines_.push_back(texts_.keep(line)); }
    // Puts copies of `lines` in front of the lines there are.
    void insertFront(const std::vector<std::string>& lines);

    friend bool operator==(const QmxLines& lines, const std::vector<std::string>& strings) {
        return lines.equals(strings);
    }

  private:
    TextStore texts_;
};

} // namespace quillex
