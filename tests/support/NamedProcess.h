#pragma once

#include "support/TempDir.h"

#include <sys/types.h>

#include <string>
#include <vector>

namespace corvane::test {

/// A running copy of `program` (by default /bin/sleep 60) installed and started as `name` (its
/// file name, command name and argv[0]) with `arguments`; exec'd once the constructor returns.
/// Killed and reaped by `stop()` or on destruction.
class NamedProcess {
public:
    explicit NamedProcess(const std::string& name, const std::string& program = "/bin/sleep",
                          const std::vector<std::string>& arguments = {"60"});
    ~NamedProcess() { stop(); }
    NamedProcess(const NamedProcess&) = delete;
    NamedProcess& operator=(const NamedProcess&) = delete;

    pid_t pid() const { return pid_; }
    /// Afterwards the process is gone from /proc: not even a zombie is left.
    void stop();

private:
    TempDir bin_;
    pid_t pid_{-1};
};

} // namespace corvane::test
