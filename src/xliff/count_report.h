// The counts of a batch written as a table for the terminal, as CSV or as
// JSON: one row per file and a total.
#pragma once

#include "xliff/word_count.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillex::xliff {

enum class CountFormat { Table, Csv, Json };

// The format of its name ("table", "csv", "json").
std::optional<CountFormat> countFormatOf(std::string_view name);

std::string formatCounts(const std::vector<FileCounts>& files, CountFormat format);

} // namespace quillex::xliff
