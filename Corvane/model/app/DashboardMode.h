#pragma once

namespace corvane {

/// The three screens of the dashboard.
enum class DashboardMode { home, optimize, clean };

} // namespace corvane
