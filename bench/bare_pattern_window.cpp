// The floor for showing a new test pattern on a key: a bare Qt Widgets
// window that covers the screen and, on each key, swaps a white field for a
// grating, both made before it is shown.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <cstring>

namespace {

// Light cyan lines on every even column, on black, inside a one-pixel light
// cyan border: the same pixels as Quorvane's grating on a landscape monitor.
QImage Grating(QSize size)
{
    const QRgb cyan = qRgb(0, 255, 255);
    QImage image(size, QImage::Format_RGB32);
    image.fill(cyan);  // the top and bottom rows stay so
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(1));
    for (int x = 1; x < size.width() - 1; ++x) {
        row[x] = x % 2 == 0 ? cyan : qRgb(0, 0, 0);
    }
    for (int y = 2; y < size.height() - 1; ++y) {
        std::memcpy(image.scanLine(y), row, static_cast<size_t>(image.bytesPerLine()));
    }
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
