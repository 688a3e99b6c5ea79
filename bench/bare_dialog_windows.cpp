// The floor of a Qt Widgets program with Quorvane's windows: a borderless
// window titled "Form2" that stays on top over the primary monitor, holding
// an empty area and an empty picture label, and a fixed dialog in front of
// it with step 1's caption, six labels, seven option buttons in a frame and
// three push buttons, in the fonts and sizes Quorvane gives them. It does
// nothing else: set beside Quorvane, it tells how much of the start-up any
// program showing these windows pays.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

namespace {

QFont Gothic(qreal points)
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSizeF(points);
    return font;
}

void ShowPatternWindow(QWidget& window)
{
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QStringLiteral("Form2"));
    window.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
    // Out of sight, as Quorvane keeps them.
    (new QWidget(&window))->setGeometry(window.height(), window.width(), 65, 49);
    (new QLabel(&window))->setGeometry(8, 8, 61, 48);
    window.show();
}

void ShowGuideDialog(QWidget& dialog)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    dialog.setWindowTitle(QStringLiteral("Step 1/8: Welcome"));
    dialog.setFixedSize(516, 167);
    dialog.move(258, 1);

    const char* const lines[] = {"This guide helps you adjust your flat-panel monitor in 8 steps.",
                                 "Choose your language with the buttons on the left.",
                                 "Keys: N = next step, B = step back, Esc = end the guide.", "", "", ""};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromUtf8(lines[i]), &dialog);
        label->setTextFormat(Qt::PlainText);
        label->setFont(Gothic(9));
        label->setGeometry(139, 8 + 16 * i, 369, 17);
    }

    auto* frame = new QFrame(&dialog);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setGeometry(2, 0, 137, 129);
    const char* const languages[] = {"日本語", "English", "Deutsch", "Français", "Español", "Italiano", "Svenska"};
    for (int i = 0; i < 7; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(languages[i]), frame);
        option->setAutoExclusive(false);
        option->setChecked(i == 1);
        option->setFont(Gothic(10));
        option->setGeometry(16, 8 + 16 * i, 93, 17);
    }

    const char* const buttons[] = {"< Back", "Next >", "Exit"};
    const int buttonLefts[] = {80, 205, 331};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[i]), &dialog);
        button->setAutoDefault(false);
        button->setEnabled(i != 0);
        button->setFont(Gothic(10.5));
        button->setGeometry(buttonLefts[i], 136, 97, 25);
    }
    dialog.show();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget patternWindow;
    ShowPatternWindow(patternWindow);
    QWidget dialog;
    ShowGuideDialog(dialog);
    return application.exec();
}
