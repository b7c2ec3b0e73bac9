#pragma once

#include "disk/DiskRisk.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// Where a platform keeps the catalogued data: the catalogue, the caches folder scanned for
/// update leftovers and other caches, and the cleaner's allowed roots derived from the catalogue.
/// Immutable after construction; shared freely between threads.
struct DiskLayout {
    /// One catalogue entry: a known place of regenerable or large data under the home folder.
    struct CatalogueEntry {
        std::string id;
        std::string title;
        /// May contain "%@", replaced by the measured size.
        std::string detail;
        DiskRisk risk{DiskRisk::safe};
        /// Application identities that own the data.
        std::vector<std::string> owners;
        /// Places relative to the home folder.
        std::vector<std::string> rel;
        /// Shown for information only, never cleaned.
        bool info{false};
        /// Present for large developer and browser caches, which use the larger size threshold.
        std::optional<std::uint64_t> minBytes;
    };

    std::vector<CatalogueEntry> entries;
    /// The per-user caches folder relative to the home folder.
    std::string cachesRel;
    /// The caches folder as the user reads it in texts.
    std::string cachesShown;
    /// The places of the cleanable entries, in catalogue order: the only roots the cleaner allows.
    std::vector<std::string> insideRoots;
    /// `insideRoots`, each split into its components.
    std::vector<std::vector<std::string>> rootComponents;
    /// Names in the caches folder that catalogue entries already cover.
    std::vector<std::string> cataloguedCacheNames;

    /// A layout whose derived lists are computed from `entries` and `cachesRel`.
    DiskLayout(std::vector<CatalogueEntry> entries, std::string cachesRel, std::string cachesShown);
    /// The index of the entry `id`, if the layout has it.
    std::optional<std::size_t> indexOf(const std::string& id) const;
};

/// The macOS layout: fourteen entries under ~/Library.
const DiskLayout& macLayout();
/// The Linux layout: the entries whose tools exist on Linux, in their XDG places.
const DiskLayout& linuxLayout();
/// The layout of the platform this program runs on.
const DiskLayout& currentLayout();

} // namespace corvane
