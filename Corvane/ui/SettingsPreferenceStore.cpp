#include "SettingsPreferenceStore.h"

#include "PreferenceText.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

#include <future>

namespace corvane {

std::string defaultPreferencePath() {
    // QStandardPaths applies the XDG rules: an unset or relative XDG_CONFIG_HOME means ~/.config.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder + QStringLiteral("/quillmere/Corvane.conf")).toStdString();
}

SettingsPreferenceStore::SettingsPreferenceStore(std::string path) : path_(std::move(path)) {
    const QSettings file(QString::fromStdString(path_), QSettings::IniFormat);
    // QSettings keeps every key it could parse around a malformed line (keys after a broken
    // section header land in that section and so read as missing).
    for (const QString& key : file.allKeys()) {
        const QVariant stored = file.value(key);
        // A list ("a, b") or other non-text value cannot be a preference; it reads as missing.
        if (stored.typeId() != QMetaType::QString) continue;
        fileTexts_.emplace(key.toStdString(), stored.toString().toStdString());
    }
}

SettingsPreferenceStore::~SettingsPreferenceStore() {
    writer_.reset();
    if (unwritten_) writeSetValues();
}

std::optional<PreferenceValue> SettingsPreferenceStore::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    return lockedValue(key);
}

std::optional<PreferenceValue> SettingsPreferenceStore::lockedValue(std::string_view key) const {
    if (auto it = setValues_.find(key); it != setValues_.end()) return it->second;
    std::optional<PreferenceValue> fallback;
    if (auto it = defaults_.find(key); it != defaults_.end()) fallback = it->second;
    if (auto it = fileTexts_.find(key); it != fileTexts_.end()) {
        if (auto parsed = parsePreferenceText(it->second, fallback)) return parsed;
    }
    return fallback;
}

void SettingsPreferenceStore::setValue(std::string_view key, PreferenceValue value) {
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        changed = lockedValue(key) != value;
        setValues_.insert_or_assign(std::string(key), value);
        unwritten_ = true;
    }
    if (changed) observers_.notify(key);
    writer_->async([this] { writeSetValues(); });
}

void SettingsPreferenceStore::registerDefault(std::string_view key, PreferenceValue value) {
    std::lock_guard lock(mutex_);
    defaults_.insert_or_assign(std::string(key), value);
}

PreferenceSubscription SettingsPreferenceStore::onChange(PreferenceObserver observer) {
    return observers_.add(std::move(observer));
}

bool SettingsPreferenceStore::flush() {
    std::promise<bool> written;
    auto result = written.get_future();
    writer_->async([this, &written] { written.set_value(writeSetValues()); });
    return result.get();
}

bool SettingsPreferenceStore::writeSetValues() {
    std::map<std::string, PreferenceValue, std::less<>> values;
    {
        std::lock_guard lock(mutex_);
        if (!unwritten_) return true;
        values = setValues_;
        unwritten_ = false;
    }
    // Writes run one at a time on the writer queue, each with the latest values, so the file
    // never ends older than memory. QSettings merges them into the file's other keys.
    QSettings file(QString::fromStdString(path_), QSettings::IniFormat);
    for (const auto& [key, value] : values) {
        file.setValue(QString::fromStdString(key), QString::fromStdString(preferenceText(value)));
    }
    file.sync();
    // A file that only failed to parse was still rewritten with every key that was read.
    if (file.status() != QSettings::AccessError) return true;
    std::lock_guard lock(mutex_);
    unwritten_ = true;
    return false;
}

} // namespace corvane
