#include "prefs/Prefs.h"

namespace corvane::Prefs {

void registerDefaults(PreferenceStore& store) {
    for (const BoolPref& pref : boolPrefs) store.registerDefault(pref.key, pref.defaultValue);
    for (const SecondsPref& pref : secondsPrefs) store.registerDefault(pref.key, pref.defaultValue);
}

bool value(const PreferenceStore& store, BoolPref pref) {
    const auto stored = store.value(pref.key);
    if (const bool* b = stored ? std::get_if<bool>(&*stored) : nullptr) return *b;
    return pref.defaultValue;
}

double value(const PreferenceStore& store, SecondsPref pref) {
    const auto stored = store.value(pref.key);
    if (const double* d = stored ? std::get_if<double>(&*stored) : nullptr) return *d;
    return pref.defaultValue;
}

void set(PreferenceStore& store, BoolPref pref, bool value) {
    store.setValue(pref.key, value);
}

void set(PreferenceStore& store, SecondsPref pref, double value) {
    store.setValue(pref.key, value);
}

std::optional<Date> pausedUntilDate(const PreferenceStore& store, Date now) {
    const Date until = dateFromUnixSeconds(value(store, pausedUntil));
    if (until > now) return until;
    return std::nullopt;
}

bool isPaused(const PreferenceStore& store, Date now) {
    return pausedUntilDate(store, now).has_value();
}

void togglePause(PreferenceStore& store, Date now) {
    if (now >= dateFromUnixSeconds(value(store, pausedUntil))) {
        set(store, pausedUntil, unixSeconds(now) + pauseSeconds);
    } else {
        set(store, pausedUntil, 0.0);
    }
}

} // namespace corvane::Prefs
