// The resource registry: a map from (name, type) to static bytes.
#include "parser/resource_registry.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace quillex {

namespace {

using ResourceKey = std::pair<std::string, std::string>;

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

ResourceKey keyOf(std::string_view name, std::string_view type) {
    return {upperAscii(name), upperAscii(type)};
}

// Function-local so that registrations from static initialisers find it built.
struct Registry {
    std::mutex mutex;
    std::map<ResourceKey, std::span<const std::uint8_t>> resources;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

void registerResource(std::string_view name, std::string_view type,
                      std::span<const std::uint8_t> bytes) {
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    r.resources[keyOf(name, type)] = bytes;
}

std::span<const std::uint8_t> findResource(std::string_view name, std::string_view type) {
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    const auto found = r.resources.find(keyOf(name, type));
    return found == r.resources.end() ? std::span<const std::uint8_t>{} : found->second;
}

void unregisterResource(std::string_view name, std::string_view type) {
    Registry& r = registry();
    const std::lock_guard lock(r.mutex);
    r.resources.erase(keyOf(name, type));
}

} // namespace quillex
