#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Opens the null device on each of the standard descriptors 0 to 2 that is closed, so that no
/// file or connection the program opens later takes one of their numbers and receives text meant
/// for the terminal. Returns false when standard output was closed; call it before anything else.
bool guardStandardDescriptors();

/// Writes all of `text` to standard output, unbuffered. Absent on success; else the system's
/// words for the failure (a full disk, a closed descriptor).
std::optional<std::string> writeStandardOutput(std::string_view text);

/// Like `writeStandardOutput`, the failure as its errno value (EPIPE: the reader has gone); 0 on
/// success.
int writeStandardOutputErrno(std::string_view text);

/// Writes all of `text` to standard output and returns the exit status: 0, or `outputFailed`'s.
int printToStandardOutput(std::string_view text);

/// Prints the one-line message for output that could not be written, naming `reason`, on standard
/// error, and returns the exit status that goes with it (1).
int outputFailed(std::string_view reason);

} // namespace corvane
