#include "scenario.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quorvane::e2e {

std::string StepTitle(int step, Language language)
{
    QFile file(QUORVANE_DATA_DIR "/LcdTFile.txt");
    Require(file.open(QIODevice::ReadOnly), "cannot read the sample catalogue");
    // Blocks of 74 lines; a step's title is the second of its eight lines.
    const QList<QByteArray> lines = file.readAll().split('\n');
    const qsizetype index = (static_cast<int>(language) - 1) * 74 + 11 + 8 * (step - 1);
    Require(index < lines.size(), "the sample catalogue is too short");
    QList<uint> characters = QString::fromUtf8(lines[index]).remove('\r').toUcs4();
    characters.resize(30, U' ');
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()), 30).toStdString();
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

std::vector<Scenario>& AllScenarios()
{
    static std::vector<Scenario> scenarios;
    return scenarios;
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
