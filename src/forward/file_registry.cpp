// The process-wide file registry.
#include "forward/file_registry.h"

#include "foundation/ascii_case.h"

#include <map>
#include <mutex>
#include <vector>

namespace quillex {
namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, int> numbers; // upper-cased path to number
    std::vector<std::string> paths;     // number - 1 to the path as registered
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

int registerFile(const std::string& path) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    const auto [entry, added] =
        r.numbers.try_emplace(upperCaseAscii(path), static_cast<int>(r.paths.size()) + 1);
    if (added)
        r.paths.push_back(path);
    return entry->second;
}

std::string fileName(int number) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    if (number < 1 || static_cast<std::size_t>(number) > r.paths.size())
        return {};
    return r.paths[static_cast<std::size_t>(number) - 1];
}

} // namespace quillex
