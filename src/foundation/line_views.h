// LineViews: a list of lines read as string views, the reading side of the
// two line lists of a conversion.
//
// Both the lines of a piece (PieceLines, forward) and the lines of a QMX file
// (QmxLines, qmx) are arrays of views; they differ only in where the texts
// live. A piece's lines are mostly views of the parsed source and own a text
// only where the conversion made one, so most pieces own nothing and cost one
// pointer for it; a QMX file's lines are all made by the conversion and kept
// back to back in one store for the whole file. So the storage stays with
// each list and what a reader sees is written once, here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class LineViews {
  public:
    using value_type = std::string_view;
    using iterator = std::vector<std::string_view>::const_iterator;
    using const_iterator = iterator;

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view operator[](std::size_t index) const { return lines_[index]; }
    std::string_view front() const { return lines_.front(); }
    std::string_view back() const { return lines_.back(); }
    iterator begin() const { return lines_.begin(); }
    iterator end() const { return lines_.end(); }
    std::span<const std::string_view> all() const { return lines_; }

    // The lines as strings of their own.
    std::vector<std::string> strings() const { return {lines_.begin(), lines_.end()}; }

    // Whether the lines are `strings`, line by line.
    bool equals(const std::vector<std::string>& strings) const {
        return std::equal(lines_.begin(), lines_.end(), strings.begin(), strings.end());
    }

  protected:
    std::vector<std::string_view> lines_;
};

} // namespace quillex
