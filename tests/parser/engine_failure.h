// Test helper: runs an engine call and reports the SSException it raises.
#pragma once

#include "parser/ss_exception.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace quillex::test {

// The id and text of the SSException `run` raises; {0, "no exception"} else.
inline std::pair<std::int32_t, std::string> failureOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const SSException& e) {
        return {e.id(), e.text()};
    }
    return {0, "no exception"};
}

} // namespace quillex::test
