// The local date and time in the locale's long form.
#include "foundation/local_date_time.h"

#include <ctime>

namespace quillex {

std::string localDateAndTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[256];
    const std::size_t size = std::strftime(text, sizeof text, "%c", &local);
    return std::string(text, size);
}

} // namespace quillex
