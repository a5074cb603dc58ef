// Draws every picture of the program (splash logo, window icons, button pictures) so that they
// can be remade after a change of style. Usage: make_images <output folder>
// Style: flat shapes, teal 0,126,153 / white / amber; button pictures are white with a dark teal
// outline so they read on the green, black and amber button faces alike.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QColor teal(0, 126, 153);
const QColor darkTeal(0, 70, 86);
const QColor amber(255, 184, 28);
const QColor white(255, 255, 255);
const QString fontFamily = QStringLiteral("Carlito");

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool save(const QImage& image, const QString& folder, const QString& name) {
    // Straight (not premultiplied) ARGB is what the PNG writer stores as 8-bit RGBA.
    const QString path = QDir(folder).filePath(name);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The laboratory flask of the emblem, in a 50 x 56 box.
QPainterPath flaskBody() {
    QPainterPath path;
    path.moveTo(19, 8);
    path.lineTo(19, 21);
    path.lineTo(5, 45);
    path.quadTo(2, 53, 10, 53);
    path.lineTo(40, 53);
    path.quadTo(48, 53, 45, 45);
    path.lineTo(31, 21);
    path.lineTo(31, 8);
    path.closeSubpath();
    return path;
}

QPainterPath flaskRim() {
    QPainterPath path;
    path.addRoundedRect(QRectF(14.5, 3, 21, 6), 3, 3);
    return path;
}

// The liquid: the part of the body below a gentle wave.
QPainterPath flaskLiquid() {
    QPainterPath wave;
    wave.moveTo(0, 35);
    wave.cubicTo(12, 31, 22, 39, 30, 35);
    wave.cubicTo(38, 31, 44, 34, 50, 33);
    wave.lineTo(50, 56);
    wave.lineTo(0, 56);
    wave.closeSubpath();
    return flaskBody().intersected(wave);
}

// Flask in white with amber liquid and two bubbles, for use on teal.
void drawFlask(QPainter& painter, const QColor& liquid) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawPath(flaskBody());
    painter.drawPath(flaskRim());
    painter.setBrush(liquid);
    painter.drawPath(flaskLiquid());
    painter.setBrush(teal.lighter(150));
    painter.drawEllipse(QPointF(22.5, 28.5), 2.2, 2.2);
    painter.drawEllipse(QPointF(27.5, 24.5), 1.4, 1.4);
}

// Emblem: a teal disc ringed in amber with the flask in it, in a 100 x 100 box.
void drawEmblem(QPainter& painter) {
    painter.setPen(QPen(amber, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(50, 50), 47, 47);
    painter.setPen(Qt::NoPen);
    painter.setBrush(teal);
    painter.drawEllipse(QPointF(50, 50), 42, 42);
    painter.save();
    painter.translate(50 - 25 * 1.15, 50 - 29 * 1.15);
    painter.scale(1.15, 1.15);
    drawFlask(painter, amber);
    painter.restore();
}

// A soft shadow: the shape's coverage blurred by three box passes (close to a Gaussian).
QImage blurredShadow(const QImage& shape, int radius, const QColor& colour) {
    const int width = shape.width();
    const int height = shape.height();
    std::vector<double> alpha(size_t(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            alpha[size_t(y) * width + x] = qAlpha(shape.pixel(x, y)) / 255.0;

    std::vector<double> next(alpha.size());
    auto pass = [&](bool horizontal) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                double sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int sx = horizontal ? x + k : x;
                    const int sy = horizontal ? y : y + k;
                    if (sx >= 0 && sx < width && sy >= 0 && sy < height)
                        sum += alpha[size_t(sy) * width + sx];
                }
                next[size_t(y) * width + x] = sum / (2 * radius + 1);
            }
        }
        alpha.swap(next);
    };
    for (int i = 0; i < 3; ++i) {
        pass(true);
        pass(false);
    }

    QImage shadow(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int a = int(std::lround(alpha[size_t(y) * width + x] * colour.alpha()));
            shadow.setPixel(x, y, qRgba(colour.red(), colour.green(), colour.blue(), a));
        }
    return shadow;
}

QFont boldFont(double pixelSize) {
    QFont font(fontFamily);
    font.setBold(true);
    font.setPixelSize(int(std::lround(pixelSize)));
    return font;
}

// 600 x 400: a white card with a soft shadow, the emblem and the product name.
QImage makeLogo() {
    const QRectF card(24, 16, 552, 352);
    const double cornerRadius = 36;
    QImage image = blankImage(600, 400);

    QImage shape = blankImage(600, 400);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRoundedRect(card.translated(0, 7), cornerRadius, cornerRadius);
    }
    const QImage shadow = blurredShadow(shape, 5, QColor(0, 45, 56, 110));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawImage(0, 0, shadow);

    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawRoundedRect(card, cornerRadius, cornerRadius);

    // Teal foot band with the amber accent line above it.
    QPainterPath cardPath;
    cardPath.addRoundedRect(card, cornerRadius, cornerRadius);
    QPainterPath band;
    band.addRect(QRectF(card.left(), 318, card.width(), card.bottom() - 318));
    painter.setBrush(teal);
    painter.drawPath(cardPath.intersected(band));
    painter.setBrush(amber);
    painter.drawRect(QRectF(card.left(), 312, card.width(), 6));

    painter.save();
    painter.translate(300 - 78, 40);
    painter.scale(1.56, 1.56);
    drawEmblem(painter);
    painter.restore();

    painter.setFont(boldFont(64));
    painter.setPen(teal);
    painter.drawText(QRectF(card.left(), 196, card.width(), 80), Qt::AlignCenter,
                     QStringLiteral("Appel Patients"));

    QFont small = boldFont(22);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(small);
    painter.setPen(white);
    painter.drawText(QRectF(card.left(), 318, card.width(), card.bottom() - 318), Qt::AlignCenter,
                     QStringLiteral("Laboratoire d'analyses médicales"));
    painter.end();
    return image;
}

// Window icon: a teal rounded square with the flask.
QImage makeAppIcon(int size) {
    QImage image = blankImage(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(teal);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 7, 7);
    painter.translate(16 - 25 * 0.5, 16 - 28.5 * 0.5);
    painter.scale(0.5, 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawPath(flaskBody());
    painter.drawPath(flaskRim());
    painter.setBrush(amber);
    painter.drawPath(flaskLiquid());
    return image;
}

// 70 x 45 for the teal bar of the main window: the flask and the name on two lines, in white.
QImage makeSmallLogo() {
    QImage image = blankImage(70, 45);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.translate(1, 5);
    painter.scale(0.6, 0.6);
    drawFlask(painter, amber);
    painter.restore();

    painter.setFont(boldFont(15));
    painter.setPen(white);
    painter.drawText(QRectF(30, 4, 40, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Appel"));
    painter.setFont(boldFont(12));
    painter.setPen(amber);
    painter.drawText(QRectF(30, 21, 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Patients"));
    return image;
}

// 50 x 56 white emblem for the teal clock band of the public display: outlined flask, solid liquid.
QImage makeWhiteEmblem() {
    QImage image = blankImage(50, 56);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flaskBody());
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawPath(flaskRim());
    painter.drawPath(flaskLiquid());
    painter.drawEllipse(QPointF(22.5, 28), 2.2, 2.2);
    painter.drawEllipse(QPointF(27.5, 23.5), 1.5, 1.5);
    return image;
}

// Button pictures share one pen and fill: white shapes edged in dark teal.
QPen outlinePen(double width = 1.6) {
    return QPen(darkTeal, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A line drawn amber (or another colour) over a wider dark teal line, so it has an edge too.
void drawEdgedLine(QPainter& painter, const QPainterPath& path, const QColor& colour,
                   double width) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(darkTeal, width + 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
}

QImage makeIcon(void (*draw)(QPainter&)) {
    QImage image = blankImage(32, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

void drawSpeaker(QPainter& painter) {
    QPainterPath body;
    body.moveTo(3, 12);
    body.lineTo(9, 12);
    body.lineTo(17, 5);
    body.lineTo(17, 27);
    body.lineTo(9, 20);
    body.lineTo(3, 20);
    body.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawPath(body);

    QPainterPath waves;
    waves.arcMoveTo(QRectF(13, 10, 10, 12), 50);
    waves.arcTo(QRectF(13, 10, 10, 12), 50, -100);
    waves.arcMoveTo(QRectF(12, 5, 18, 22), 50);
    waves.arcTo(QRectF(12, 5, 18, 22), 50, -100);
    drawEdgedLine(painter, waves, amber, 2.2);
}

void drawListWindow(QPainter& painter) {
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawRoundedRect(QRectF(2.5, 3.5, 25, 21), 2.5, 2.5);
    painter.setBrush(teal);
    painter.drawRect(QRectF(2.5, 3.5, 25, 5));
    painter.setPen(QPen(teal, 1.8, Qt::SolidLine, Qt::RoundCap));
    for (double y : {12.5, 16.5, 20.5}) {
        painter.drawLine(QPointF(6, y), QPointF(8, y));
        painter.drawLine(QPointF(10.5, y), QPointF(23, y));
    }

    QPainterPath pointer;
    pointer.moveTo(17, 14);
    pointer.lineTo(17, 29);
    pointer.lineTo(20.5, 25.5);
    pointer.lineTo(23.5, 31);
    pointer.lineTo(26, 29.8);
    pointer.lineTo(23.2, 24.5);
    pointer.lineTo(28, 24);
    pointer.closeSubpath();
    painter.setPen(outlinePen(1.5));
    painter.setBrush(amber);
    painter.drawPath(pointer);
}

void drawMonitor(QPainter& painter, QPointF origin, const QColor& screen) {
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawRoundedRect(QRectF(origin, QSizeF(19, 14)), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(screen);
    painter.drawRect(QRectF(origin + QPointF(2.5, 2.5), QSizeF(14, 9)));
}

void drawScreens(QPainter& painter) {
    drawMonitor(painter, QPointF(2.5, 3.5), teal.lighter(140));
    drawMonitor(painter, QPointF(10.5, 10.5), teal);
    painter.setPen(outlinePen());
    painter.setBrush(white);
    QPainterPath stand;
    stand.moveTo(17.5, 24.5);
    stand.lineTo(22.5, 24.5);
    stand.lineTo(24, 28.5);
    stand.lineTo(16, 28.5);
    stand.closeSubpath();
    painter.drawPath(stand);
    painter.setPen(QPen(amber, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15.5, 17.5), QPointF(24.5, 17.5));
}

void drawHouse(QPainter& painter) {
    QPainterPath house;
    house.moveTo(16, 3.5);
    house.lineTo(29, 15.5);
    house.lineTo(25.5, 15.5);
    house.lineTo(25.5, 28.5);
    house.lineTo(6.5, 28.5);
    house.lineTo(6.5, 15.5);
    house.lineTo(3, 15.5);
    house.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawPath(house);
    painter.setBrush(amber);
    painter.drawRoundedRect(QRectF(13, 19, 6, 9.5), 1, 1);
}

void drawCheck(QPainter& painter) {
    painter.setPen(outlinePen());
    painter.setBrush(teal);
    painter.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    QPainterPath tick;
    tick.moveTo(9, 16.5);
    tick.lineTo(14, 21.5);
    tick.lineTo(23.5, 11);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(white, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
}

void drawBackArrow(QPainter& painter) {
    QPainterPath arrow;
    arrow.moveTo(3, 16);
    arrow.lineTo(14, 5);
    arrow.lineTo(14, 11.5);
    arrow.lineTo(28.5, 11.5);
    arrow.lineTo(28.5, 20.5);
    arrow.lineTo(14, 20.5);
    arrow.lineTo(14, 27);
    arrow.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawPath(arrow);
}

void drawClock(QPainter& painter) {
    painter.setPen(outlinePen());
    painter.setBrush(white);
    painter.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    painter.setPen(QPen(teal, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int hour = 0; hour < 12; hour += 3) {
        const double angle = hour * M_PI / 6;
        painter.drawLine(QPointF(16 + 9.5 * std::sin(angle), 16 - 9.5 * std::cos(angle)),
                         QPointF(16 + 11.5 * std::sin(angle), 16 - 11.5 * std::cos(angle)));
    }
    painter.setPen(QPen(darkTeal, 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 16), QPointF(16, 8.5));
    painter.setPen(QPen(teal, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(16, 16), QPointF(21.5, 19));
    painter.setPen(Qt::NoPen);
    painter.setBrush(amber);
    painter.drawEllipse(QPointF(16, 16), 2.2, 2.2);
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts need a GUI application, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_images <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    bool ok = save(makeLogo(), folder, "logo.png");
    ok = save(makeAppIcon(16), folder, "appel16.png") && ok;
    ok = save(makeAppIcon(32), folder, "appel32.png") && ok;
    ok = save(makeSmallLogo(), folder, "logo70x45.png") && ok;
    ok = save(makeWhiteEmblem(), folder, "emblem50x56.png") && ok;
    ok = save(makeIcon(drawSpeaker), folder, "speaker32.png") && ok;
    ok = save(makeIcon(drawListWindow), folder, "list32.png") && ok;
    ok = save(makeIcon(drawScreens), folder, "screens32.png") && ok;
    ok = save(makeIcon(drawHouse), folder, "house32.png") && ok;
    ok = save(makeIcon(drawCheck), folder, "validate32.png") && ok;
    ok = save(makeIcon(drawBackArrow), folder, "back32.png") && ok;
    ok = save(makeIcon(drawClock), folder, "clock32.png") && ok;
    return ok ? 0 : 1;
}
