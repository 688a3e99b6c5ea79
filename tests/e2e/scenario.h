#pragma once

#include <functional>
#include <string>
#include <vector>

#include "program_run.h"
#include "session.h"

namespace quorvane::e2e {

// A 1024 x 768 monitor left of a 1280 x 1024 one; `primary` 0 is the left one.
inline const QRect kSmallMonitor{0, 0, 1024, 768};
inline const QRect kLargeMonitor{1024, 0, 1280, 1024};
inline DesktopLayout SideBySide(size_t primary = 0)
{
    return DesktopLayout{{{kSmallMonitor}, {kLargeMonitor}}, primary};
}

// Language numbers, the order of the catalogue's blocks, and the settings
// that pick them; without a setting the program falls back to English.
enum class Language { Japanese = 1, English = 2, Deutsch = 3 };
inline const UserLanguage kNoLanguage{"C", ""};
inline const UserLanguage kGerman{"de_DE.UTF-8", "DEU"};
inline const UserLanguage kJapanese{"ja_JP.UTF-8", "JPN"};

// A step's title as the dialog shows it: its line in the sample catalogue,
// cut or padded with blanks to exactly 30 characters, as UTF-8.
std::string StepTitle(int step, Language language = Language::English);

// What a user does on a desktop and what must be seen; `needs` adds to the
// capabilities that the layout itself asks for.
struct Scenario {
    std::string name;
    DesktopLayout layout;
    std::function<void(const Session&)> play;
    Capabilities needs = {};
};
Capabilities NeedsOf(const Scenario& scenario);

// Every scenario, offered to each session; a file adds its own at start-up
// with `const bool added = AddScenarios({...});`.
std::vector<Scenario>& AllScenarios();
inline bool AddScenarios(const std::vector<Scenario>& scenarios)
{
    AllScenarios().insert(AllScenarios().end(), scenarios.begin(), scenarios.end());
    return true;
}

// Runs `check`; a failure it throws is the test's, reported as `what`'s.
// True when none came.
bool Passes(const std::string& what, const std::function<void()>& check);

// What the actions of a script share: the session, the program, the
// language it shows and the step it was last seen on.
struct Play {
    const Session& session;
    const ProgramRun& run;
    Language language;
    int step = 1;
};

// One thing the user does or sees; it throws when what should follow does
// not, and `what` names it in the report.
struct Action {
    std::string what;
    std::function<void(Play&)> act;
};

// Starts the program with the language `setting`, waits for the dialog's
// first title in `language`, then plays `actions` up to the first failure.
Scenario Script(std::string name, DesktopLayout layout, UserLanguage setting, Language language,
                std::vector<Action> actions, Capabilities needs = {});

}  // namespace quorvane::e2e
