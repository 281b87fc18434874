// QmxLines: the lines of a QMX file, their texts held back to back in large
// blocks.
//
// A converted document has a line per paragraph, row or block: a string each
// would cost an allocation and a string object per line on top of its text,
// which for a large document adds up to a good part of its size. Here a line
// costs one view.
#pragma once

#include "foundation/text_store.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class QmxLines {
  public:
    using value_type = std::string_view;
    using iterator = std::vector<std::string_view>::const_iterator;
    using const_iterator = iterator;

    QmxLines() = default;
    explicit QmxLines(const std::vector<std::string>& lines);

    // Adds a copy of `line`.
    void add(std::string_view line) { lines_.push_back(texts_.keep(line)); }
    // Puts copies of `lines` in front of the lines there are.
    void insertFront(const std::vector<std::string>& lines);

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view operator[](std::size_t index) const { return lines_[index]; }
    iterator begin() const { return lines_.begin(); }
    iterator end() const { return lines_.end(); }
    std::span<const std::string_view> all() const { return lines_; }

    // The lines as strings of their own.
    std::vector<std::string> strings() const { return {lines_.begin(), lines_.end()}; }

    friend bool operator==(const QmxLines& lines, const std::vector<std::string>& strings) {
        return std::equal(lines.begin(), lines.end(), strings.begin(), strings.end());
    }

  private:
    TextStore texts_;
    std::vector<std::string_view> lines_;
};

} // namespace quillex
