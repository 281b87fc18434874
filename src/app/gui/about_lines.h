// The lines of the About page's "System Settings Overview" list.
#pragma once

#include "app/gui/system_facts.h"

#include <string>
#include <vector>

namespace quillex {

// The overview line, memory in KB (physical, then swap as the paging file),
// the disk in MB named by its mount point, and the operating system with the
// major and minor numbers of its release. Missing memory facts leave their
// lines out; a missing disk or system gives the "Unavailable" and "Unknown
// OS" lines.
std::vector<std::string> aboutLines(const SystemFacts& facts);

} // namespace quillex
