#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <memory>

class QWidget;
class SplashWindow;

// The rectangle that spans all monitors.
QRect virtualDesktop(const QList<QRect>& screens);

// Top left corner of a window centred on the desktop, never left of it or above it.
QPoint splashPosition(const QRect& desktop, const QSize& window);

// Fills bitmap with the image's pixels premultiplied by their alpha: 32 bits a pixel, bytes blue,
// green, red, alpha on little-endian (QImage::Format_ARGB32_Premultiplied). Each colour becomes
// floor(c * f) with f the double nearest to alpha / 255, the product taken exactly. Images
// without an alpha channel are converted to RGBA first.
void MakePremultipliedBitmap(QImage& bitmap, const QImage& image);

// A borderless window that shows an image with per-pixel transparency in the middle of the
// desktop. It knows nothing of the rest of the program.
class TSplash {
public:
    TSplash();
    explicit TSplash(const QImage& Image);
    ~TSplash();
    TSplash(const TSplash&) = delete;
    TSplash& operator=(const TSplash&) = delete;

    // The held image; setting it copies the given one, which stays the caller's.
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& Image);

    // Shows the image and returns once it is on screen, so that the caller may block the thread.
    void Show(bool StayOnTop);
    // Hides the window; the window and the image stay until the splash is destroyed.
    void Close();

    // The splash's own window, for those who need to look at it.
    QWidget* Form() const;

private:
    void ApplyLayeredImage();

    QImage FImage;
    std::unique_ptr<SplashWindow> SplashForm;
};
