#include "game/core/wheel_time.h"

#include "platform/clock/clock.h"

void SDL2_wheel_GetLocalTime(int* year, int* month, int* day, int* hour, int* minute, int* second) {
    const platform::LocalTime now = platform::currentClock().localTime();
    *year = now.year;
    *month = now.month;
    *day = now.day;
    if (hour) *hour = now.hour;
    if (minute) *minute = now.minute;
    if (second) *second = now.second;
}
