// The lines of the About page's "System Settings Overview" list.
#include "app/gui/about_lines.h"

#include "foundation/string_table.h"

#include <climits>

namespace quillex {
namespace {

constexpr std::uint64_t kKilobyte = 1024;
constexpr std::uint64_t kMegabyte = 1048576;

// Whole units, truncated; the messages take an int.
int inUnits(std::uint64_t bytes, std::uint64_t unit) {
    const std::uint64_t units = bytes / unit;
    return units > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(units);
}

// The disk messages name a drive letter ("... MB on %c:"); a Linux file
// system is named by its mount point, so the letter and its colon become a
// string.
std::string withMountPoint(MessageId id, int megabytes, const std::string& mountPoint) {
    std::string format(loadString(id));
    constexpr std::string_view kDriveLetter = "%c:";
    if (const auto at = format.find(kDriveLetter); at != std::string::npos)
        format.replace(at, kDriveLetter.size(), "%s");
    return formatText(format.c_str(), megabytes, mountPoint.c_str());
}

} // namespace

std::vector<std::string> aboutLines(const SystemFacts& facts) {
    std::vector<std::string> lines = {formatString(MessageId::SystemOverview)};
    if (facts.memory) {
        const SystemFacts::Memory& memory = *facts.memory;
        lines.push_back(
            formatString(MessageId::TotalPhysicalMemory, inUnits(memory.totalPhysical, kKilobyte)));
        lines.push_back(formatString(MessageId::AvailablePhysicalMemory,
                                     inUnits(memory.availablePhysical, kKilobyte)));
        lines.push_back(
            formatString(MessageId::TotalPagingFile, inUnits(memory.totalSwap, kKilobyte)));
        lines.push_back(
            formatString(MessageId::AvailablePagingFile, inUnits(memory.availableSwap, kKilobyte)));
    }
    if (facts.disk) {
        lines.push_back(withMountPoint(MessageId::TotalDiskSpace,
                                       inUnits(facts.disk->total, kMegabyte),
                                       facts.disk->mountPoint));
        lines.push_back(withMountPoint(MessageId::AvailableDiskSpace,
                                       inUnits(facts.disk->available, kMegabyte),
                                       facts.disk->mountPoint));
    } else {
        lines.push_back(formatString(MessageId::TotalDiskSpaceUnavailable));
        lines.push_back(formatString(MessageId::AvailableDiskSpaceUnavailable));
    }
    if (facts.system) {
        const std::string name = facts.system->name + " " + facts.system->release;
        lines.push_back(formatString(MessageId::OperatingSystem, name.c_str()));
        lines.push_back(formatString(MessageId::MajorVersion, facts.system->major));
        lines.push_back(formatString(MessageId::MinorVersion, facts.system->minor));
    } else {
        const std::string unknown(loadString(MessageId::OsUnknown));
        lines.push_back(formatString(MessageId::OperatingSystem, unknown.c_str()));
        lines.push_back(formatString(MessageId::MajorVersion, 0));
        lines.push_back(formatString(MessageId::MinorVersion, 0));
    }
    return lines;
}

} // namespace quillex
