#pragma once

#include "support/UniqueFd.h"

#include <string>
#include <vector>

namespace corvane {

/// How folders below an open folder are reached without following any symbolic link.
enum class LinkFreeResolution {
    /// One `openat2` call that refuses links, magic links and escapes; the component walk where
    /// the kernel lacks `openat2`.
    automatic,
    /// One `openat(O_PATH | O_NOFOLLOW | O_DIRECTORY)` per component.
    componentWalk,
};

/// Opens, as an `O_PATH` descriptor, the folder reached from the open folder `base` through
/// `components`; a new descriptor of `base` when there are none. Invalid when a component is
/// empty, ".", "..", missing, a symbolic link or not a folder.
UniqueFd openFolderBeneath(int base, const std::vector<std::string>& components, LinkFreeResolution resolution);

/// Opens, as an `O_PATH` descriptor, the folder `name` in the open folder `parent`, creating it
/// with mode 0700 when missing. Invalid when it is a symbolic link or not a folder.
UniqueFd openOrCreateFolder(int parent, const std::string& name);

} // namespace corvane
