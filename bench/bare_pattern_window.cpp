// The floor for showing a new test pattern on a key: a bare Qt Widgets
// window that covers the screen and, on each key, swaps a white field for a
// grating, both made before it is shown.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <cstdint>

#include "grating.h"

namespace {

QImage Grating(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    quorvane::bench::DrawGrating(reinterpret_cast<uint32_t*>(image.bits()), size.width(), size.height(),
                                 static_cast<int>(image.bytesPerLine() / 4));
    return image;
}

class PatternWindow : public QWidget {
public:
    explicit PatternWindow(QSize size) : white_(size, QImage::Format_RGB32), grating_(Grating(size))
    {
        white_.fill(Qt::white);
        setWindowFlags(Qt::FramelessWindowHint);
        // The image covers every pixel: no background to clear first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!event->isAutoRepeat()) {
            showsGrating_ = !showsGrating_;
            update();
        }
    }

    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, showsGrating_ ? grating_ : white_); }

private:
    QImage white_;
    QImage grating_;
    bool showsGrating_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    PatternWindow window(screen.size());
    window.setWindowTitle("bare_pattern_window");
    window.setGeometry(screen);
    window.show();
    return application.exec();
}
