#pragma once

#include "prefs/PreferenceObservers.h"
#include "prefs/PreferenceStore.h"
#include "support/SerialQueue.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace corvane {

/// The preference file of the user: `$XDG_CONFIG_HOME/quillmere/Corvane.conf` (~/.config when
/// the variable is unset or not absolute).
std::string defaultPreferencePath();

/// Preferences kept in an INI file through QSettings. The file is read once at construction;
/// reads never touch the disk. A value set is seen at once and written in the background, in
/// order; a write that fails (read-only or full folder) keeps the value for this run and is
/// retried with the next write and at destruction. Keys the program never set are left in the
/// file as they are. A missing or unreadable value reads as the registered default.
/// Safe from any thread; needs no Qt application object.
class SettingsPreferenceStore final : public PreferenceStore {
public:
    explicit SettingsPreferenceStore(std::string path = defaultPreferencePath());
    /// Writes whatever is still unwritten.
    ~SettingsPreferenceStore() override;
    SettingsPreferenceStore(const SettingsPreferenceStore&) = delete;
    SettingsPreferenceStore& operator=(const SettingsPreferenceStore&) = delete;

    std::optional<PreferenceValue> value(std::string_view key) const override;
    void setValue(std::string_view key, PreferenceValue value) override;
    void registerDefault(std::string_view key, PreferenceValue value) override;
    PreferenceSubscription onChange(PreferenceObserver observer) override;

    /// Waits until the values set so far have been offered to the file (after the writes already
    /// queued); true when the file holds them all, false when the file cannot be written.
    bool flush();

private:
    std::optional<PreferenceValue> lockedValue(std::string_view key) const;
    /// Writes every value set in this run unless the file has them already; on failure they
    /// stay due for the next write. True when the file holds them all.
    bool writeSetValues();

    const std::string path_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string, std::less<>> fileTexts_; // as read at construction
    std::map<std::string, PreferenceValue, std::less<>> setValues_;
    std::map<std::string, PreferenceValue, std::less<>> defaults_;
    bool unwritten_ = false;
    PreferenceObservers observers_;
    std::optional<SerialQueue> writer_{std::in_place, "preferences"}; // stopped first on destruction
};

} // namespace corvane
