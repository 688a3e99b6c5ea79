#include <gtest/gtest.h>

#include "monitor_test_support.h"
#include "monitors/cls_monitors.h"
#include "monitors/monitor_collection.h"

namespace quorvane {
namespace {

using testing::ErrorNumberOf;
using testing::FieldsOf;
using testing::kPrimary;

TEST(MonitorRecord, StartsAtZeroAndStoresWidthApartFromTheEdges)
{
    clsMonitor record;
    EXPECT_EQ(FieldsOf(record), std::vector<int32_t>(11, 0));
    record.Width(1024);
    record.Left(100);
    EXPECT_EQ(record.Width(), 1024);
    EXPECT_EQ(record.Right(), 0);
}

TEST(MonitorRecord, FilledFromTheSystemWithTheTaskbarOutsideTheWorkArea)
{
    FakeOs os;
    ScopedOs scoped(os);
    MonitorDesc primary = FakeMonitor(kPrimary, 0, 0, 1280, 1024, true);
    primary.work.bottom = 994;
    os.SetMonitors({primary});

    clsMonitors list;
    ASSERT_EQ(list.Monitors().Count(), 1);
    EXPECT_EQ(FieldsOf(*list.Monitors().Item(MonitorKey(kPrimary))),
              (std::vector<int32_t>{kPrimary, 0, 0, 1280, 1024, 0, 0, 1280, 994, 1280, 1024}));
}

TEST(MonitorCollection, KeepsOrderAndRefusesBadPositionsKeysAndDuplicates)
{
    EXPECT_EQ(MonitorKey(65537), "65537");
    EXPECT_EQ(MonitorKey(-1), "-1");

    MonitorCollection monitors;
    const auto first = std::make_shared<clsMonitor>();
    const auto second = std::make_shared<clsMonitor>();
    monitors.Add(first, "65538");
    monitors.Add(second, "65537");
    EXPECT_EQ(monitors.Count(), 2);
    EXPECT_EQ(monitors.Item(1), first);
    EXPECT_EQ(monitors.Item("65537"), second);

    EXPECT_EQ(ErrorNumberOf([&] { monitors.Add(std::make_shared<clsMonitor>(), "65538"); }), kDuplicateKey);
    EXPECT_EQ(monitors.Count(), 2);
    EXPECT_EQ(monitors.Item("65538"), first);

    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item(0); }), kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item(3); }), kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Item("65539"); }), kInvalidCall);
    EXPECT_EQ(ErrorNumberOf([&] { monitors.Remove(3); }), kSubscriptOutOfRange);

    monitors.Remove(1);
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
    EXPECT_EQ(kept->Handle(), kPrimary);  // a holder keeps its record

    auto replacement = std::make_shared<MonitorCollection>();
    list.SetMonitors(replacement);
    EXPECT_EQ(&list.Monitors(), replacement.get());
}

}  // namespace
}  // namespace quorvane
