// The guard against a run that would write over its own files.
#include "app/file_guard.h"

#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace quillex {
namespace {

std::string described(const std::string& role, const std::string& path) {
    return "the " + role + " '" + path + "'";
}

} // namespace

std::string fileIdentity(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0)
        return "inode " + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    return "name " + (error ? absolute.lexically_normal() : resolved).string();
}

void FileGuard::reads(const std::string& path, const std::string& role) {
    add(path, role, false);
}

void FileGuard::writes(const std::string& path, const std::string& role) {
    add(path, role, true);
}

void FileGuard::add(const std::string& path, const std::string& role, bool written) {
    if (!path.empty())
        entries_.push_back(Entry{path, role, fileIdentity(path), written});
}

std::string FileGuard::refusal() const {
    // The first entry of each file; an output meeting it, or an input meeting
    // an earlier output, is refused. Reading one file twice is no harm.
    std::map<std::string, const Entry*> first;
    for (const Entry& entry : entries_) {
        const auto [at, added] = first.emplace(entry.identity, &entry);
        if (added)
            continue;
        const Entry& earlier = *at->second;
        if (!earlier.written && !entry.written)
            continue;
        // The output is named first; of two outputs, the later one.
        const Entry& output = entry.written ? entry : earlier;
        const Entry& other = entry.written ? earlier : entry;
        const std::string same = output.path == other.path ? "" : " (they are the same file)";
        if (!other.written)
            return described(output.role, output.path) + " would be written over " +
                   described(other.role, other.path) + ", which this run reads" + same +
                   "; nothing was written";
        return described(output.role, output.path) + " would also be written as " +
               described(other.role, other.path) + same + "; nothing was written";
    }
    return {};
}

} // namespace quillex
