// Names of the files a forward conversion writes for one source file.
#pragma once

#include "conversion/conversion_options.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillex {

// True for a path whose extension is .STY or .CAT, in any case.
bool isStyleFile(std::string_view path);

// The file name without folder and extension.
std::string bareName(std::string_view path);

// The folder part of a path, ending with "/" ("" for a bare name).
std::string folderOf(std::string_view path);

// True when two folder names denote the same directory on disk.
bool sameDirectory(const std::string& a, const std::string& b);

struct ForwardOutputs {
    bool styleMode = false;
    std::string orgCopy; // N.ORG (N.STY in style mode) in the ORG folder
    std::string qmxFile; // N.TXT or N.RTF (N.CAT in style mode) in the ORG folder
    std::string qmxCopy; // the same in the translated folder; empty when it is the ORG folder

    // In the order the overwrite check asks about them.
    std::vector<std::string> all() const;
};

// The outputs for options.baseName and options.extension.
ForwardOutputs forwardOutputs(const ConversionOptions& options);

} // namespace quillex
