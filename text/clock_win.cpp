// The local calendar clock on Windows.
#include <windows.h>

#include "text/date_time.h"

namespace quorvane {

CivilTime ReadLocalClock() {
    SYSTEMTIME local;
    GetLocalTime(&local);  // milliseconds are dropped: the clock is read to the second
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace quorvane
