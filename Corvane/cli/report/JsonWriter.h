#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Builds compact JSON text. The caller keeps objects and arrays balanced. Strings, keys included,
/// always come out as valid UTF-8 that is safe to print on a terminal: each maximal ill-formed
/// subsequence of the input becomes one U+FFFD; quote and backslash, the C0 controls (\n, \r, \t,
/// \b, \f, others as \u00xx), DEL, the C1 controls U+0080–U+009F and U+2028/U+2029 are escaped.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// The key of the next member of the current object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(std::uint64_t number);
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    /// The value, or null when absent.
    template <typename T>
    JsonWriter& value(const std::optional<T>& maybe) {
        return maybe ? value(*maybe) : null();
    }

    const std::string& text() const { return out_; }

private:
    void separate();

    std::string out_;
    bool needsComma_{false};
};

} // namespace corvane
