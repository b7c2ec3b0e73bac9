#include "ReducedMotionSetting.h"

#include "support/ScopedEnvironment.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gio/gio.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using test::ScopedEnvironment;

/// A home of its own with GSettings kept in a key file under its configuration folder, so neither
/// the user's files nor the user's GNOME settings are read.
class ReducedMotionSetting : public ::testing::Test {
protected:
    test::TempDir home_;
    ScopedEnvironment homeVariable_{"HOME", home_.path()};
    ScopedEnvironment backend_{"GSETTINGS_BACKEND", "keyfile"};
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
/// where the reader must stay silent and keep animations on. The switch is set by the same tool,
/// in the key file of this test's configuration folder.
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
    const std::string set = "gsettings set org.gnome.desktop.interface enable-animations ";
    EXPECT_FALSE(reducedMotion());
    ASSERT_EQ(test::runShell(set + "false").status, 0);
    EXPECT_TRUE(reducedMotion());
    ASSERT_EQ(test::runShell(set + "true").status, 0);
    EXPECT_FALSE(reducedMotion());
}

} // namespace
} // namespace corvane
