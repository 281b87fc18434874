// Conversion of Interleaf text runs that contain the escape character ESC
// (27), which switches Interleaf into a literal mode where "<" is text.
#pragma once

#include <string>
#include <string_view>

namespace quillex {

// QMX text for the text run `text`. Each ESC toggles literal mode and is
// written as <:r27>. In literal mode "<" is written <:lt>; outside it "<<" is
// written <:lt> and any other "<" begins an Interleaf tag that is copied up
// to and including its ">"; a "<" with no ">" after it is text (<:lt>). A
// ">" outside a tag is written <:gt>. A run without ESC converts the same way.
std::string convertEscapeRun(std::string_view text);

} // namespace quillex
