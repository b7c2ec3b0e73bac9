#pragma once

namespace corvane::test {

/// For tests of permission handling, which root's power to read anything would void: when the
/// process runs as root, runs the current test again in a child process as the unprivileged
/// user "nobody" (uid and gid 65534, through util-linux's setpriv) and returns its exit status (126 when it ran no test);
/// returns -1 when not running as root (the caller then runs the test body itself).
int rerunCurrentTestUnprivileged();

} // namespace corvane::test
