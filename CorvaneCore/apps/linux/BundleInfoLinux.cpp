#include "apps/BundleInfo.h"

#include "support/RegularFile.h"

#include <plist/plist.h>

#include <limits>
#include <memory>

namespace corvane {

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using UniquePlist = std::unique_ptr<void, PlistFree>;

/// Information files of even large applications stay well below this.
constexpr std::size_t maxInfoPlistBytes = std::size_t{512} * 1024;

std::optional<std::string> stringEntry(plist_t dict, const char* key) {
    plist_t node = plist_dict_get_item(dict, key);
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) return std::nullopt;
    std::uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    if (text == nullptr) return std::nullopt;
    return std::string(text, length);
}

} // namespace

std::optional<BundlePlistFields> readBundlePlist(const std::string& bundlePath) {
    const auto data = readRegularFile(bundlePath + "/Contents/Info.plist", maxInfoPlistBytes);
    if (!data || data->empty() || data->size() > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(data->data(), static_cast<std::uint32_t>(data->size()), &root);
    const UniquePlist owner(root);
    if (root == nullptr || plist_get_node_type(root) != PLIST_DICT) return std::nullopt;
    return BundlePlistFields{stringEntry(root, "CFBundleIdentifier"), stringEntry(root, "CFBundleDisplayName"),
                             stringEntry(root, "CFBundleName")};
}

} // namespace corvane
