#include "cli/StatusBarLine.h"

#include "cli/report/JsonWriter.h"
#include "symbols/SymbolGlyphs.h"
#include "support/Utf8.h"

#include <cstdio>

namespace corvane {

namespace {

std::string hexColor(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

std::string waybarLine(const StatusBarLook& look) {
    JsonWriter json;
    json.beginObject();
    json.key("text").value(pangoEscaped(look.text));
    json.key("tooltip").value(pangoEscaped(look.tooltip));
    json.key("class").beginArray().value(rawValue(look.level));
    if (look.waiting > 0) json.value("waiting");
    json.endArray();
    json.key("percentage").value(look.percent);
    return json.endObject().text() + "\n";
}

std::string i3blocksLine(const StatusBarLook& look) {
    std::string full = look.text;
    if (look.waiting > 0) full += "  " + encodeUtf8(glyphFor(Symbol::bellBadge).codepoint) + " " + std::to_string(look.waiting);
    JsonWriter json;
    json.beginObject();
    json.key("full_text").value(full);
    json.key("short_text").value(look.text);
    if (look.color) json.key("color").value(hexColor(*look.color));
    return json.endObject().text() + "\n";
}

} // namespace

std::optional<BarFormat> barFormatFromRaw(std::string_view raw) {
    if (raw == "waybar") return BarFormat::waybar;
    if (raw == "i3blocks") return BarFormat::i3blocks;
    if (raw == "plain") return BarFormat::plain;
    return std::nullopt;
}

std::string statusBarLine(BarFormat format, const StatusBarLook& look) {
    switch (format) {
    case BarFormat::waybar: return waybarLine(look);
    case BarFormat::i3blocks: return i3blocksLine(look);
    case BarFormat::plain: break;
    }
    return look.label + "\n";
}

std::string pangoEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += "&apos;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace corvane
