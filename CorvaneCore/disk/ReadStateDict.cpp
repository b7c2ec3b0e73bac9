#include "disk/SystemDiskAdvisor.h"

#include "support/RegularFile.h"

#include <plist/plist.h>
#include <simdjson.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace corvane {

namespace {

using StateDict = std::map<std::string, std::string>;

/// Update-state files hold a handful of strings; anything far larger is not one.
constexpr std::size_t maxStateFileBytes = std::size_t{256} * 1024;

std::optional<StateDict> jsonDict(const std::string& bytes) {
    simdjson::dom::parser parser;
    simdjson::dom::object object;
    if (parser.parse(bytes).get_object().get(object) != simdjson::SUCCESS) return std::nullopt;
    StateDict dict;
    for (const auto field : object) {
        std::string_view text;
        if (field.value.get_string().get(text) == simdjson::SUCCESS) dict[std::string(field.key)] = std::string(text);
    }
    return dict;
}

struct PlistFree {
    void operator()(plist_t node) const { ::plist_free(node); }
};
using UniquePlist = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistFree>;
using UniqueCString = std::unique_ptr<char, decltype(&std::free)>;

std::optional<StateDict> propertyListDict(const std::string& bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    plist_t parsed = nullptr;
    ::plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &parsed);
    const UniquePlist root(parsed);
    if (!root || ::plist_get_node_type(root.get()) != PLIST_DICT) return std::nullopt;
    StateDict dict;
    plist_dict_iter iterator = nullptr;
    ::plist_dict_new_iter(root.get(), &iterator);
    const UniqueCString iteratorOwner(static_cast<char*>(iterator), &std::free);
    while (true) {
        char* rawKey = nullptr;
        plist_t value = nullptr;
        ::plist_dict_next_item(root.get(), iterator, &rawKey, &value);
        const UniqueCString key(rawKey, &std::free);
        if (!key || !value) break;
        if (::plist_get_node_type(value) != PLIST_STRING) continue;
        std::uint64_t length = 0;
        if (const char* text = ::plist_get_string_ptr(value, &length)) dict[key.get()] = std::string(text, length);
    }
    return dict;
}

} // namespace

std::optional<StateDict> SystemDiskAdvisor::readStateDict(const std::string& path) {
    const std::optional<std::string> bytes = readRegularFile(path, maxStateFileBytes);
    if (!bytes) return std::nullopt;
    if (auto dict = jsonDict(*bytes)) return dict;
    return propertyListDict(*bytes);
}

} // namespace corvane
