// The splash: exact premultiplication, placement on the virtual desktop, and the window it shows.

#include "ui/SplashScreen.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <bit>
#include <cstdint>

namespace {

// floor(c * f) with f the double nearest to a / 255, in integers only: f = m / 2^k with m of 53
// bits, m = a * 2^k / 255 rounded to nearest (never a tie: 255 is odd).
int exactPremultiplied(int c, int a) {
    if (a == 0)
        return 0;
    int k = 0;
    while ((static_cast<unsigned __int128>(a) << k) / 255 < (std::uint64_t(1) << 52))
        ++k;
    const unsigned __int128 twice = (static_cast<unsigned __int128>(a) << (k + 1)) / 255;
    const unsigned __int128 m = (twice + 1) / 2;
    return int((c * m) >> k);
}

QImage onePixel(QRgb pixel) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, pixel);
    return image;
}

QList<QRect> screenGeometries() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    return screens;
}

} // namespace

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void premultipliesListedPixels_data();
    void premultipliesListedPixels();
    void premultipliesEveryAlphaAndColourExactly();
    void convertsImagesWithoutAlpha_data();
    void convertsImagesWithoutAlpha();
    void placesOnVirtualDesktop_data();
    void placesOnVirtualDesktop();
    void keepsItsOwnCopyOfTheImage();
    void showsBorderlessSizedAndCentred_data();
    void showsBorderlessSizedAndCentred();
    void closeHidesButKeepsWindowAndImage();
    void capturedWindowHasTheLogosTransparency();
};

void TestSplash::premultipliesListedPixels_data() {
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<QByteArray>("bytes"); // blue, green, red, alpha

    QTest::newRow("transparent is four zero bytes")
        << qRgba(255, 128, 7, 0) << QByteArray("\0\0\0\0", 4);
    QTest::newRow("opaque keeps its colours")
        << qRgba(10, 20, 30, 255) << QByteArray("\x1e\x14\x0a\xff", 4);
    QTest::newRow("A=128 turns 255 into 127")
        << qRgba(255, 255, 255, 128) << QByteArray("\x7f\x7f\x7f\x80", 4);
    QTest::newRow("A=1 turns 255 into 0") << qRgba(255, 255, 255, 1) << QByteArray("\0\0\0\x01", 4);
    QTest::newRow("A=85 turns 3 into 0") << qRgba(3, 3, 3, 85) << QByteArray("\0\0\0\x55", 4);
    QTest::newRow("A=5 turns 51 into 0") << qRgba(51, 51, 51, 5) << QByteArray("\0\0\0\x05", 4);
    QTest::newRow("A=51 turns 5 into 1") << qRgba(5, 5, 5, 51) << QByteArray("\x01\x01\x01\x33", 4);
    QTest::newRow("channels stay in place")
        << qRgba(255, 3, 5, 51) << QByteArray("\x01\0\x33\x33", 4);
}

void TestSplash::premultipliesListedPixels() {
    QFETCH(QRgb, pixel);
    QFETCH(QByteArray, bytes);
    if constexpr (std::endian::native != std::endian::little)
        QSKIP("the byte order blue, green, red, alpha is that of little-endian machines");

    QImage bitmap;
    MakePremultipliedBitmap(bitmap, onePixel(pixel));
    QCOMPARE(bitmap.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bitmap.constBits()), 4), bytes);
}

void TestSplash::premultipliesEveryAlphaAndColourExactly() {
    // Pixel (c, a) carries alpha a and a different colour value in each channel.
    QImage image(256, 256, QImage::Format_ARGB32);
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c < 256; ++c)
            image.setPixel(c, a, qRgba(c, 255 - c, (c * 7) % 256, a));

    QImage bitmap;
    MakePremultipliedBitmap(bitmap, image);
    QCOMPARE(bitmap.size(), image.size());
    for (int a = 0; a < 256; ++a) {
        for (int c = 0; c < 256; ++c) {
            const QRgb in = image.pixel(c, a);
            const QRgb out = reinterpret_cast<const QRgb*>(bitmap.constScanLine(a))[c];
            const auto where = qPrintable(QStringLiteral("A=%1 c=%2").arg(a).arg(c));
            QVERIFY2(qAlpha(out) == a, where);
            QVERIFY2(qRed(out) == exactPremultiplied(qRed(in), a), where);
            QVERIFY2(qGreen(out) == exactPremultiplied(qGreen(in), a), where);
            QVERIFY2(qBlue(out) == exactPremultiplied(qBlue(in), a), where);
        }
    }
}

void TestSplash::convertsImagesWithoutAlpha_data() {
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QRgb>("expected");

    QImage rgb(1, 1, QImage::Format_RGB888);
    rgb.setPixel(0, 0, qRgb(10, 20, 30));
    QTest::newRow("truecolour") << rgb << qRgba(10, 20, 30, 255);

    QImage grey(1, 1, QImage::Format_Grayscale8);
    grey.fill(90);
    QTest::newRow("greyscale") << grey << qRgba(90, 90, 90, 255);

    QImage palette(1, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgba(200, 100, 50, 255), qRgba(200, 100, 50, 128)});
    palette.setPixel(0, 0, 1);
    QTest::newRow("palette with transparency") << palette << qRgba(100, 50, 25, 128);
}

void TestSplash::convertsImagesWithoutAlpha() {
    QFETCH(QImage, image);
    QFETCH(QRgb, expected);
    QImage bitmap;
    MakePremultipliedBitmap(bitmap, image);
    QCOMPARE(bitmap.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(bitmap.pixel(0, 0), expected);
}

void TestSplash::placesOnVirtualDesktop_data() {
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("one screen") << QList<QRect>{{0, 0, 1920, 1080}} << QSize(600, 400)
                                << QPoint(660, 340);
    QTest::newRow("odd sizes round down")
        << QList<QRect>{{0, 0, 1025, 769}} << QSize(601, 401) << QPoint(212, 184);
    QTest::newRow("two side by side: centred on the pair")
        << QList<QRect>{{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}} << QSize(600, 400)
        << QPoint(1620, 340);
    QTest::newRow("two of different heights")
        << QList<QRect>{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}} << QSize(600, 400)
        << QPoint(1300, 340);
    QTest::newRow("second screen on the left")
        << QList<QRect>{{0, 0, 1920, 1080}, {-1280, 0, 1280, 1024}} << QSize(600, 400)
        << QPoint(20, 340);
    QTest::newRow("larger than the desktop: held at its top left")
        << QList<QRect>{{100, 50, 800, 600}} << QSize(1000, 700) << QPoint(100, 50);
    QTest::newRow("wider only: held at the left edge")
        << QList<QRect>{{0, 0, 800, 600}} << QSize(1000, 400) << QPoint(0, 100);
}

void TestSplash::placesOnVirtualDesktop() {
    QFETCH(QList<QRect>, screens);
    QFETCH(QSize, window);
    QFETCH(QPoint, position);
    QCOMPARE(splashPosition(virtualDesktop(screens), window), position);
}

void TestSplash::keepsItsOwnCopyOfTheImage() {
    QImage mine = onePixel(qRgba(1, 2, 3, 4));
    TSplash splash(mine);
    mine.setPixel(0, 0, qRgba(9, 9, 9, 9));
    QCOMPARE(splash.Image().pixel(0, 0), qRgba(1, 2, 3, 4));

    splash.SetImage(mine);
    mine.fill(Qt::transparent);
    QCOMPARE(splash.Image().pixel(0, 0), qRgba(9, 9, 9, 9));

    const TSplash empty;
    QVERIFY(empty.Image().isNull());
    QVERIFY(empty.Form() != nullptr);
    QVERIFY(!empty.Form()->isVisible());
}

void TestSplash::showsBorderlessSizedAndCentred_data() {
    QTest::addColumn<bool>("stayOnTop");
    QTest::newRow("stay on top") << true;
    QTest::newRow("ordinary window") << false;
}

void TestSplash::showsBorderlessSizedAndCentred() {
    QFETCH(bool, stayOnTop);
    const QImage logo(QStringLiteral(":/LOGO"));
    QCOMPARE(logo.size(), QSize(600, 400));

    TSplash splash(logo);
    splash.Show(stayOnTop);
    const QWidget* form = splash.Form();
    QVERIFY(form->isVisible());
    QVERIFY(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), stayOnTop);
    QCOMPARE(form->size(), QSize(600, 400));
    QCOMPARE(form->pos(), splashPosition(virtualDesktop(screenGeometries()), QSize(600, 400)));
}

void TestSplash::closeHidesButKeepsWindowAndImage() {
    const QImage logo(QStringLiteral(":/LOGO"));
    TSplash splash(logo);
    splash.Show(true);
    const QWidget* form = splash.Form();
    splash.Close();
    QCOMPARE(splash.Form(), form);
    QVERIFY(!form->isVisible());
    QCOMPARE(splash.Image(), logo);

    // Shown again, it is the same window.
    splash.Show(false);
    QCOMPARE(splash.Form(), form);
    QVERIFY(form->isVisible());
}

void TestSplash::capturedWindowHasTheLogosTransparency() {
    const QImage logo = QImage(QStringLiteral(":/LOGO")).convertToFormat(QImage::Format_ARGB32);
    TSplash splash(logo);
    splash.Show(true);

    // The offscreen platform keeps no alpha in its window surfaces; grab() paints the window onto a
    // transparent surface, which is what a compositor receives.
    const QImage capture =
        splash.Form()->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(capture.size(), logo.size());

    QImage expected;
    MakePremultipliedBitmap(expected, logo);
    int transparent = 0, partial = 0, opaque = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const int a = qAlpha(logo.pixel(x, y));
            (a == 0 ? transparent : a == 255 ? opaque : partial) += 1;
            QVERIFY2(capture.pixel(x, y) == expected.pixel(x, y),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
    // The logo has all three kinds, in the places one expects.
    QVERIFY(transparent > 0 && partial > 0 && opaque > 0);
    QCOMPARE(qAlpha(capture.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(capture.pixel(300, 200)), 255);
    QVERIFY(qAlpha(capture.pixel(300, 372)) > 0 && qAlpha(capture.pixel(300, 372)) < 255);
}

QTEST_MAIN(TestSplash)
#include "test_splash.moc"
