#pragma once

#include "ai/AIToolStatus.h"

#include <vector>

namespace corvane {

/// The source of AI tool statuses the model polls. `statuses` returns one entry per tool in
/// declaration order, may block for a bounded time, and is called off the main thread.
class AIWatching {
public:
    virtual ~AIWatching() = default;
    virtual std::vector<AIToolStatus> statuses() = 0;
};

} // namespace corvane
