#pragma once

#include "prefs/PreferenceStore.h"
#include "support/Date.h"

#include <array>
#include <optional>
#include <string_view>

namespace corvane {

/// A Boolean preference: its key and registered default.
struct BoolPref {
    std::string_view key;
    bool defaultValue;
};

/// A moment stored as seconds since 1970 (0 meaning none).
struct SecondsPref {
    std::string_view key;
    double defaultValue;
};

/// The user's preferences, read at the moment of use.
namespace Prefs {

inline constexpr BoolPref showPercent{"showPercent", true};
inline constexpr BoolPref notchEnabled{"notchEnabled", true};
inline constexpr BoolPref hoverOpen{"hoverOpen", true};
inline constexpr BoolPref hideIcon{"hideIcon", false};
inline constexpr SecondsPref pausedUntil{"pausedUntil", 0};
inline constexpr BoolPref hasOptimizedBefore{"hasOptimizedBefore", false};
inline constexpr BoolPref hasCleanedDiskBefore{"hasCleanedDiskBefore", false};
inline constexpr SecondsPref lastDiskAlert{"lastDiskAlert", 0};
inline constexpr BoolPref alertAIWaiting{"alertAIWaiting", true};
inline constexpr BoolPref alertFinished{"alertFinished", true};
inline constexpr BoolPref alertMemory{"alertMemory", true};
inline constexpr BoolPref alertDisk{"alertDisk", true};

inline constexpr std::array<BoolPref, 10> boolPrefs{showPercent,        notchEnabled,         hoverOpen,
                                                    hideIcon,           hasOptimizedBefore,   hasCleanedDiskBefore,
                                                    alertAIWaiting,     alertFinished,        alertMemory,
                                                    alertDisk};
inline constexpr std::array<SecondsPref, 2> secondsPrefs{pausedUntil, lastDiskAlert};

/// The length of the alert pause.
inline constexpr double pauseSeconds = 3600;

/// Registers the twelve defaults (`register` itself is a reserved word in C++).
void registerDefaults(PreferenceStore& store);

/// The stored value; the default when it is missing or of the wrong type.
bool value(const PreferenceStore& store, BoolPref pref);
double value(const PreferenceStore& store, SecondsPref pref);
void set(PreferenceStore& store, BoolPref pref, bool value);
void set(PreferenceStore& store, SecondsPref pref, double value);

/// The end of the alert pause when it lies strictly after `now`; otherwise absent.
std::optional<Date> pausedUntilDate(const PreferenceStore& store, Date now);
/// True exactly when `pausedUntilDate` is present.
bool isPaused(const PreferenceStore& store, Date now);
/// Pauses alerts for an hour from `now` unless a pause is running, which it ends (stores 0).
void togglePause(PreferenceStore& store, Date now);

} // namespace Prefs
} // namespace corvane
