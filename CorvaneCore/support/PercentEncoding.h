#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// `text` with every byte other than ASCII letters, digits, "-", "_", "." and "~", and the
/// characters in `alsoKept`, written as "%XX" (upper-case hex): "a b/é" gives "a%20b%2F%C3%A9",
/// and "a%20b/%C3%A9" with "/" kept, the escaped form of a URL path.
std::string percentEncoded(std::string_view text, std::string_view alsoKept = {});

} // namespace corvane
