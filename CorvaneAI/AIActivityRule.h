#pragma once

#include "AIWatcherConfig.h"
#include "TailResult.h"
#include "ai/AIActivity.h"

namespace corvane {

/// What a session is doing, from its transcript's raw state and the seconds since the transcript
/// was last written (`age`, negative when the clock is behind the file): a finished turn waits for
/// the user once quiet for `waitingDebounce`; a pending tool call may need confirmation once quiet
/// for longer than `confirmAfter`; busy or undecided work goes idle once quiet for longer than
/// `workingStaleAfter`; an interrupted request is idle at once.
AIActivity activityFor(RawState state, double age, const AIWatcherConfig& config);

} // namespace corvane
