#pragma once

#include <cstddef>
#include <string_view>

namespace corvane::test {

/// Where `text` holds a raw C0 control other than newline, DEL or a UTF-8 encoded C1 control
/// (bytes a terminal would act on); npos when nowhere. Checks bytes only, independent of the
/// program's own decoder.
std::size_t firstRawControl(std::string_view text);

} // namespace corvane::test
