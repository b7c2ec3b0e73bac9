#pragma once

#include "apps/AppOpening.h"

#include <memory>

namespace corvane {

/// The platform's application launcher: opens links with a given application and launches or
/// raises applications, trying the host's applications from `HostApplications::launchIDs` in
/// order. An application that is not installed fails. Any thread.
std::shared_ptr<AppOpening> makeSystemAppOpener();

} // namespace corvane
