#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <vector>

#include "platform/toolkit/colour.h"
#include "program_fixture.h"

namespace quorvane::testing {
namespace {

class TestWindowTest : public ProgramTest {
protected:
    // Everything a handler of the test window could change.
    struct Snapshot {
        int16_t step;
        int16_t language;
        QImage picture;
        bool image1HasPicture;
        bool dialogLoaded;
        bool testWindowEnabled;
        Text title;
        std::vector<Text> labels;
        int32_t cursorCounter;
        size_t topmostCalls;
    };

    Snapshot Take() const
    {
        Snapshot snapshot{State().StepIndex,
                          State().LanguageIndex,
                          TestForm().Picture(),
                          !Image1Label().pixmap().isNull(),
                          Guide().IsLoaded(),
                          TestForm().Enabled(),
                          Guide().Caption(),
                          {},
                          os_.CursorCounter(),
                          os_.TopmostWindows().size()};
        for (int16_t k = 0; Guide().IsLoaded() && k <= 5; ++k) {
            snapshot.labels.push_back(Guide().Test2(k).Caption());
        }
        return snapshot;
    }

    void ExpectUnchanged(const Snapshot& before) const
    {
        const Snapshot after = Take();
        EXPECT_EQ(after.step, before.step);
        EXPECT_EQ(after.language, before.language);
        EXPECT_TRUE(SamePicture(after.picture, before.picture));
        EXPECT_EQ(after.image1HasPicture, before.image1HasPicture);
        EXPECT_EQ(after.dialogLoaded, before.dialogLoaded);
        EXPECT_EQ(after.testWindowEnabled, before.testWindowEnabled);
        EXPECT_EQ(after.title, before.title);
        EXPECT_EQ(after.labels, before.labels);
        EXPECT_EQ(after.cursorCounter, before.cursorCounter);
        EXPECT_EQ(after.topmostCalls, before.topmostCalls);
    }

    static QLabel& Image1Label() { return *static_cast<QLabel*>(TestForm().Image1().Native()); }

    static void GoToStep(int16_t step)
    {
        while (State().StepIndex < step) {
            int16_t key = 'N';
            Guide().auto_mode_key_KeyPress(1, key);
        }
    }

    static QPoint Centre() { return QPoint(State().TargetWidth / 2, State().TargetHeight / 2); }
};

TEST_F(TestWindowTest, KeysAndPressesOnImage1ChangeNothing)
{
    StartProgram();
    GoToStep(5);
    // Closing the dialog enables the test window; its deferred re-activation
    // has not run yet.
    Guide().Unload();
    ASSERT_TRUE(TestForm().Enabled());
    Image1Label().setPixmap(QPixmap(4, 4));
    const Snapshot before = Take();

    for (const char key : {'N', 'b', '\x1b', 'x', '\r'}) {
        EXPECT_EQ(ExitCodeOf([key] {
                      int16_t ascii = key;
                      TestForm().Form_KeyPress(ascii);
                      TestForm().Picture1_KeyPress(ascii);
                  }),
                  std::nullopt);
    }
    EXPECT_EQ(ExitCodeOf([] { TestForm().Image1_MouseDown(); }), std::nullopt);
    ExpectUnchanged(before);

    // The same through the window system.
    EXPECT_EQ(ExitCodeOf([] {
                  QTest::keyClick(TestForm().Picture1().Native(), Qt::Key_N);
                  QTest::keyClick(TestForm().Picture1().Native(), Qt::Key_Escape);
                  QTest::keyClick(TestForm().Client(), Qt::Key_B);
                  QTest::mouseClick(TestForm().Image1().Native(), Qt::LeftButton);
              }),
              std::nullopt);
    ExpectUnchanged(before);
}

TEST_F(TestWindowTest, PressOnTheWindowEndsTheProgramWithTheCursorShown)
{
    StartProgram();
    const int32_t counter = os_.CursorCounter();
    const int calls = os_.CallCount(OsCall::ShowCursor);
    EXPECT_EQ(ExitCodeOf([] { TestForm().Form_MouseDown(1, 0, 300, 200); }), 0);
    EXPECT_EQ(os_.CursorCounter(), counter + 1);
    EXPECT_EQ(os_.CallCount(OsCall::ShowCursor), calls + 1);
    // The end is immediate: the dialog's own unload handling did not run.
    EXPECT_TRUE(Guide().IsLoaded());
}

TEST_F(TestWindowTest, TestWindowGoesTopmostBeforeTheDialog)
{
    StartProgram();
    EXPECT_EQ(os_.TopmostWindows(),
              (std::vector<int32_t>{static_cast<int32_t>(TestForm().hWnd()), static_cast<int32_t>(Guide().hWnd())}));
}

TEST_F(TestWindowTest, ReactivationRedrawsAndBringsTheDialogBack)
{
    StartProgram();
    GoToStep(7);
    TestForm().Line(0, 0, State().TargetWidth - 1, 0, toolkit::RGB(255, 0, 0));
    Image1Label().setPixmap(QPixmap(4, 4));
    const size_t topmostCalls = os_.TopmostWindows().size();

    Guide().Unload();
    EXPECT_EQ(os_.CursorCounter(), -1);
    EXPECT_TRUE(TestForm().Enabled());
    for (int round = 0; round < 50 && !Guide().IsLoaded(); ++round) {
        QCoreApplication::processEvents();
    }

    ASSERT_TRUE(Guide().IsLoaded());
    EXPECT_TRUE(Guide().Client()->isVisible());
    EXPECT_EQ(State().StepIndex, 7);
    EXPECT_TRUE(ShowsPattern(7));
    EXPECT_TRUE(Image1Label().pixmap().isNull());
    EXPECT_EQ(Guide().Caption(), State().StepTitle(State().LanguageIndex, 7));
    ASSERT_EQ(os_.TopmostWindows().size(), topmostCalls + 2);
    EXPECT_EQ(os_.TopmostWindows()[topmostCalls], TestForm().hWnd());
    EXPECT_EQ(os_.TopmostWindows()[topmostCalls + 1], Guide().hWnd());
    EXPECT_FALSE(TestForm().Enabled());
    EXPECT_EQ(os_.CursorCounter(), 0);
}

TEST_F(TestWindowTest, WhileTheDialogIsUpInputOnTheTestWindowHasNoEffect)
{
    StartProgram();
    GoToStep(5);
    ASSERT_FALSE(TestForm().Enabled());
    const Snapshot before = Take();

    EXPECT_EQ(ExitCodeOf([] {
                  QTest::mouseClick(TestForm().Client(), Qt::LeftButton, {}, Centre());
                  QTest::mouseClick(TestForm().Client(), Qt::RightButton, {}, QPoint(1, 1));
                  QTest::mouseClick(TestForm().Image1().Native(), Qt::LeftButton);
                  QTest::keyClick(TestForm().Picture1().Native(), Qt::Key_N);
                  QTest::keyClick(TestForm().Client(), Qt::Key_Escape);
              }),
              std::nullopt);
    ExpectUnchanged(before);
    EXPECT_TRUE(Guide().Client()->isVisible());
}

}  // namespace
}  // namespace quorvane::testing
