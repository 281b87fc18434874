// The fixed RTF prologue of a QMX file or report saved as RTF: font table,
// colour table, the style sheet with the character styles that the
// translation editor recognises, and the paper size.
#pragma once

#include "conversion/conversion_options.h"

#include <string>

namespace quillex {

// The whole prologue, from "{\rtf1" up to and including the settings of the
// first paragraph. Line ends are single LFs; the writer turns them into CR LF.
// Fonts 1 to 3 are in the character set of `sourceCodePage`; font 4, in that
// of `targetCodePage`, is declared only when the two code pages differ.
std::string rtfPrologue(PaperSize paper, int sourceCodePage, int targetCodePage);

} // namespace quillex
