#pragma once

#include "store/Connection.h"
#include "store/Query.h"

#include <QDate>
#include <QDir>
#include <QStringList>
#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;
class QToolButton;
class DateEdit;
class SingleInstance;
class StatusBar;
class CallWorkflow;
class TFAfficher_Numero;
class Tile;
class WavePlayer;
class TileBoard;
class TileControl;
class TileGroup;
class TSplash;

// What the station takes from its surroundings; tests give their own.
struct StationEnvironment {
    QString workingFolder = QDir::currentPath();
    std::function<QDate()> today = [] { return QDate::currentDate(); };
    // Empty: no single-instance guard.
    QString instanceKey;
    int splashPauseMs = 1000;
    // Plays the voice clips; none: the sound card through ALSA.
    WavePlayer* player = nullptr;
    // The information box of "Valider Patient"; none: a standard message box.
    std::function<void(QWidget* parent, const QString& text)> informationBox;
};

// The receptionist's main window: the board of waiting patients, the calling commands, the
// station's one database connection and the start sequence.
class TLISTE_TIRVO : public QWidget {
    Q_OBJECT
public:
    enum class StartState { Creating, WaitingForStart, Starting, Ready, Inert, Ending };

    explicit TLISTE_TIRVO(StationEnvironment environment = {});
    ~TLISTE_TIRVO() override;

    StartState startState() const { return state; }
    // Today's date as the station sees it (the review window opens on it).
    QDate today() const { return env.today(); }
    bool isSecondInstance() const;
    const QStringList& stationLines() const { return lines; }

    // Header band.
    QWidget* Panel5 = nullptr;
    QPushButton* cxButton3 = nullptr;
    QLabel* Label2 = nullptr;
    DateEdit* cxDateEdit2 = nullptr;
    // Invisible labels holding the calling state.
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    // Middle area.
    QWidget* Panel6 = nullptr;
    TileControl* Categories = nullptr;
    TileGroup* Groupe1 = nullptr;
    QWidget* Panel9 = nullptr;
    QWidget* Panel1 = nullptr;
    TileControl* Liste_ANA = nullptr;
    QWidget* Panel10 = nullptr;
    QToolButton* cxButton8 = nullptr;
    // Right-hand bar.
    QWidget* Panel3 = nullptr;
    QLabel* Image1 = nullptr;
    QToolButton* cxButton4 = nullptr;
    QToolButton* cxButton5 = nullptr;
    QToolButton* cxButton2 = nullptr;
    QToolButton* cxButton1 = nullptr;
    StatusBar* dxStatusBar1 = nullptr;

    QTimer* Timer1 = nullptr;
    SingleInstance* LMDOneInstance1 = nullptr;
    store::Connection UniConnection1;
    std::unique_ptr<store::Query> Liste_patient;
    std::unique_ptr<store::Query> Liste_ANALYSE;
    std::unique_ptr<store::Query> Update_valide;

    // Status-bar panel that shows what failed last.
    static constexpr int messagePanel = 7;

    void ForcatmCreate();
    void Timer1Timer();
    void AppException(QObject* Sender, const std::exception& E);
    void FormKeyDown(int Key, Qt::KeyboardModifiers Shift);
    void cxButton1Click();
    void cxButton3Click();
    void cxButton5Click();
    void cxDateEdit2PropertiesCloseUp();
    void Liste_pat();
    void ArticlesClick(Tile* Sender);
    void MONADATE();
    void tirvo(int Numero);
    void cxButton2Click();
    void cxButton4Click();
    void cxButton8Click();
    // The public display window, created after this one.
    void attachDisplay(TFAfficher_Numero* display);
    CallWorkflow& calls() { return *calling; }
    TileBoard& board() { return *tiles; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createComponents();
    void createStatusBar();
    void placeComponents();
    void runStartSteps();
    void restoreFromAnotherStart();

    StationEnvironment env;
    std::unique_ptr<TSplash> splash;
    std::unique_ptr<TileBoard> tiles;
    std::unique_ptr<WavePlayer> soundCard;
    WavePlayer* player = nullptr;
    std::unique_ptr<CallWorkflow> calling;
    StartState state = StartState::Creating;
    QStringList lines;
};
