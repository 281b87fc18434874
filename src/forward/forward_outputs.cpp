// Output names of the forward conversion.
#include "forward/forward_outputs.h"

#include "foundation/ascii_case.h"

#include <filesystem>

namespace quillex {
namespace {

std::string_view fileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view extensionOf(std::string_view path) {
    const std::string_view name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

} // namespace

bool isStyleFile(std::string_view path) {
    const std::string extension = upperCaseAscii(extensionOf(path));
    return extension == ".STY" || extension == ".CAT";
}

std::string bareName(std::string_view path) {
    const std::string_view name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string folderOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

bool sameDirectory(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    std::error_code error;
    const bool same = std::filesystem::equivalent(a.empty() ? "." : a, b.empty() ? "." : b, error);
    return !error && same;
}

std::vector<std::string> ForwardOutputs::all() const {
    std::vector<std::string> files{orgCopy, qmxFile};
    if (!qmxCopy.empty())
        files.push_back(qmxCopy);
    return files;
}

ForwardOutputs forwardOutputs(const ConversionOptions& options) {
    ForwardOutputs outputs;
    outputs.styleMode = isStyleFile(options.extension);
    const std::string& name = options.baseName;
    const char* qmxExtension = outputs.styleMode ? ".CAT" : (options.writesRtf() ? ".RTF" : ".TXT");
    outputs.orgCopy = options.orgDirectory + name + (outputs.styleMode ? ".STY" : ".ORG");
    outputs.qmxFile = options.orgDirectory + name + qmxExtension;
    if (!sameDirectory(options.orgDirectory, options.translatedDirectory))
        outputs.qmxCopy = options.translatedDirectory + name + qmxExtension;
    return outputs;
}

} // namespace quillex
