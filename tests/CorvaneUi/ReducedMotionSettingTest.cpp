#include "ReducedMotionSetting.h"

#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gio/gio.h>

#include <gtest/gtest.h>

#include <memory>

namespace corvane {
namespace {

using test::ScopedEnvironment;

/// A home of its own with GSettings kept in memory, so neither the user's files nor the user's
/// GNOME settings are read.
class ReducedMotionSetting : public ::testing::Test {
protected:
    test::TempDir home_;
    ScopedEnvironment homeVariable_{"HOME", home_.path()};
    ScopedEnvironment backend_{"GSETTINGS_BACKEND", "memory"};
};

TEST_F(ReducedMotionSetting, KdeFactorIsReadFromTheUsersConfigFolder) {
    const test::TempDir config;
    ScopedEnvironment configVariable("XDG_CONFIG_HOME", config.path());
    EXPECT_FALSE(reducedMotion());
    config.write("kdeglobals", "[KDE]\nAnimationDurationFactor=0\n");
    EXPECT_TRUE(reducedMotion());
    config.write("kdeglobals", "[KDE]\nAnimationDurationFactor=0.5\n");
    EXPECT_FALSE(reducedMotion());

    // A relative XDG_CONFIG_HOME is ignored for ~/.config, as the XDG rules say.
    ScopedEnvironment relative("XDG_CONFIG_HOME", "config");
    EXPECT_FALSE(reducedMotion());
    home_.write(".config/kdeglobals", "[KDE]\nAnimationDurationFactor=0\n");
    EXPECT_TRUE(reducedMotion());
}

/// Needs GNOME's desktop schemas (Debian's gsettings-desktop-schemas); skipped without them,
/// where the reader must stay silent and keep animations on.
TEST_F(ReducedMotionSetting, GnomeSwitchIsReadThroughGSettingsWhenItsSchemaExists) {
    const test::TempDir config;
    ScopedEnvironment configVariable("XDG_CONFIG_HOME", config.path());
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source != nullptr ? g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE) : nullptr;
    if (schema == nullptr) {
        EXPECT_FALSE(reducedMotion());
        GTEST_SKIP() << "org.gnome.desktop.interface is not installed";
    }
    g_settings_schema_unref(schema);
    const std::unique_ptr<GSettings, decltype(&g_object_unref)> settings(
        g_settings_new("org.gnome.desktop.interface"), &g_object_unref);
    EXPECT_FALSE(reducedMotion());
    g_settings_set_boolean(settings.get(), "enable-animations", FALSE);
    EXPECT_TRUE(reducedMotion());
    g_settings_reset(settings.get(), "enable-animations");
    EXPECT_FALSE(reducedMotion());
}

} // namespace
} // namespace corvane
