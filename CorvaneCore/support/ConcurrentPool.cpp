#include "support/ConcurrentPool.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

namespace corvane {

namespace {

/// The pool whose thread this is, so that a pool ended from its own thread does not wait for it.
thread_local const void* currentPool = nullptr;

} // namespace

ConcurrentPool::ConcurrentPool(unsigned width, std::optional<std::chrono::milliseconds> idleExpiry)
    : width_(std::max(width, 1U)), idleExpiry_(idleExpiry.value_or(defaultIdleExpiry())) {}

ConcurrentPool::~ConcurrentPool() {
    std::deque<std::function<void()>> dropped;
    std::unique_lock lock(state_->mutex);
    state_->stopping = true;
    dropped.swap(state_->tasks);
    state_->wake.notify_all();
    const unsigned own = currentPool == state_.get() ? 1 : 0;
    state_->ended.wait(lock, [this, own] { return state_->threads == own; });
    lock.unlock();
    // `dropped` goes after the lock: a task's closure may own things that end pools of their own.
}

void ConcurrentPool::async(std::function<void()> task) {
    bool startThread = false;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->stopping) return;
        state_->tasks.push_back(std::move(task));
        // Every queued task beyond the idle threads needs a thread; past the width, a busy thread
        // takes it when its task is done.
        if (state_->tasks.size() > state_->idle && state_->threads < width_) {
            ++state_->threads; // counted now, so that the next call already sees it
            startThread = true;
        }
    }
    // Outside the lock: a woken thread would otherwise only block on it again at once.
    if (!startThread) {
        state_->wake.notify_one();
        return;
    }
    try {
        std::thread([state = state_, expiry = idleExpiry_] { run(state, expiry); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had now: the task waits for a running thread or the next call's try.
        std::lock_guard lock(state_->mutex);
        --state_->threads;
        state_->ended.notify_all();
    }
}

unsigned ConcurrentPool::threadCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->threads;
}

void ConcurrentPool::run(const std::shared_ptr<State>& state, std::chrono::milliseconds idleExpiry) {
    currentPool = state.get();
    std::unique_lock lock(state->mutex);
    for (;;) {
        ++state->idle;
        // The decision to end is taken under the lock with the queue seen empty, so a task queued
        // at the same moment either is found here or finds this thread gone and starts another.
        const bool hasWork =
            state->wake.wait_for(lock, idleExpiry, [&state] { return state->stopping || !state->tasks.empty(); });
        --state->idle;
        if (!hasWork || state->stopping) break;
        std::function<void()> task = std::move(state->tasks.front());
        state->tasks.pop_front();
        lock.unlock();
        try {
            task();
        } catch (...) {
            // Failures travel in the task's own result; nothing escapes the pool.
        }
        task = nullptr; // its closure may own the pool: end it before the lock is taken again
        lock.lock();
    }
    --state->threads;
    state->ended.notify_all();
}

std::chrono::milliseconds ConcurrentPool::defaultIdleExpiry() {
    static const std::chrono::milliseconds expiry =
        parseIdleExpiry(std::getenv("CORVANE_POOL_EXPIRY_MS")).value_or(standardIdleExpiry);
    return expiry;
}

std::optional<std::chrono::milliseconds> ConcurrentPool::parseIdleExpiry(const char* text) {
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    long long value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    constexpr long long day = 24LL * 60 * 60 * 1000;
    if (error != std::errc() || stop != end || value <= 0 || value > day) return std::nullopt;
    return std::chrono::milliseconds(value);
}

} // namespace corvane
