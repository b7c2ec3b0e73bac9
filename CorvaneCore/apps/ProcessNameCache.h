#pragma once

#include <mutex>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvane {

/// The names of running processes (as `ProcessScanner::namesOf` gives them) for a caller that
/// asks again and again, as every AI poll does. A process seen before (same process ID, same
/// /proc folder, same command name) keeps its names; only new or changed processes have their
/// command line and executable read, which is most of a full scan's cost. A process that replaces
/// its program (exec) or renames itself changes its command name, and so is read again; one that
/// execs a program of the same file name (node to node) keeps the names it had.
/// Safe from any thread: concurrent calls each scan; the lock is held only to hand the table over.
class ProcessNameCache {
public:
    /// Every name of every process this user may inspect; empty when the process table is unreadable.
    std::set<std::string> runningNames();

private:
    /// What one process was known by when last read.
    struct Entry {
        unsigned long long folder{}; // inode number of /proc/<pid>
        std::string comm;
        std::vector<std::string> names;
    };

    std::mutex lock_;
    std::unordered_map<int, Entry> entries_; // by process ID; only processes alive at the last scan
};

} // namespace corvane
