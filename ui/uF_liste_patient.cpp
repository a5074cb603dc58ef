#include "ui/uF_liste_patient.h"

#include "platform/Colors.h"
#include "platform/DateEdit.h"
#include "platform/Fonts.h"
#include "platform/InputBlocker.h"
#include "platform/TileControl.h"
#include "store/CallListStatements.h"
#include "ui/u_LISTE_TIRVO.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QWindow>

namespace {

constexpr int teal = 10059264;
constexpr int dateBackground = 14548991;
constexpr int devalidateFace = 166470;
constexpr int returnCaption = 60157;
constexpr int clientWidth = 856;
constexpr int clientHeight = 580;
constexpr int borderWidth = 1;
constexpr int headerHeight = 49;
constexpr QSize patientAreaSize(677, 531);
constexpr int analysisColumnWidth = 171;
constexpr int spacerWidth = 8;

QPushButton* headerButton(QWidget* parent, const QString& caption, const QString& picture,
                          const QString& face, const QColor& text) {
    auto* button = new QPushButton(caption, parent);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(calibriBold(16));
    button->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: none; }")
                              .arg(face, text.name()));
    return button;
}

} // namespace

TF_liste_patient::TF_liste_patient(TLISTE_TIRVO& main, QWidget* parent)
    : QDialog(parent), mainWindow(main) {
    // A closed window has nothing more to show: it goes with its queries instead of staying
    // hidden until the program ends.
    setAttribute(Qt::WA_DeleteOnClose);
    createComponents();

    const auto served = store::statements::LISTE_TIRVO_VALIDE();
    LISTE_TIRVO_VALIDE =
        std::make_unique<store::Query>(main.UniConnection1, served.lines, served.settings);
    const auto analyses = store::statements::Liste_ANALYSE_served();
    Liste_ANALYSE =
        std::make_unique<store::Query>(main.UniConnection1, analyses.lines, analyses.settings);
    const auto devalidate = store::statements::Update_Dvalide();
    Update_Dvalide =
        std::make_unique<store::Query>(main.UniConnection1, devalidate.lines, devalidate.settings);

    TileBoard::Parts boardParts;
    boardParts.kind = BoardKind::Served;
    boardParts.Categories = Categories;
    boardParts.Groupe1 = Groupe1;
    boardParts.Liste_ANA = Liste_ANA;
    boardParts.patients = LISTE_TIRVO_VALIDE.get();
    boardParts.analyses = Liste_ANALYSE.get();
    boardParts.workingDate = [this] { return cxDateEdit2->value(); };
    boardParts.ArticlesClick = [this](Tile* tile) { ArticlesClick(tile); };
    tiles = std::make_unique<TileBoard>(boardParts);

    connect(cxDateEdit2, &DateEdit::valueChanged, this,
            &TF_liste_patient::cxDateEdit2PropertiesEditValueChanged);
    connect(cxButton1, &QPushButton::clicked, this, &TF_liste_patient::cxButton1Click);
    connect(cxButton2, &QPushButton::clicked, this, &TF_liste_patient::cxButton2Click);

    // Opened with no date bound, so it holds no rows; a database that does not answer stops the
    // window from being made.
    LISTE_TIRVO_VALIDE->open();
}

TF_liste_patient::~TF_liste_patient() = default;

void TF_liste_patient::open(TLISTE_TIRVO& main) {
    auto* window = new TF_liste_patient(main);
    window->exec();
}

void TF_liste_patient::createComponents() {
    setWindowTitle(QStringLiteral("Liste TIRVO"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(pixelFont(QStringLiteral("Tahoma"), 11, false));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, winColor(teal));
    setPalette(colours);
    setAutoFillBackground(true);
    resize(clientWidth, clientHeight);

    Panel5 = new QWidget(this);
    cxButton1 =
        headerButton(Panel5, QStringLiteral("Retour"), QStringLiteral(":/images/back32.png"),
                     QStringLiteral("transparent"), winColor(returnCaption));
    cxButton1->setCursor(Qt::PointingHandCursor);

    Label1 = new QLabel(QStringLiteral("Date de Travail"), Panel5);
    Label1->setFont(calibriBold(19));
    Label1->setStyleSheet(QStringLiteral("color: white;"));
    Label1->adjustSize();

    cxDateEdit2 = new DateEdit(Panel5);
    cxDateEdit2->setDateOnly(true);
    cxDateEdit2->setFont(calibriBold(19));
    cxDateEdit2->setColours(winColor(dateBackground), Qt::yellow);

    cxButton2 = headerButton(Panel5, QStringLiteral("dévalider D'tirvo"),
                             QStringLiteral(":/images/clock32.png"),
                             winColor(devalidateFace).name(), Qt::yellow);

    for (QLabel** label : {&Label4, &Label5}) {
        *label = new QLabel(QStringLiteral("0"), Panel5);
        (*label)->hide();
    }

    Categories = new TileControl(this);
    TileBoard::applyAreaSettings(Categories, QSize(150, 50));
    Groupe1 = Categories->addGroup(QStringLiteral("Groupe1"));
    Panel9 = new QWidget(this);
    Panel9->setAutoFillBackground(true);
    Liste_ANA = new TileControl(this);
    TileBoard::applyAreaSettings(Liste_ANA, QSize(170, 80));
    Liste_ANA->addGroup(QStringLiteral("dxTileControlGroup1"));
    placeComponents();
}

void TF_liste_patient::placeComponents() {
    const int inner = width() - 2 * borderWidth;
    const int below = borderWidth + headerHeight;
    const int areaHeight = height() - borderWidth - below;

    Panel5->setGeometry(borderWidth, borderWidth, inner, headerHeight);
    cxButton1->setGeometry(0, 0, 105, headerHeight);
    Label1->move(cxButton1->width() + 12, (headerHeight - Label1->height()) / 2);
    cxDateEdit2->setGeometry(Label1->x() + Label1->width() + 8, 11, 132, 27);
    // The button ends where the patient area ends.
    cxButton2->setGeometry(patientAreaSize.width() - 187, (headerHeight - 44) / 2, 187, 44);

    Categories->setGeometry(QRect(QPoint(borderWidth, below), patientAreaSize));
    Liste_ANA->setGeometry(width() - borderWidth - analysisColumnWidth, below, analysisColumnWidth,
                           areaHeight);
    Panel9->setGeometry(Liste_ANA->x() - spacerWidth, below, spacerWidth, areaHeight);
    // The docked columns lie over the patient area where they meet it.
    Panel9->raise();
    Liste_ANA->raise();
}

void TF_liste_patient::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeComponents();
}

void TF_liste_patient::placeOverMainWindow() {
    QRect frame = frameGeometry();
    frame.moveCenter(mainWindow.frameGeometry().center());
    move(frame.topLeft());
    if (windowHandle() && mainWindow.windowHandle())
        windowHandle()->setTransientParent(mainWindow.windowHandle());
}

void TF_liste_patient::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    placeOverMainWindow();
    FormShow();
}

void TF_liste_patient::FormShow() {
    // Setting the date builds the board through the date-change handler; building once more
    // would give the same board. Only a date that is already today needs the build here.
    const QDate today = mainWindow.today();
    if (cxDateEdit2->value() == QDateTime(today, QTime(0, 0)))
        Liste_pat();
    else
        cxDateEdit2->setDate(today);
}

void TF_liste_patient::cxDateEdit2PropertiesEditValueChanged() {
    // The build itself closes the served-patients query, binds the new date and opens it.
    Liste_pat();
}

void TF_liste_patient::Liste_pat() {
    tiles->Liste_pat();
}

void TF_liste_patient::ArticlesClick(Tile* Sender) {
    if (Liste_ANALYSE->recordCount() == 0)
        return;
    selection = Sender->userData().value<AnalysisTileKeys>();
    Label4->setText(Sender->text(1));
    Label5->setText(Sender->text(2));
}

void TF_liste_patient::cxButton1Click() {
    close();
}

void TF_liste_patient::cxButton2Click() {
    // The main board lets the message loop run while it is rebuilt; clicks and keys that arrive
    // meanwhile would start this or another handler inside this one.
    InputBlocker blocker;
    // Before any analysis was clicked the labels hold placeholders that name no row.
    if (!selection)
        return;
    Update_Dvalide->bindText(0, selection->COD_RECH);
    Update_Dvalide->bindText(1, selection->TYPE_PARA);
    Update_Dvalide->execute();
    // The rebuild runs both queries afresh; refreshing them first would only run them twice.
    Liste_pat();
    mainWindow.Liste_pat();
}
