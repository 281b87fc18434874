// The file that `--results` saves the results list to.
#include "app/cli/results_file.h"

#include "foundation/ascii_case.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

namespace quillex {
namespace {

namespace fs = std::filesystem;

// Extensions of the files a batch writes beside each input's bare name:
// forward outputs in the ORG and translated folders, verification reports
// beside the translated file.
constexpr std::array<std::string_view, 5> kForwardExtensions = {".ORG", ".TXT", ".RTF", ".CAT",
                                                                ".STY"};
constexpr std::array<std::string_view, 2> kAncillaryNames = {"ANCILL.TXT", "ANCILL.RTF"};
constexpr std::string_view kReportExtension = ".CMP";

// Two paths name the same file: the same file on disk, or, for files that
// do not exist yet, the same normal form.
bool samePath(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    return a.lexically_normal() == b.lexically_normal();
}

// The file names (upper case) the batch writes into a folder.
std::vector<std::string> outputNames(const BatchFiles& batch) {
    std::vector<std::string> names;
    for (const std::string& input : batch.inputs) {
        const std::string stem = upperCaseAscii(fs::path(input).stem().string());
        if (batch.kind == BatchKind::Verify) {
            names.push_back(stem + std::string(kReportExtension));
            continue;
        }
        if (batch.kind == BatchKind::Backward) {
            names.push_back(stem + ".DOC");
            names.push_back(stem + ".STY");
            continue;
        }
        for (std::string_view extension : kForwardExtensions)
            names.push_back(stem + std::string(extension));
    }
    if (batch.kind == BatchKind::Forward)
        names.insert(names.end(), kAncillaryNames.begin(), kAncillaryNames.end());
    return names;
}

// The folders the batch writes into: verify and backward batches write
// beside the translated files they read.
std::vector<fs::path> outputFolders(const BatchFiles& batch) {
    std::vector<fs::path> folders;
    for (const std::string& folder : batch.outputDirs)
        if (!folder.empty())
            folders.push_back(fs::path(folder).lexically_normal().parent_path());
    if (batch.kind != BatchKind::Forward)
        for (const std::string& input : batch.inputs)
            folders.push_back(fs::path(input).parent_path());
    return folders;
}

} // namespace

std::string resultsFileConflict(const std::string& resultsPath, const BatchFiles& batch) {
    const fs::path results(resultsPath);
    for (const std::string& input : batch.inputs)
        if (samePath(results, input))
            return "the results file " + resultsPath +
                   " is an input of the batch; name another file";

    const std::vector<std::string> names = outputNames(batch);
    const std::string name = upperCaseAscii(results.filename().string());
    if (std::find(names.begin(), names.end(), name) == names.end())
        return {};
    for (const fs::path& folder : outputFolders(batch))
        if (samePath(results.parent_path(), folder))
            return "the results file " + resultsPath +
                   " would be written over an output of the batch; name another file";
    return {};
}

} // namespace quillex
