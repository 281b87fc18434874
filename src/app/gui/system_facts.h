// The facts about this computer that the About page lists.
//
// Gathered from the kernel: memory and swap from sysinfo (swap is what the
// paging file was), the disk from statvfs of a folder and the mount point
// that holds it, the operating system from the foundation library's CT_OS
// (uname). A fact that cannot be had
// is left empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillex {

struct SystemFacts {
    struct Memory {
        std::uint64_t totalPhysical = 0; // bytes
        std::uint64_t availablePhysical = 0;
        std::uint64_t totalSwap = 0;
        std::uint64_t availableSwap = 0;
    };
    struct Disk {
        std::string mountPoint;
        std::uint64_t total = 0; // bytes
        std::uint64_t available = 0;
    };
    struct OperatingSystem {
        std::string name;    // "Linux"
        std::string release; // "6.1.0-18-amd64"
        int major = 0;
        int minor = 0;
    };

    std::optional<Memory> memory;
    std::optional<Disk> disk;
    std::optional<OperatingSystem> system;
};

// The facts, with the disk that holds `folder`.
SystemFacts gatherSystemFacts(const std::string& folder);

// The mount point of the file system that holds `path`: the highest folder
// above it on the same device.
std::string mountPointOf(const std::string& path);

} // namespace quillex
