#include "ui/SplashScreen.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// The window of the splash: translucent, it paints the premultiplied bitmap as it is, so the
// compositor blends the soft edges with whatever lies behind.
class SplashWindow : public QWidget {
public:
    SplashWindow() {
        setAttribute(Qt::WA_TranslucentBackground);
        // Hiding the splash before the main window shows must not end the program.
        setAttribute(Qt::WA_QuitOnClose, false);
    }

    void setContent(QImage bitmap) {
        content = std::move(bitmap);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, content);
    }

private:
    QImage content;
};

QRect virtualDesktop(const QList<QRect>& screens) {
    QRect desktop;
    for (const QRect& screen : screens)
        desktop = desktop.united(screen);
    return desktop;
}

QPoint splashPosition(const QRect& desktop, const QSize& window) {
    const int left = desktop.left() + desktop.width() / 2 - window.width() / 2;
    const int top = desktop.top() + desktop.height() / 2 - window.height() / 2;
    return {std::max(left, desktop.left()), std::max(top, desktop.top())};
}

namespace {

// f = alpha / 255 as the nearest double, held as significand * 2^-shift so that a colour times f
// is an exact integer product (8 + 53 bits) and the floor is a plain shift: no rounding up.
struct ExactFactor {
    std::uint64_t significand = 0;
    int shift = 0;

    explicit ExactFactor(int alpha) {
        const double f = alpha / 255.0;
        int exponent = 0;
        const double fraction = std::frexp(f, &exponent);
        significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        shift = 53 - exponent;
    }

    int times(int colour) const { return int((std::uint64_t(colour) * significand) >> shift); }
};

} // namespace

void MakePremultipliedBitmap(QImage& bitmap, const QImage& image) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    bitmap = QImage(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int alpha = qAlpha(in[x]);
            const ExactFactor f(alpha);
            out[x] =
                qRgba(f.times(qRed(in[x])), f.times(qGreen(in[x])), f.times(qBlue(in[x])), alpha);
        }
    }
}

TSplash::TSplash() : SplashForm(std::make_unique<SplashWindow>()) {}

TSplash::TSplash(const QImage& Image) : TSplash() {
    SetImage(Image);
}

TSplash::~TSplash() = default;

void TSplash::SetImage(const QImage& Image) {
    FImage = Image;
}

QWidget* TSplash::Form() const {
    return SplashForm.get();
}

void TSplash::Show(bool StayOnTop) {
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (StayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    SplashForm->setWindowFlags(flags);
    SplashForm->resize(FImage.size());

    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    SplashForm->move(splashPosition(virtualDesktop(screens), FImage.size()));

    ApplyLayeredImage();
    SplashForm->show();

    // Nothing repaints the window while the caller blocks the thread, so its content must reach
    // the window system now: wait (briefly) until the window is mapped, then paint and flush.
    const QDeadlineTimer deadline(500);
    while (!SplashForm->windowHandle()->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    SplashForm->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QGuiApplication::sync();
}

void TSplash::Close() {
    SplashForm->hide();
}

void TSplash::ApplyLayeredImage() {
    QImage bitmap;
    MakePremultipliedBitmap(bitmap, FImage);
    SplashForm->setContent(std::move(bitmap));
}
