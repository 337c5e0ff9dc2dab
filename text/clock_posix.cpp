// The local calendar clock on POSIX systems.
#include <ctime>

#include "text/date_time.h"

namespace quorvane {

CivilTime ReadLocalClock() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace quorvane
