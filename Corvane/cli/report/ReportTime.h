#pragma once

#include "support/Date.h"

#include <string>

namespace corvane {

/// `date` in the local time zone as "YYYY-MM-DD HH:MM:SS".
std::string reportLocalTime(Date date);
/// `date` in UTC as ISO 8601 ("YYYY-MM-DDTHH:MM:SSZ").
std::string reportIsoUtc(Date date);

} // namespace corvane
