// Free space of the file system that receives the output.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quillex {

// Bytes available to this user in the file system holding `folder`; nullopt
// when it cannot be queried.
std::optional<std::uint64_t> freeDiskBytes(const std::string& folder);

// Replaces the query (a seam for fault-injection tests); an empty function
// restores the real one.
void setFreeDiskBytesQuery(std::function<std::optional<std::uint64_t>(const std::string&)> query);

} // namespace quillex
