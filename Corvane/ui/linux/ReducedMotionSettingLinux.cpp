#include "ReducedMotionSetting.h"

#include "island/ReducedMotion.h"
#include "support/HomeDirectory.h"
#include "support/PathText.h"
#include "support/RegularFile.h"

#include <gio/gio.h>

#include <cstddef>
#include <memory>
#include <optional>

namespace corvane {

namespace {

constexpr std::size_t kdeglobalsMaxBytes = std::size_t{1024} * 1024;

struct SchemaUnref {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
struct KeyUnref {
    void operator()(GSettingsSchemaKey* key) const { g_settings_schema_key_unref(key); }
};
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

std::optional<bool> gnomeEnableAnimations() {
    // Without this check a missing schema or key would abort the process inside GSettings.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return std::nullopt;
    const std::unique_ptr<GSettingsSchema, SchemaUnref> schema(
        g_settings_schema_source_lookup(source, "org.gnome.desktop.interface", TRUE));
    if (!schema || g_settings_schema_has_key(schema.get(), "enable-animations") == FALSE) return std::nullopt;
    const std::unique_ptr<GSettingsSchemaKey, KeyUnref> key(g_settings_schema_get_key(schema.get(), "enable-animations"));
    if (g_variant_type_equal(g_settings_schema_key_get_value_type(key.get()), G_VARIANT_TYPE_BOOLEAN) == FALSE) {
        return std::nullopt;
    }
    const std::unique_ptr<GSettings, ObjectUnref> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    return g_settings_get_boolean(settings.get(), "enable-animations") != FALSE;
}

std::optional<double> kdeAnimationDurationFactorOfUser() {
    const std::string config =
        absolutePathFromEnvironment("XDG_CONFIG_HOME").value_or(joinPath(homeDirectory(), ".config"));
    const auto text = readRegularFile(joinPath(config, "kdeglobals"), kdeglobalsMaxBytes);
    return text ? kdeAnimationDurationFactor(*text) : std::nullopt;
}

} // namespace

bool reducedMotion() {
    return prefersReducedMotion({gnomeEnableAnimations(), kdeAnimationDurationFactorOfUser()});
}

} // namespace corvane
