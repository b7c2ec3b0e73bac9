#pragma once

#include "apps/AppOpening.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// The desktop IDs that stand for a host application's identifier (the AI tools' hosts are
/// named by their macOS bundle identifiers); the identifier itself when it is not in the table.
std::vector<std::string> desktopIDsFor(const std::string& bundleID);

/// The platform's application launcher: opens links with a given application and launches or
/// raises applications. An application that is not installed fails. Any thread.
std::shared_ptr<AppOpening> makeSystemAppOpener();

} // namespace corvane
