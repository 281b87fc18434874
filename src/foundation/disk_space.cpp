// statvfs-based free-space query.
#include "foundation/disk_space.h"

#include <sys/statvfs.h>

namespace quillex {
namespace {

std::function<std::optional<std::uint64_t>(const std::string&)>& replacement() {
    static std::function<std::optional<std::uint64_t>(const std::string&)> query;
    return query;
}

} // namespace

std::optional<std::uint64_t> freeDiskBytes(const std::string& folder) {
    if (replacement())
        return replacement()(folder);
    struct statvfs info {};
    // A read-only file system reports no free space; writing there fails
    // for another reason, which the write itself reports.
    if (::statvfs(folder.c_str(), &info) != 0 || (info.f_flag & ST_RDONLY) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

void setFreeDiskBytesQuery(std::function<std::optional<std::uint64_t>(const std::string&)> query) {
    replacement() = std::move(query);
}

} // namespace quillex
