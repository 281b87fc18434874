// File filters of the string table in the form Qt's file dialogs take.
//
// The table keeps filters as "Description (*.A;*.B)|*.A;*.B|...||". Qt wants
// "Description (*.A *.B);;...", and reads the patterns from the parentheses.
#pragma once

#include <QString>

#include <string_view>

namespace quillex {

// Each pattern is offered in upper and lower case too, as extensions are
// compared without regard to case and some file dialogs match patterns
// exactly.
QString qtFileFilter(std::string_view tableFilter);

} // namespace quillex
