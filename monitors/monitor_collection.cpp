#include "monitors/monitor_collection.h"

#include <algorithm>

#include "platform/run_time_error.h"

namespace quorvane {

std::string MonitorKey(int32_t handle) { return std::to_string(handle); }

void MonitorCollection::Add(std::shared_ptr<clsMonitor> item, const std::string& key)
{
    if (Contains(key)) {
        throw RunTimeError(kDuplicateKey, "monitor key \"" + key + "\"");
    }
    items_.emplace_back(key, std::move(item));
}

int32_t MonitorCollection::Count() const { return static_cast<int32_t>(items_.size()); }

std::shared_ptr<clsMonitor> MonitorCollection::Item(int32_t position) const
{
    if (position < 1 || position > Count()) {
        throw RunTimeError(kSubscriptOutOfRange, "monitor position " + std::to_string(position));
    }
    return items_[static_cast<size_t>(position - 1)].second;
}

std::shared_ptr<clsMonitor> MonitorCollection::Item(const std::string& key) const
{
    const auto found = Find(key);
    if (found == items_.end()) {
        throw RunTimeError(kInvalidCall, "no monitor under key \"" + key + "\"");
    }
    return found->second;
}

bool MonitorCollection::Contains(const std::string& key) const { return Find(key) != items_.end(); }

MonitorCollection::Entries::const_iterator MonitorCollection::Find(const std::string& key) const
{
    return std::find_if(items_.begin(), items_.end(), [&](const auto& entry) { return entry.first == key; });
}

void MonitorCollection::Remove(int32_t position)
{
    if (position < 1 || position > Count()) {
        throw RunTimeError(kSubscriptOutOfRange, "monitor position " + std::to_string(position));
    }
    items_.erase(items_.begin() + (position - 1));
}

}  // namespace quorvane
