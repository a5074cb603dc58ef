#include "ui/Afficher_Numero.h"

#include "platform/Colors.h"
#include "platform/DigitalClock.h"
#include "platform/Fonts.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QTextLayout>
#include <QtMath>

namespace {

constexpr int windowColour = 10059264; // RGB 0,126,153
constexpr int numberColour = 455423;   // RGB 255,242,6
constexpr int analysisBandColour = 5648930;
constexpr int analysisLabelColour = 8404992; // RGB 0,64,128
constexpr int clockColour = 255;             // red

void paintBackground(QWidget* widget, int colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, winColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QWidget* band(QWidget* parent, int height, int colour) {
    auto* panel = new QWidget(parent);
    paintBackground(panel, colour);
    if (height > 0)
        panel->setFixedHeight(height);
    return panel;
}

// Letters drawn by a fallback face (Arabic in a Latin face) make the line as deep as that face's
// descent, which would lift the caption off the bottom of its band; keep the baseline where the
// label's own face puts it.
void keepBaseline(QLabel* label) {
    QTextLayout text(label->text(), label->font());
    text.beginLayout();
    const QTextLine line = text.createLine();
    text.endLayout();
    const int extra = qCeil(line.descent()) - QFontMetrics(label->font()).descent();
    if (extra > 0) {
        // A negative margin lets the text rect reach below the label; drawing is still clipped.
        label->setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
        label->setContentsMargins(0, 0, 0, -extra);
    }
}

// A child that fills its panel.
void fill(QWidget* panel, QWidget* child) {
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(child);
}

} // namespace

TFAfficher_Numero::TFAfficher_Numero(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QString());
    setFont(pixelFont(QStringLiteral("Tahoma"), 11));
    paintBackground(this, windowColour);
    resize(1023, 623);
    setWindowState(Qt::WindowMaximized);

    const QPixmap emblem(QStringLiteral(":/images/emblem50x56.png"));
    if (!emblem.isNull())
        setWindowIcon(emblem);

    Panel2 = band(this, 129, windowColour);
    Image2 = new QLabel(Panel2);
    Image2->setAlignment(Qt::AlignCenter);
    fill(Panel2, Image2);

    cxLabel1 = new QLabel(QStringLiteral("التذكرة رقم"), this);
    cxLabel1->setFixedHeight(77);
    cxLabel1->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    cxLabel1->setFont(pixelFont(QStringLiteral("Calibri"), 57));
    setTextColour(cxLabel1, Qt::white);
    keepBaseline(cxLabel1);

    Panel1 = band(this, 0, windowColour);
    Label1 = new QLabel(QStringLiteral("0"), Panel1);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(pixelFont(QStringLiteral("Tahoma"), 280));
    setTextColour(Label1, winColor(numberColour));
    fill(Panel1, Label1);

    Panel4 = band(this, 62, windowColour);
    // The clock sits at a fixed place, a pixel above the band's top edge, outside any layout.
    ElClock1 = new DigitalClock(Panel4);
    ElClock1->setGeometry(8, -1, 203, 65);
    ElClock1->setFont(pixelFont(QStringLiteral("Calibri"), 48));
    paintBackground(ElClock1, clockColour);
    setTextColour(ElClock1, Qt::white);
    Image1 = new QLabel(Panel4);
    Image1->setFixedSize(63, 62);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!emblem.isNull())
        Image1->setPixmap(emblem);
    auto* clockRow = new QHBoxLayout(Panel4);
    clockRow->setContentsMargins(0, 0, 0, 0);
    clockRow->addStretch();
    clockRow->addWidget(Image1);

    Panel3 = band(this, 75, analysisBandColour);
    Label3 = new QLabel(Panel3);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setFont(pixelFont(QStringLiteral("Calibri"), 53, true));
    paintBackground(Label3, analysisLabelColour);
    setTextColour(Label3, Qt::white);
    fill(Panel3, Label3);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel2);
    column->addWidget(cxLabel1);
    column->addWidget(Panel1, 1);
    column->addWidget(Panel4);
    column->addWidget(Panel3);
}

void TFAfficher_Numero::closeEvent(QCloseEvent* event) {
    // Closing only hides: the labels and their texts stay for the next showing.
    event->accept();
    hide();
    emit FormClose();
}
