#include "ui/u_LISTE_TIRVO.h"

#include "announce/Announce.h"
#include "app/Application.h"
#include "board/CallWorkflow.h"
#include "board/TileBoard.h"
#include "platform/Colors.h"
#include "platform/DateEdit.h"
#include "platform/Fonts.h"
#include "platform/SingleInstance.h"
#include "platform/StatusBar.h"
#include "platform/TileControl.h"
#include "platform/WavePlayer.h"
#include "store/CallListStatements.h"
#include "store/LocalAddress.h"
#include "store/StationFile.h"
#include "ui/Afficher_Numero.h"
#include "ui/SplashScreen.h"
#include "ui/uF_liste_patient.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

constexpr int teal = 10059264;
constexpr int clientWidth = 954;
constexpr int clientHeight = 606;
constexpr int borderWidth = 3;
constexpr int headerHeight = 37;
constexpr int statusHeight = 19;
constexpr int rightBarWidth = 75;
constexpr int analysisColumnWidth = 141;
constexpr int gapWidth = 8;

// Captions are kept as the window definition stores them; Qt breaks lines at LF only.
QString shown(const char* caption) {
    return QString::fromUtf8(caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QToolButton* barButton(QWidget* parent, const char* caption, const QString& picture, int face,
                       int text) {
    auto* button = new QToolButton(parent);
    button->setText(shown(caption));
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(calibriBold(16));
    button->setStyleSheet(
        QStringLiteral("QToolButton { background: %1; color: %2; border: none; }"
                       "QToolButton:pressed { background: %3; }")
            .arg(winColor(face).name(), winColor(text).name(), winColor(face).darker(130).name()));
    return button;
}

QWidget* plainPanel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setAttribute(Qt::WA_TranslucentBackground, false);
    return panel;
}

} // namespace

TLISTE_TIRVO::TLISTE_TIRVO(StationEnvironment environment) : env(std::move(environment)) {
    // Loading the window's components runs the single-instance check first.
    LMDOneInstance1 = new SingleInstance(env.instanceKey, this);
    connect(LMDOneInstance1, &SingleInstance::restoreRequested, this,
            &TLISTE_TIRVO::restoreFromAnotherStart);

    createComponents();

    const auto waiting = store::statements::Liste_patient();
    Liste_patient = std::make_unique<store::Query>(UniConnection1, waiting.lines, waiting.settings);
    const auto analyses = store::statements::Liste_ANALYSE_waiting();
    Liste_ANALYSE =
        std::make_unique<store::Query>(UniConnection1, analyses.lines, analyses.settings);
    const auto validate = store::statements::Update_valide();
    Update_valide =
        std::make_unique<store::Query>(UniConnection1, validate.lines, validate.settings);

    TileBoard::Parts boardParts;
    boardParts.kind = BoardKind::Waiting;
    boardParts.Categories = Categories;
    boardParts.Groupe1 = Groupe1;
    boardParts.Liste_ANA = Liste_ANA;
    boardParts.patients = Liste_patient.get();
    boardParts.analyses = Liste_ANALYSE.get();
    boardParts.workingDate = [this] { return cxDateEdit2->value(); };
    boardParts.ArticlesClick = [this](Tile* tile) { ArticlesClick(tile); };
    tiles = std::make_unique<TileBoard>(boardParts);

    player = env.player;
    if (!player) {
        soundCard = std::make_unique<AlsaWavePlayer>();
        player = soundCard.get();
    }
    if (!env.informationBox)
        env.informationBox = [](QWidget* parent, const QString& text) {
            QMessageBox::information(parent, QStringLiteral("Information"), text, QMessageBox::Ok);
        };
    CallWorkflow::Parts callParts;
    callParts.Label3 = Label3;
    callParts.Label4 = Label4;
    callParts.Label5 = Label5;
    callParts.Label6 = Label6;
    callParts.board = tiles.get();
    callParts.Categories = Categories;
    callParts.Groupe1 = Groupe1;
    callParts.Liste_ANALYSE = Liste_ANALYSE.get();
    callParts.Update_valide = Update_valide.get();
    callParts.Liste_pat = [this] { Liste_pat(); };
    callParts.tirvo = [this](int number) { tirvo(number); };
    callParts.informationBox = [this](const QString& text) { env.informationBox(this, text); };
    calling = std::make_unique<CallWorkflow>(callParts);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, &TLISTE_TIRVO::Timer1Timer);

    ForcatmCreate();
}

TLISTE_TIRVO::~TLISTE_TIRVO() {
    if (auto* app = StationApplication::instance())
        app->setExceptionHandler({});
}

bool TLISTE_TIRVO::isSecondInstance() const {
    return LMDOneInstance1->anotherInstanceRuns();
}

void TLISTE_TIRVO::createComponents() {
    setWindowTitle(QStringLiteral("Appel Patients - Laboratoire d'analyses"));
    setWindowIcon(QIcon(QStringLiteral(":/images/appel32.png")));
    setLayoutDirection(Qt::LeftToRight);
    setFont(pixelFont(QStringLiteral("Arabic Transparent"), 16, true));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, winColor(teal));
    setPalette(colours);
    setAutoFillBackground(true);
    resize(clientWidth, clientHeight);

    Panel5 = plainPanel(this);
    cxButton3 =
        new QPushButton(QStringLiteral("Mettre à jour la liste des patients ( F9 )"), Panel5);
    cxButton3->setFont(calibriBold(16));
    cxButton3->setCursor(Qt::PointingHandCursor);
    cxButton3->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: white; border: "
                                            "none; } QPushButton:pressed { background: %2; }"
                                            "QPushButton:focus { border: 1px dotted white; }")
                                 .arg(winColor(8927).name(), winColor(8927).darker(130).name()));
    connect(cxButton3, &QPushButton::clicked, this, &TLISTE_TIRVO::cxButton3Click);

    Label2 = new QLabel(QStringLiteral("Date de Travail"), Panel5);
    Label2->setFont(calibriBold(19));
    Label2->setStyleSheet(QStringLiteral("color: white;"));
    Label2->adjustSize();

    cxDateEdit2 = new DateEdit(Panel5);
    cxDateEdit2->setFont(calibriBold(19));
    cxDateEdit2->setColours(winColor(14548991), winColor(52479));
    connect(cxDateEdit2, &DateEdit::closeUp, this, &TLISTE_TIRVO::cxDateEdit2PropertiesCloseUp);

    for (QLabel** label : {&Label3, &Label4, &Label5, &Label6}) {
        *label = new QLabel(QStringLiteral("0"), Panel5);
        (*label)->hide();
    }

    Panel6 = plainPanel(this);
    Categories = new TileControl(Panel6);
    TileBoard::applyAreaSettings(Categories, QSize(150, 60));
    Groupe1 = Categories->addGroup(QStringLiteral("Groupe1"));
    Panel9 = plainPanel(Panel6);
    Panel1 = plainPanel(Panel6);
    Liste_ANA = new TileControl(Panel1);
    TileBoard::applyAreaSettings(Liste_ANA, QSize(140, 63));
    Liste_ANA->addGroup(QStringLiteral("dxTileControlGroup1"));
    Panel10 = plainPanel(Panel1);
    cxButton8 = new QToolButton(Panel10);
    cxButton8->setText(QStringLiteral("Valider Patient"));
    cxButton8->setIcon(QIcon(QStringLiteral(":/images/validate32.png")));
    cxButton8->setIconSize(QSize(32, 32));
    cxButton8->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    cxButton8->setFont(calibriBold(16));
    cxButton8->setCursor(Qt::PointingHandCursor);
    cxButton8->setFocusPolicy(Qt::StrongFocus);
    cxButton8->setStyleSheet(QStringLiteral("QToolButton { background: %1; color: black; border: "
                                            "none; } QToolButton:pressed { color: white; }"
                                            "QToolButton:focus { border: 1px dotted black; }")
                                 .arg(winColor(52479).name()));

    Panel3 = plainPanel(Panel6);
    Image1 = new QLabel(Panel3);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/logo70x45.png")));
    cxButton4 =
        barButton(Panel3, "TIRVO", QStringLiteral(":/images/speaker32.png"), 171344, 2676223);
    cxButton4->setToolTip(shown("2eme\r\nEcran"));
    cxButton5 = barButton(Panel3, "Liste des\r\nTirvos", QStringLiteral(":/images/list32.png"),
                          171344, 0xFFFFFF);
    cxButton2 = barButton(Panel3, "2eme\r\nEcran", QStringLiteral(":/images/screens32.png"), 171344,
                          2676223);
    cxButton2->setToolTip(shown("2eme\r\nEcran"));
    cxButton1 = barButton(Panel3, "Quitter", QStringLiteral(":/images/house32.png"), 0, 60157);
    cxButton1->setCursor(Qt::PointingHandCursor);
    connect(cxButton4, &QToolButton::clicked, this, &TLISTE_TIRVO::cxButton4Click);
    connect(cxButton5, &QToolButton::clicked, this, &TLISTE_TIRVO::cxButton5Click);
    connect(cxButton2, &QToolButton::clicked, this, &TLISTE_TIRVO::cxButton2Click);
    connect(cxButton8, &QToolButton::clicked, this, &TLISTE_TIRVO::cxButton8Click);
    connect(cxButton1, &QToolButton::clicked, this, &TLISTE_TIRVO::cxButton1Click);

    createStatusBar();

    // The date field is first in tab order, so it holds the focus when the window is activated.
    setTabOrder(cxDateEdit2, cxButton3);
    setTabOrder(cxButton3, cxButton8);
    placeComponents();
}

void TLISTE_TIRVO::createStatusBar() {
    dxStatusBar1 = new StatusBar(this);
    dxStatusBar1->setBackground(winColor(teal));
    dxStatusBar1->setFont(pixelFont(QStringLiteral("Tahoma"), 11, false));
    const QFont calibri13 = calibriBold(13);
    const QFont tahomaBold = pixelFont(QStringLiteral("Tahoma"), 11, true);
    const QFont tahoma = pixelFont(QStringLiteral("Tahoma"), 11, false);
    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment centre = Qt::AlignHCenter;
    dxStatusBar1->addPanel({QStringLiteral("Utilisateur"), 60, left, calibri13, Qt::white});
    dxStatusBar1->addPanel({QStringLiteral("Admin"), 80, centre, calibri13, winColor(4128670)});
    dxStatusBar1->addPanel({QStringLiteral("Poste de Travail "), 100, left, calibri13, Qt::white});
    dxStatusBar1->addPanel({QStringLiteral("SERVEUR"), 80, centre, tahomaBold, winColor(120058)});
    // Line 1 of the station file: the station's own name, in the style of the panels before it.
    dxStatusBar1->addPanel({QString(), 100, left, calibri13, Qt::white});
    dxStatusBar1->addPanel({QStringLiteral("IP"), 20, left, tahomaBold, Qt::white});
    dxStatusBar1->addPanel({QString(), 120, left, tahoma, QColor(0, 255, 255)});
    // What failed last, in amber so that it is noticed.
    dxStatusBar1->addPanel({QString(), 50, left, tahomaBold, winColor(2676223), true});
}

void TLISTE_TIRVO::placeComponents() {
    const int inner = width() - 2 * borderWidth;
    const int middleHeight = height() - 2 * borderWidth - headerHeight - statusHeight;

    Panel5->setGeometry(borderWidth, borderWidth, inner, headerHeight);
    cxButton3->setGeometry(0, 0, 570, headerHeight - 3);
    const int dateLeft = inner - rightBarWidth - analysisColumnWidth;
    cxDateEdit2->setGeometry(dateLeft, 4, analysisColumnWidth, 27);
    Label2->move(dateLeft - 8 - Label2->width(), (headerHeight - 3 - Label2->height()) / 2);

    Panel6->setGeometry(borderWidth, borderWidth + headerHeight, inner, middleHeight);
    Categories->setGeometry(0, 0, 730, 550);
    Panel3->setGeometry(inner - rightBarWidth, 0, rightBarWidth, middleHeight);
    Panel1->setGeometry(dateLeft, 0, analysisColumnWidth, middleHeight);
    Panel9->setGeometry(dateLeft - gapWidth, 0, gapWidth, middleHeight);
    Liste_ANA->setGeometry(0, 0, 141, 479);
    Panel10->setGeometry(0, middleHeight - 71, analysisColumnWidth, 71);
    cxButton8->setGeometry(0, 0, analysisColumnWidth, 71);
    // The docked columns lie over the patient area where they meet it.
    Panel9->raise();
    Panel1->raise();
    Panel3->raise();

    Image1->setGeometry(0, 0, rightBarWidth, 67);
    cxButton4->setGeometry(0, 67, rightBarWidth, 93);
    cxButton5->setGeometry(0, 67 + 93 + 4, rightBarWidth, 91);
    cxButton2->setGeometry(0, 67 + 93 + 4 + 91 + 8, rightBarWidth, 93);
    cxButton1->setGeometry(0, middleHeight - 71, rightBarWidth, 71);

    dxStatusBar1->setGeometry(borderWidth, height() - borderWidth - statusHeight, inner,
                              statusHeight);
}

void TLISTE_TIRVO::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeComponents();
}

void TLISTE_TIRVO::ForcatmCreate() {
    state = StartState::Creating;
    if (auto* app = StationApplication::instance())
        app->setExceptionHandler(
            [this](QObject* sender, const std::exception& error) { AppException(sender, error); });

    // The splash stays on screen through the pause, which deliberately blocks this thread.
    QImage logo(QStringLiteral(":/LOGO"));
    splash = std::make_unique<TSplash>(logo);
    splash->Show(true);
    QThread::msleep(env.splashPauseMs);
    splash->Close();
    logo = QImage();

    const QString fontFile = QDir(env.workingFolder).filePath(QStringLiteral("Font/calibrib.TTF"));
    if (QFileInfo::exists(fontFile))
        QFontDatabase::addApplicationFont(fontFile);

    Timer1->start();
    state = StartState::WaitingForStart;
}

void TLISTE_TIRVO::Timer1Timer() {
    Timer1->stop();
    if (isSecondInstance())
        return;
    runStartSteps();
}

void TLISTE_TIRVO::runStartSteps() {
    state = StartState::Starting;
    try {
        lines = store::readStationFile(env.workingFolder);
        if (lines.size() < 4)
            throw store::StationFileError(
                QStringLiteral("Fichier Ch.txt incomplet : %1 ligne(s) au lieu de 4 au moins")
                    .arg(lines.size())
                    .toStdString());
        UniConnection1.setDatabase(lines.at(3));
        UniConnection1.open();
        UniConnection1.setAutoCommit(true);
        dxStatusBar1->setPanelText(4, lines.at(1));
        dxStatusBar1->setPanelText(6, store::GetLocalIP());
        cxDateEdit2->setDate(env.today());
        Liste_patient->close();
        Liste_patient->bindDate(0, cxDateEdit2->date());
        Liste_patient->open();
        Liste_pat();
    } catch (...) {
        state = StartState::Inert;
        throw;
    }
    state = StartState::Ready;
}

void TLISTE_TIRVO::AppException(QObject*, const std::exception& E) {
    const QString text = QString::fromUtf8(E.what());
    dxStatusBar1->setPanelText(messagePanel, text);
    std::fprintf(stderr, "appel: %s\n", text.toLocal8Bit().constData());
}

void TLISTE_TIRVO::keyPressEvent(QKeyEvent* event) {
    // Without key preview the window sees a key only when no child holds the focus; Qt would also
    // pass on keys a focused child ignores, which must not rebuild the board.
    QWidget* focused = focusWidget();
    if (!focused || focused == this)
        FormKeyDown(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}

void TLISTE_TIRVO::FormKeyDown(int Key, Qt::KeyboardModifiers) {
    if (Key == Qt::Key_F9)
        cxButton3Click();
}

void TLISTE_TIRVO::closeEvent(QCloseEvent* event) {
    state = StartState::Ending;
    event->accept();
    QCoreApplication::quit();
}

void TLISTE_TIRVO::cxButton1Click() {
    close();
}

void TLISTE_TIRVO::cxButton3Click() {
    // A station that never reached Ready tries its start again; one whose link to the database
    // broke reconnects once before it runs its queries.
    // During the start's own first build a refresh only asks that build to start over.
    if (state != StartState::Ready && state != StartState::Starting) {
        runStartSteps();
        return;
    }
    if (!UniConnection1.isOpen())
        UniConnection1.open();
    Liste_pat();
}

void TLISTE_TIRVO::cxDateEdit2PropertiesCloseUp() {
    cxButton3Click();
}

void TLISTE_TIRVO::cxButton5Click() {
    TF_liste_patient::open(*this);
}

void TLISTE_TIRVO::Liste_pat() {
    tiles->Liste_pat();
    dxStatusBar1->setPanelText(messagePanel, QString());
}

void TLISTE_TIRVO::restoreFromAnotherStart() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TLISTE_TIRVO::attachDisplay(TFAfficher_Numero* display) {
    calling->setDisplay({display->Label1, display->Label3, [display] {
                             // Filled by hand too: without a window manager nothing maximises.
                             if (!display->isVisible())
                                 display->setGeometry(display->screen()->availableGeometry());
                             display->showMaximized();
                             display->raise();
                             display->activateWindow();
                         }});
    connect(display, &TFAfficher_Numero::FormClose, this, [this] { calling->displayClosed(); });
}

void TLISTE_TIRVO::ArticlesClick(Tile* Sender) {
    calling->ArticlesClick(Sender);
}

void TLISTE_TIRVO::MONADATE() {
    calling->MONADATE();
}

void TLISTE_TIRVO::tirvo(int Numero) {
    announce::announceTicket(Numero, *player);
}

void TLISTE_TIRVO::cxButton2Click() {
    calling->cxButton2Click();
}

void TLISTE_TIRVO::cxButton4Click() {
    MONADATE();
}

void TLISTE_TIRVO::cxButton8Click() {
    calling->cxButton8Click();
}
