#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The applications that host the AI tools' sessions, as this platform knows them. A host is named
/// by the identifier the tools' host tables use ("com.openai.codex"); one platform table maps it to
/// the identities its applications run under (on Linux: desktop IDs and window classes). The
/// application opener and the "host is in front" rule both read that table.
namespace corvane::HostApplications {

/// The applications the opener tries for `hostID`, most preferred first; `hostID` itself when the
/// table has no entry for it (it is then taken as an application identity of its own).
std::vector<std::string> launchIDs(std::string_view hostID);

/// Every identity under which `hostID` shows the tools' sessions when it is front-most: its own
/// applications and, where the tool runs inside them, terminals and editors. Empty when the table
/// has no entry for it.
std::vector<std::string_view> identities(std::string_view hostID);

/// True when the front-most application's identity `frontmost` is `hostID` itself or one of its
/// identities, ignoring ASCII case (window classes are capitalised, desktop IDs often are not).
bool isFrontmost(std::string_view hostID, std::string_view frontmost);

} // namespace corvane::HostApplications
