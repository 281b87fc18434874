// The program's compiled-in resources (the two parser table images), found
// by name and type as the engines ask for them.
//
// The bytes are not copied: a registered span must stay valid for the life
// of the program (static data). Names and types compare without regard to
// ASCII case.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillex {

// Registers (or replaces) the resource `name` of type `type`.
void registerResource(std::string_view name, std::string_view type,
                      std::span<const std::uint8_t> bytes);

// The bytes of the resource, or an empty span when none is registered.
std::span<const std::uint8_t> findResource(std::string_view name, std::string_view type);

// Removes a resource (tests that need a missing one).
void unregisterResource(std::string_view name, std::string_view type);

} // namespace quillex
