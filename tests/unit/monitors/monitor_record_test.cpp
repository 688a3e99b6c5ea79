#include <gtest/gtest.h>

#include "monitor_test_support.h"
#include "monitors/cls_monitor.h"
#include "monitors/cls_monitors.h"
#include "monitors/monitor_collection.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;

TEST(MonitorRecord, StartsAtZeroAndStoresEachFieldUnchanged)
{
    clsMonitor record;
    for (int32_t value : {record.Handle(), record.Height(), record.Width(), record.Left(), record.Right(),
                          record.Top(), record.Bottom(), record.WorkLeft(), record.WorkRight(), record.WorkTop(),
                          record.WorkBottom()}) {
        EXPECT_EQ(value, 0);
    }

    record.Width(1024);
    record.Left(100);
    EXPECT_EQ(record.Width(), 1024);  // stored, not worked out from the edges
    EXPECT_EQ(record.Right(), 0);

    record.Left(-1024);
    record.WorkTop(-2147483647 - 1);
    record.Handle(-1);
    EXPECT_EQ(record.Left(), -1024);
    EXPECT_EQ(record.WorkTop(), -2147483647 - 1);
    EXPECT_EQ(record.Handle(), -1);
}

TEST(MonitorRecord, FilledFromTheSystemWithTheTaskbarOutsideTheWorkArea)
{
    FakeOs os;
    ScopedOs scoped(os);
    MonitorDesc primary = FakeMonitor(testing::kPrimary, 0, 0, 1280, 1024, true);
    primary.work.bottom = 994;
    os.SetMonitors({primary});

    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 1);
    const auto record = list.Monitors().Item(MonitorKey(testing::kPrimary));
    EXPECT_EQ(record->Handle(), testing::kPrimary);
    EXPECT_EQ(record->Left(), 0);
    EXPECT_EQ(record->Top(), 0);
    EXPECT_EQ(record->Right(), 1280);
    EXPECT_EQ(record->Bottom(), 1024);
    EXPECT_EQ(record->WorkLeft(), 0);
    EXPECT_EQ(record->WorkTop(), 0);
    EXPECT_EQ(record->WorkRight(), 1280);
    EXPECT_EQ(record->WorkBottom(), 994);
    EXPECT_EQ(record->Width(), 1280);
    EXPECT_EQ(record->Height(), 1024);
}

TEST(MonitorCollection, KeepsOrderAndRefusesBadPositionsKeysAndDuplicates)
{
    EXPECT_EQ(MonitorKey(65537), "65537");
    EXPECT_EQ(MonitorKey(0), "0");
    EXPECT_EQ(MonitorKey(-1), "-1");

    MonitorCollection monitors;
    const auto first = std::make_shared<clsMonitor>();
    const auto second = std::make_shared<clsMonitor>();
    monitors.Add(first, "65538");
    monitors.Add(second, "65537");
    EXPECT_EQ(monitors.Count(), 2);
    EXPECT_EQ(monitors.Item(1), first);
    EXPECT_EQ(monitors.Item(2), second);
    EXPECT_EQ(monitors.Item("65537"), second);

    EXPECT_EQ(ErrorNumberOf([&] { monitors.Add(std::make_shared<clsMonitor>(), "65538"); }), kDuplicateKey);
    EXPECT_EQ(monitors.Count(), 2);
    EXPECT_EQ(monitors.Item("65538"), first);

    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item(0); }), kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item(3); }), kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item("65539"); }), kInvalidCall);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Remove(3); }), kSubscriptOutOfRange);

    monitors.Remove(1);
    EXPECT_EQ(monitors.Count(), 1);
    EXPECT_EQ(monitors.Item(1), second);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item("65538"); }), kInvalidCall);
    monitors.Add(first, "65538");  // a removed key may come back
    EXPECT_EQ(monitors.Item(2), first);
}

TEST(MonitorList, CollectionIsCreatedOnFirstUseAndCanBeDiscarded)
{
    FakeOs os;
    ScopedOs scoped(os);
    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 1);
    const auto kept = list.Monitors().Item(1);

    list.SetMonitors(nullptr);
    EXPECT_EQ(list.Monitors().Count(), 0);
    EXPECT_EQ(kept->Handle(), testing::kPrimary);  // a holder keeps its record

    auto replacement = std::make_shared<MonitorCollection>();
    replacement->Add(kept, "1");
    list.SetMonitors(replacement);
    EXPECT_EQ(&list.Monitors(), replacement.get());
}

}  // namespace
}  // namespace quorvane
