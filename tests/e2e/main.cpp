#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "scenario.h"
#include "sway_session.h"
#include "wine_session.h"
#include "x11_session.h"

namespace quorvane::e2e {
namespace {

// A desktop the scenarios run on: its test suite and what it can do.
struct Desktop {
    const char* suite;
    Capabilities capabilities;
    std::function<std::unique_ptr<Session>(const DesktopLayout&)> start;
};

const Desktop kDesktops[] = {
    {"X11", X11Session::kCapabilities, [](auto& layout) { return std::make_unique<X11Session>(layout); }},
    {"Sway", SwaySession::kCapabilities, [](auto& layout) { return std::make_unique<SwaySession>(layout); }},
    {"Wine", WineSession::kCapabilities, [](auto& layout) { return std::make_unique<WineSession>(layout); }},
};

class ScenarioTest : public ::testing::Test {
public:
    ScenarioTest(const Desktop& desktop, const Scenario& scenario) : desktop_(desktop), scenario_(scenario) {}
    void TestBody() override { scenario_.play(*desktop_.start(scenario_.layout)); }

private:
    const Desktop& desktop_;
    const Scenario& scenario_;
};

}  // namespace
}  // namespace quorvane::e2e

// Each scenario on each desktop that can play it. QProcess watches its
// children through the application's event dispatcher; nothing here needs a
// desktop, so listing the tests works anywhere.
int main(int argc, char** argv)
{
    using namespace quorvane::e2e;
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    for (const Desktop& desktop : kDesktops) {
        for (const Scenario& scenario : AllScenarios()) {
            if (std::ranges::includes(desktop.capabilities, NeedsOf(scenario))) {
                ::testing::RegisterTest(
                    desktop.suite, scenario.name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                    [&]() -> ::testing::Test* { return new ScenarioTest(desktop, scenario); });
            }
        }
    }
    return RUN_ALL_TESTS();
}
