// AncillaryCollector: the body of a forward batch's ancillary file.
//
// Every converted file adds the text of its formats, master pages, headers,
// footers and streams; the batch writes one ancillary file from it at the end.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillex {

struct AncillaryCollector {
    // QMX body lines of the ancillary file, in batch order.
    std::vector<std::string> lines;
    // Files that contributed, upper-case bare name with extension.
    std::vector<std::string> files;
    // Shared items already collected, by name, with the files that use them.
    std::map<std::string, std::set<std::string>> sharedFormats;
    std::map<std::string, std::set<std::string>> sharedFrames;
    std::map<std::string, std::set<std::string>> streams;
    std::map<std::string, std::set<std::string>> variables;
};

} // namespace quillex
