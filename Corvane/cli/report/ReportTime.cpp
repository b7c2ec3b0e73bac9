#include "cli/report/ReportTime.h"

#include <ctime>

namespace corvane {

namespace {

std::string format(Date date, const char* pattern, bool utc) {
    const std::time_t t = std::chrono::system_clock::to_time_t(date);
    std::tm parts{};
    if (utc) ::gmtime_r(&t, &parts);
    else ::localtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, pattern, &parts);
    return text;
}

} // namespace

std::string reportLocalTime(Date date) {
    return format(date, "%Y-%m-%d %H:%M:%S", false);
}

std::string reportIsoUtc(Date date) {
    return format(date, "%Y-%m-%dT%H:%M:%SZ", true);
}

} // namespace corvane
