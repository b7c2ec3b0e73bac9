#include "apps/AppAccumulation.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::string_view kIdentityPrefix = "identity:";

void addIdentity(std::vector<std::string>& identities, const std::string& identity) {
    if (std::find(identities.begin(), identities.end(), identity) == identities.end()) identities.push_back(identity);
}

} // namespace

AppAccumulation::AppAccumulation(std::size_t expectedProcesses) {
    groups_.reserve(expectedProcesses / 2);
    indexByKey_.reserve(expectedProcesses / 2);
}

void AppAccumulation::add(std::int32_t pid, std::uint64_t footprintBytes, std::string_view executablePath,
                          const std::optional<std::string>& identity) {
    GroupingKey where = groupingKey(executablePath);
    if (!where.appPath && identity) where.key = std::string(kIdentityPrefix) + *identity;
    auto [it, inserted] = indexByKey_.try_emplace(where.key, groups_.size());
    if (inserted) {
        groups_.push_back(
            AppAccumulator{std::move(where.key), std::move(where.appPath), std::move(where.execName), {}, 0, {}});
    }
    AppAccumulator& group = groups_[it->second];
    group.pids.push_back(pid);
    group.bytes += footprintBytes;
    if (identity) addIdentity(group.identities, *identity);
}

void AppAccumulation::foldClones() {
    std::vector<bool> absorbed(groups_.size(), false);
    for (std::size_t c = 0; c < groups_.size(); ++c) {
        const std::string& key = groups_[c].key;
        if (!key.starts_with("clone:")) continue;
        std::string suffix = "/";
        suffix += std::string_view(key).substr(6);
        for (std::size_t a = 0; a < groups_.size(); ++a) {
            AppAccumulator& app = groups_[a];
            if (absorbed[a] || !app.appPath || app.key.starts_with("clone:")) continue;
            if (!app.key.ends_with(suffix)) continue;
            app.pids.insert(app.pids.end(), groups_[c].pids.begin(), groups_[c].pids.end());
            app.bytes += groups_[c].bytes;
            for (const std::string& identity : groups_[c].identities) addIdentity(app.identities, identity);
            absorbed[c] = true;
            break;
        }
    }
    std::vector<AppAccumulator> kept;
    kept.reserve(groups_.size());
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        if (!absorbed[i]) kept.push_back(std::move(groups_[i]));
    }
    groups_ = std::move(kept);
    indexByKey_.clear();
    for (std::size_t i = 0; i < groups_.size(); ++i) indexByKey_.emplace(groups_[i].key, i);
}

std::vector<AppAccumulator> AppAccumulation::ranked(int limit) && {
    if (limit <= 0) return {};
    std::stable_sort(groups_.begin(), groups_.end(),
                     [](const AppAccumulator& a, const AppAccumulator& b) { return a.bytes > b.bytes; });
    if (groups_.size() > static_cast<std::size_t>(limit)) groups_.resize(static_cast<std::size_t>(limit));
    return std::move(groups_);
}

} // namespace corvane
