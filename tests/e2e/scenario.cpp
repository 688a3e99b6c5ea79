#include "scenario.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QList>

#include <stdexcept>

namespace quorvane::e2e {
namespace {

std::vector<Scenario>& Registry()
{
    static std::vector<Scenario> scenarios;
    return scenarios;
}

}  // namespace

std::string StepTitle(int step, Language language)
{
    constexpr int kBlockLines = 74;
    constexpr int kTitleLength = 30;
    QFile file(QUORVANE_DATA_DIR "/LcdTFile.txt");
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + file.fileName().toStdString());
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    const qsizetype index = (static_cast<int>(language) - 1) * kBlockLines + 11 + 8 * (step - 1);
    if (index >= lines.size()) {
        throw std::runtime_error("the sample catalogue has no line " + std::to_string(index + 1));
    }
    QList<uint> characters = QString::fromUtf8(lines[index]).remove('\r').toUcs4();
    characters.resize(kTitleLength, U' ');
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()), kTitleLength).toStdString();
}

Capabilities NeedsOf(const Scenario& scenario)
{
    Capabilities needs = scenario.needs;
    const DesktopLayout& layout = scenario.layout;
    if (layout.primary != 0) {
        needs.insert(Capability::PrimaryChoice);
    }
    if (layout.dpi != 96) {
        needs.insert(Capability::ToolkitDpi);
    }
    for (const Monitor& monitor : layout.monitors) {
        if (monitor.scale != 1) {
            needs.insert(Capability::OutputScale);
        }
    }
    return needs;
}

const std::vector<Scenario>& AllScenarios()
{
    return Registry();
}

bool AddScenarios(std::vector<Scenario> scenarios)
{
    for (Scenario& scenario : scenarios) {
        Registry().push_back(std::move(scenario));
    }
    return true;
}

bool Passes(const std::string& what, const std::function<void()>& check)
{
    try {
        check();
        return true;
    } catch (const std::exception& failure) {
        ADD_FAILURE() << what << ": " << failure.what();
        return false;
    }
}

Scenario Script(std::string name, DesktopLayout layout, UserLanguage setting, Language language,
                std::vector<Action> actions, Capabilities needs)
{
    actions.insert(actions.begin(), Action{"the start", [](Play& play) {
                                               play.run.AwaitTitle(StepTitle(1, play.language), kFirstAppearance);
                                           }});
    auto play = [setting, language, actions](const Session& session) {
        const ProgramRun run(session, Launch{setting});
        Play state{session, run, language};
        for (const Action& action : actions) {
            if (!Passes(action.what + " after step " + std::to_string(state.step), [&] { action.act(state); })) {
                return;
            }
        }
    };
    return Scenario{std::move(name), std::move(layout), play, std::move(needs)};
}

}  // namespace quorvane::e2e
