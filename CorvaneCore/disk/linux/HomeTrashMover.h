#pragma once

#include "disk/Trashing.h"
#include "disk/linux/OpenBeneath.h"
#include "support/Clock.h"

#include <cstdlib>
#include <string>

namespace corvane {

/// Moves items below one home folder into a freedesktop.org home trash, restorable by any file
/// manager or trash-cli. It acts on exactly the entries it resolved: every folder from the home
/// folder down to the item's parent is opened without following a symbolic link, and the item is
/// renamed relative to that open parent, so a folder swapped for a link at any moment cannot
/// redirect the move. Never copies and never deletes. Holds no state between calls; thread-safe.
class HomeTrashMover final : public Trashing {
public:
    /// Moves items below `home` into `trashDirectory` (the folder holding "files" and "info");
    /// `now` dates each move.
    HomeTrashMover(const std::string& home, std::string trashDirectory, Clock now = systemClock(),
                   LinkFreeResolution resolution = LinkFreeResolution::automatic);

    /// The user's home trash: `dataHome` + "/Trash" when `dataHome` (by default the value of
    /// `XDG_DATA_HOME`) is an absolute path, else `home` + "/.local/share/Trash".
    static std::string trashDirectoryFor(const std::string& home, const char* dataHome = std::getenv("XDG_DATA_HOME"));

    /// Moves the entry at `path` (absolute, strictly below the home folder, without "." or ".."
    /// components) into the trash; a final symbolic link is moved as the link. False, with
    /// nothing moved and no trash record left behind, when a folder on the way is a link, the
    /// trash's folders are links or not folders, or the item is on another file system.
    bool trash(const std::string& path) override;

private:
    std::string home_;
    std::string trashDirectory_;
    Clock now_;
    LinkFreeResolution resolution_;
};

} // namespace corvane
