// The local date and time as the results list and the verifier's reports
// print them.
#pragma once

#include <string>

namespace quillex {

// Now, in the locale's long form (strftime's "%c").
std::string localDateAndTime();

} // namespace quillex
