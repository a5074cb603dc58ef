// The public display window: its bands, colours, fonts and texts as drawn offscreen, and closing.
#include "platform/DigitalClock.h"
#include "platform/Fonts.h"
#include "ui/Afficher_Numero.h"

#include <QGlyphRun>
#include <QLabel>
#include <QLayout>
#include <QRawFont>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

namespace {

QColor rgb(int r, int g, int b) {
    return QColor(r, g, b);
}

// Lays the window out at its design size without showing it.
void layOut(TFAfficher_Numero& display) {
    display.resize(1023, 623);
    display.layout()->activate();
    for (QLayout* inner : display.findChildren<QLayout*>())
        inner->activate();
}

QRect inWindow(const QWidget* child, const QWidget* window) {
    return QRect(child->mapTo(window, QPoint(0, 0)), child->size());
}

int countPixels(const QImage& image, const QRect& area, const QColor& colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                ++count;
    return count;
}

} // namespace

class TestDisplay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerStationFonts(); }

    void createdHiddenWithItsInitialTexts() {
        TFAfficher_Numero display;
        QVERIFY(!display.isVisible());
        QVERIFY(display.isWindow());
        QVERIFY(display.windowState() & Qt::WindowMaximized);
        QCOMPARE(display.windowTitle(), QString());
        QCOMPARE(display.Label1->text(), QStringLiteral("0"));
        QCOMPARE(display.Label3->text(), QString());
        QCOMPARE(display.cxLabel1->text(), QStringLiteral("التذكرة رقم"));
        QVERIFY(display.Image2->pixmap().isNull());
    }

    void bandsFromTopToBottom_data() {
        QTest::addColumn<QString>("band");
        QTest::addColumn<QRect>("geometry");
        // Design client size 1023 x 623: the number band takes what the four others leave.
        QTest::newRow("Panel2") << "Panel2" << QRect(0, 0, 1023, 129);
        QTest::newRow("Image2") << "Image2" << QRect(0, 0, 1023, 129);
        QTest::newRow("cxLabel1") << "cxLabel1" << QRect(0, 129, 1023, 77);
        QTest::newRow("Panel1") << "Panel1" << QRect(0, 206, 1023, 280);
        QTest::newRow("Label1") << "Label1" << QRect(0, 206, 1023, 280);
        QTest::newRow("Panel4") << "Panel4" << QRect(0, 486, 1023, 62);
        QTest::newRow("ElClock1") << "ElClock1" << QRect(8, 485, 203, 65);
        QTest::newRow("Image1") << "Image1" << QRect(960, 486, 63, 62);
        QTest::newRow("Panel3") << "Panel3" << QRect(0, 548, 1023, 75);
        QTest::newRow("Label3") << "Label3" << QRect(0, 548, 1023, 75);
    }

    void bandsFromTopToBottom() {
        QFETCH(QString, band);
        QFETCH(QRect, geometry);
        TFAfficher_Numero display;
        layOut(display);
        const QHash<QString, QWidget*> parts{
            {"Panel2", display.Panel2},     {"Image2", display.Image2},
            {"cxLabel1", display.cxLabel1}, {"Panel1", display.Panel1},
            {"Label1", display.Label1},     {"Panel4", display.Panel4},
            {"Image1", display.Image1},     {"ElClock1", display.ElClock1},
            {"Panel3", display.Panel3},     {"Label3", display.Label3}};
        QCOMPARE(inWindow(parts.value(band), &display), geometry);
    }

    void fontsAndAlignment() {
        TFAfficher_Numero display;
        QCOMPARE(display.font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(display.font().pixelSize(), 11);
        QCOMPARE(display.cxLabel1->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(display.cxLabel1->font().pixelSize(), 57);
        QCOMPARE(display.cxLabel1->alignment(), Qt::AlignHCenter | Qt::AlignBottom);
        QCOMPARE(display.Label1->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(display.Label1->font().pixelSize(), 280);
        QCOMPARE(display.Label1->alignment(), Qt::AlignCenter);
        QCOMPARE(display.ElClock1->font().pixelSize(), 48);
        QCOMPARE(display.Label3->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(display.Label3->font().pixelSize(), 53);
        QVERIFY(display.Label3->font().bold());
        QCOMPARE(display.Label3->alignment(), Qt::AlignHCenter | Qt::AlignTop);
        QVERIFY(!display.Label3->wordWrap());
        // The faces actually drawn: Tahoma itself, and Carlito for Calibri.
        QCOMPARE(QFontInfo(display.Label1->font()).family(), QStringLiteral("Tahoma"));
        QCOMPARE(QFontInfo(display.Label3->font()).family(), QStringLiteral("Carlito"));
    }

    void arabicCaptionIsDrawnWithAnArabicFace() {
        TFAfficher_Numero display;
        QTextLayout text(display.cxLabel1->text(), display.cxLabel1->font());
        text.beginLayout();
        text.createLine();
        text.endLayout();
        const QList<QGlyphRun> runs = text.glyphRuns();
        // Every letter is drawn by the Arabic face (only the space may come from Carlito), and
        // none is the missing-glyph box (glyph 0).
        int arabicGlyphs = 0;
        for (const QGlyphRun& run : runs) {
            const QString family = run.rawFont().familyName();
            QVERIFY2(family == QLatin1String(arabicFamily) || run.glyphIndexes().size() == 1,
                     qPrintable(family));
            if (family == QLatin1String(arabicFamily))
                arabicGlyphs += int(run.glyphIndexes().size());
            for (quint32 glyph : run.glyphIndexes())
                QVERIFY(glyph != 0);
        }
        QVERIFY(arabicGlyphs >= 10); // the ten letters
    }

    void coloursAsDrawn() {
        TFAfficher_Numero display;
        display.Label1->setText(QStringLiteral("305"));
        display.Label3->setText(QStringLiteral("BIOCHIMIE"));
        layOut(display);
        const QImage image = display.grab().toImage();
        const QColor teal = rgb(0, 126, 153);
        QCOMPARE(image.pixelColor(500, 60), teal);            // top band
        QCOMPARE(image.pixelColor(5, 140), teal);             // beside the caption
        QCOMPARE(image.pixelColor(5, 300), teal);             // number band
        QCOMPARE(image.pixelColor(500, 500), teal);           // clock band
        QCOMPARE(image.pixelColor(100, 487), rgb(255, 0, 0)); // clock face
        QCOMPARE(image.pixelColor(5, 615), rgb(0, 64, 128));  // analysis band
        // Yellow digits, white caption, white clock digits, white analysis text.
        QVERIFY(countPixels(image, QRect(0, 206, 1023, 280), rgb(255, 242, 6)) > 5000);
        QVERIFY(countPixels(image, QRect(0, 129, 1023, 77), Qt::white) > 300);
        QVERIFY(countPixels(image, QRect(8, 486, 203, 62), Qt::white) > 200);
        QVERIFY(countPixels(image, QRect(0, 548, 1023, 75), Qt::white) > 300);
        // The caption sits at the bottom of its band, centred.
        QCOMPARE(countPixels(image, QRect(0, 129, 1023, 20), Qt::white), 0);
        QCOMPARE(countPixels(image, QRect(0, 129, 300, 77), Qt::white), 0);
    }

    void emblemAtTheRightOfTheClockBand() {
        TFAfficher_Numero display;
        layOut(display);
        if (QPixmap(QStringLiteral(":/images/emblem50x56.png")).isNull())
            QSKIP("no emblem picture in the resources");
        QCOMPARE(display.Image1->pixmap().size(), QSize(50, 56));
        QCOMPARE(display.Image1->alignment(), Qt::AlignLeft | Qt::AlignTop);
        const QImage image = display.grab().toImage();
        QVERIFY(countPixels(image, QRect(960, 486, 50, 56), Qt::white) > 100);
    }

    void clockShowsTheTimeEverySecond() {
        TFAfficher_Numero display;
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(display.ElClock1->text())
                    .hasMatch());
        QVERIFY(display.ElClock1->timer()->isActive());
        QCOMPARE(display.ElClock1->timer()->interval(), 1000);
        QCOMPARE(display.ElClock1->alignment(), Qt::AlignCenter);
    }

    void closingHidesAndKeepsTheTexts() {
        TFAfficher_Numero display;
        QSignalSpy closed(&display, &TFAfficher_Numero::FormClose);
        bool hiddenWhenSignalled = false;
        connect(&display, &TFAfficher_Numero::FormClose, this,
                [&] { hiddenWhenSignalled = !display.isVisible(); });
        display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        display.Label1->setText(QStringLiteral("42"));
        display.Label3->setText(QStringLiteral("HEMATOLOGIE"));
        QVERIFY(display.close());
        QVERIFY(!display.isVisible());
        QCOMPARE(closed.count(), 1);
        QVERIFY(hiddenWhenSignalled);
        // A call while hidden changes the texts without showing the window.
        display.Label1->setText(QStringLiteral("43"));
        QVERIFY(!display.isVisible());
        display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&display));
        QCOMPARE(display.Label1->text(), QStringLiteral("43"));
        QCOMPARE(display.Label3->text(), QStringLiteral("HEMATOLOGIE"));
        QVERIFY(display.close());
        QCOMPARE(closed.count(), 2);
    }

    // Not a check: writes the window as drawn, for a look by eye.
    void saveScreenshot() {
        const QByteArray path = qgetenv("DISPLAY_SCREENSHOT");
        if (path.isEmpty())
            QSKIP("set DISPLAY_SCREENSHOT to a .png path to get a picture");
        TFAfficher_Numero display;
        display.Label1->setText(QStringLiteral("305"));
        display.Label3->setText(QStringLiteral("BIOCHIMIE"));
        layOut(display);
        QVERIFY(display.grab().save(QString::fromLocal8Bit(path)));
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
