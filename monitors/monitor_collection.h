#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "monitors/cls_monitor.h"

namespace quorvane {

// The key of a monitor's record: the decimal text of its handle ("-1", "0", "65537").
std::string MonitorKey(int32_t handle);

// A keyed collection of monitor records: insertion order, positions from 1,
// look-up by text key, and error 457 for a key added twice.
class MonitorCollection {
public:
    void Add(std::shared_ptr<clsMonitor> item, const std::string& key);
    int32_t Count() const;
    // Position 1 is the first record; a position outside the list is error 9.
    std::shared_ptr<clsMonitor> Item(int32_t position) const;
    // A key that is not present is error 5.
    std::shared_ptr<clsMonitor> Item(const std::string& key) const;
    bool Contains(const std::string& key) const;
    void Remove(int32_t position);

private:
    using Entries = std::vector<std::pair<std::string, std::shared_ptr<clsMonitor>>>;
    Entries::const_iterator Find(const std::string& key) const;

    Entries items_;
};

}  // namespace quorvane
