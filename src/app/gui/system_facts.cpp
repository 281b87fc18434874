// The facts about this computer that the About page lists.
#include "app/gui/system_facts.h"

#include "foundation/ct/ct_os.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>

namespace quillex {
namespace {

// The kernel's estimate of the memory that can be had without swapping
// (MemAvailable), which is what "available" means to a user; free memory
// alone leaves out the page cache that the kernel gives back at once.
std::optional<std::uint64_t> availableMemoryEstimate() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    constexpr std::string_view kKey = "MemAvailable:";
    while (std::getline(meminfo, line)) {
        if (line.starts_with(kKey))
            return std::strtoull(line.c_str() + kKey.size(), nullptr, 10) * 1024;
    }
    return std::nullopt;
}

std::optional<SystemFacts::Memory> memoryFacts() {
    struct sysinfo info {};
    if (::sysinfo(&info) != 0)
        return std::nullopt;
    const std::uint64_t unit = info.mem_unit;
    SystemFacts::Memory memory;
    memory.totalPhysical = info.totalram * unit;
    memory.availablePhysical =
        availableMemoryEstimate().value_or((info.freeram + info.bufferram) * unit);
    memory.totalSwap = info.totalswap * unit;
    memory.availableSwap = info.freeswap * unit;
    return memory;
}

std::optional<SystemFacts::Disk> diskFacts(const std::string& folder) {
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) != 0)
        return std::nullopt;
    SystemFacts::Disk facts;
    facts.mountPoint = mountPointOf(folder);
    facts.total = static_cast<std::uint64_t>(disk.f_blocks) * disk.f_frsize;
    // What an ordinary user may still write, as the program writes there.
    facts.available = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
    return facts;
}

// The operating system as the foundation library reads it (uname).
std::optional<SystemFacts::OperatingSystem> systemFacts() {
    SystemFacts::OperatingSystem system;
    system.name = CT_OS::sqccz_GetOsName();
    if (system.name.empty())
        return std::nullopt;
    system.release = CT_OS::sqccz_GetOsRelease();
    system.major = static_cast<int>(CT_OS::sn_GetOsVersionMajor());
    system.minor = static_cast<int>(CT_OS::sn_GetOsVersionMinor());
    return system;
}

} // namespace

std::string mountPointOf(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path current = fs::canonical(path, error);
    if (error)
        return path;
    struct stat start {};
    if (::stat(current.c_str(), &start) != 0)
        return path;
    while (current.has_parent_path() && current != current.root_path()) {
        struct stat parent {};
        if (::stat(current.parent_path().c_str(), &parent) != 0 || parent.st_dev != start.st_dev)
            break;
        current = current.parent_path();
    }
    return current.string();
}

SystemFacts gatherSystemFacts(const std::string& folder) {
    SystemFacts facts;
    facts.memory = memoryFacts();
    facts.disk = diskFacts(folder);
    facts.system = systemFacts();
    return facts;
}

} // namespace quillex
