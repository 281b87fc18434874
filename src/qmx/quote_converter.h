// Pairing of straight double quotes with the quote tags of a QMX line.
//
// With quotes "As tags", within each line: <:glq> opens a German quote;
// <:ldq> closes an open German quote if there is one, else opens an English
// quote; a straight double quote outside any tag becomes <:rdq> when an
// English quote is open (closing it) and stays as it is otherwise.
#pragma once

#include <string>
#include <vector>

namespace quillex {

std::string convertQuotesInLine(const std::string& line);

// Converts the quotes of `line` in place (a line without quotes to pair is
// left as it is).
void convertQuotesOf(std::string& line);

void convertQuotes(std::vector<std::string>& lines);

} // namespace quillex
