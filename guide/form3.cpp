#include "guide/form3.h"

#include <array>
#include <string>

#include "pattern/frm_test_form.h"
#include "platform/os_services.h"
#include "platform/run_time_error.h"
#include "platform/toolkit/program.h"
#include "startup/program_state.h"
#include "startup/program_windows.h"

namespace quorvane {

namespace {

// The design face: a proportional Japanese Gothic, substituted where it is missing.
const std::string kDesignFace = "ＭＳ Ｐゴシック";

template <typename Widget, size_t N>
Widget& Member(const std::array<std::unique_ptr<Widget>, N>& group, int16_t index, int16_t first, const char* name)
{
    if (index < first || index >= static_cast<int16_t>(first + N)) {
        throw RunTimeError(kSubscriptOutOfRange, std::string(name) + "(" + std::to_string(index) + ")");
    }
    return *group[static_cast<size_t>(index - first)];
}

}  // namespace

struct Form3::Widgets {
    std::array<std::unique_ptr<toolkit::CommandButton>, 3> auto_mode_key;
    std::array<std::unique_ptr<toolkit::Label>, 6> Test2;
    std::unique_ptr<toolkit::Frame> Frame1;
    toolkit::OptionGroup languages;
    std::array<std::unique_ptr<toolkit::OptionButton>, 7> Option2;
};

Form3::Form3() : Form({".", toolkit::BorderStyle::FixedDialog, 7620, 2505, kDesignFace, 10.5, false}) {}

Form3::~Form3() = default;

void Form3::CreateWidgets()
{
    SetScaleModePixels();
    widgets_ = std::make_unique<Widgets>();
    Widgets& w = *widgets_;
    // Created in tab order: the step buttons, the labels, then the language panel.
    const std::array<double, 3> buttonLefts = {1080, 2880, 5640};
    for (int16_t i = 0; i < 3; ++i) {
        auto& button = w.auto_mode_key[static_cast<size_t>(i)];
        button = std::make_unique<toolkit::CommandButton>(*this, buttonLefts[static_cast<size_t>(i)], 2040, 1455, 375);
        button->SetFontName(kDesignFace);
        button->SetFontSize(10.5);
        button->onClick = [this, i] { auto_mode_key_Click(i); };
        button->onKeyPress = [this, i](int16_t& KeyAscii) { auto_mode_key_KeyPress(i, KeyAscii); };
    }
    w.auto_mode_key[0]->SetEnabled(false);
    for (int16_t i = 0; i < 6; ++i) {
        auto& label = w.Test2[static_cast<size_t>(i)];
        label = std::make_unique<toolkit::Label>(*this, 2100, 120 + 240 * i, 5532, 252, U"Label1");
        label->SetFontName(kDesignFace);
        label->SetFontSize(7.5);
    }
    w.Frame1 = std::make_unique<toolkit::Frame>(*this, 0, 0, 2055, 1935);
    const std::array<const char32_t*, 7> designNames = {U"日本語",   U"English", U"Deutsch", U"Fran*ais",
                                                        U"Espa*ol", U"Italiano", U"Svenska"};
    for (int16_t i = 1; i <= 7; ++i) {
        auto& option = w.Option2[static_cast<size_t>(i - 1)];
        option = std::make_unique<toolkit::OptionButton>(*this, w.languages, w.Frame1.get(), 240,
                                                         120 + 240 * (i - 1), 1392, 252,
                                                         designNames[static_cast<size_t>(i - 1)]);
        option->SetFontName(kDesignFace);
        option->SetFontSize(10.5);
        option->onClick = [this, i] { Option2_Click(i); };
        option->onKeyPress = [this, i](int16_t& KeyAscii) { Option2_KeyPress(i, KeyAscii); };
    }
}

void Form3::DestroyWidgets() { widgets_.reset(); }

toolkit::Frame& Form3::Frame1()
{
    Load();
    return *widgets_->Frame1;
}

toolkit::OptionButton& Form3::Option2(int16_t Index)
{
    Load();
    return Member(widgets_->Option2, Index, 1, "Option2");
}

toolkit::CommandButton& Form3::auto_mode_key(int16_t Index)
{
    Load();
    return Member(widgets_->auto_mode_key, Index, 0, "auto_mode_key");
}

toolkit::Label& Form3::Test2(int16_t Index)
{
    Load();
    return Member(widgets_->Test2, Index, 0, "Test2");
}

void Form3::Form_Load()
{
    const ProgramState& state = State();
    const double tppX = toolkit::TwipsPerPixelX();

    DialogMonitorList = std::make_unique<clsMonitors>();
    DialogMonitorList->Refresh();

    // Centred on the target monitor with the width the dialog has now, its design width.
    SetLeft((tppX * state.TargetWidth - Width()) / 2 + tppX * state.TargetLeft);
    SetTop(20);
    SetWidth((Frame1().Width() + Test2(0).Width() + 10) * tppX);

    Frame1().SetLeft(2);
    for (int16_t i = 0; i <= 5; ++i) {
        Test2(i).SetLeft(Frame1().Width() + 2);
    }
    auto_mode_key(0).SetLeft(80);
    auto_mode_key(2).SetLeft(Frame1().Width() + 2 + Test2(0).Width() - auto_mode_key(2).Width() - 80);
    auto_mode_key(1).SetLeft((auto_mode_key(2).Left() + auto_mode_key(0).Left()) / 2);

    for (int16_t i = 0; i <= 2; ++i) {
        auto_mode_key(i).SetCaption(state.ButtonText(state.LanguageIndex, static_cast<int16_t>(i + 1)));
    }
    for (int16_t i = 1; i <= 7; ++i) {
        Option2(i).SetVisible(false);
    }
    Option2(state.LanguageIndex).Select();

    const std::string face = Test2(1).FontName();
    for (int16_t i = 0; i <= 5; ++i) {
        Test2(i).SetFontName(face);
        Test2(i).SetFontSize(9);
        Test2(i).SetFontBold(false);
        Test2(i).SetFontItalic(false);
    }
    for (int16_t i = 1; i <= 7; ++i) {
        Option2(i).SetFontName(face);
        Option2(i).SetFontSize(10);
    }
}

void Form3::Form_Activate()
{
    const ProgramState& state = State();

    TestForm().SetEnabled(false);
    Os().ShowCursor(1);
    Os().SetWindowPos(static_cast<int32_t>(hWnd()), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);

    auto_mode_key(0).SetCaption(state.ButtonText(state.LanguageIndex, 1));
    auto_mode_key(1).SetCaption(state.ButtonText(state.LanguageIndex, 2));

    for (int16_t i = 1; i <= 7; ++i) {
        Option2(i).Deselect();
    }
    Option2(state.LanguageIndex).Select();

    if (state.StepIndex == 1) {
        ShowLanguagePanel();
    } else {
        HideLanguagePanel();
    }
}

void Form3::Form_Unload(int16_t&)
{
    // Hide the cursor whatever the counter stands at; stop should the counter not move.
    int32_t previous = Os().ShowCursor(0);
    while (previous >= 0) {
        const int32_t counter = Os().ShowCursor(0);
        if (counter >= previous) {
            break;
        }
        previous = counter;
    }
    TestForm().SetEnabled(true);
}

}  // namespace quorvane
