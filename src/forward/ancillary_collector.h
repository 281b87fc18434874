// AncillaryCollector: the body of a forward batch's ancillary file.
//
// Every converted file adds the text of its formats, master pages, headers,
// footers and streams; the batch writes one ancillary file from it at the end.
// The collector also records which documents of the batch use each shared
// item, so that the catalog of a style file converted later in the batch can
// list them.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quillex {

struct AncillaryCollector {
    // QMX body lines of the ancillary file, in batch order.
    std::vector<std::string> lines;
    // Files that contributed, upper-case bare name with extension.
    std::vector<std::string> files;
    // The source paths of the documents that use each shared item, by the
    // item's name, in the order the documents were converted.
    std::map<std::string, std::vector<std::string>> autonumberStreams;
    std::map<std::string, std::vector<std::string>> classes; // variable and prefix classes
    std::map<std::string, std::vector<std::string>> namedObjects;
    std::map<std::string, std::vector<std::string>> sharedFrames;
};

} // namespace quillex
