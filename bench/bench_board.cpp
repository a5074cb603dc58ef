// Prints the cost of the main board and of a call on an embedded database of 400 waiting
// patients with 5 analyses each:
// - one main-window build (patients query, 400 analyses queries, 2,400 tiles, drawing) against
//   the floor, the same 401 statements through the store layer with no window;
// - the station's resident memory with that board;
// - a call: from the click to the public display's number drawn, and from the end of the sound
//   to the rebuilt board with the patient selected again.
// Usage: bench_board [patients]

#include "CallListWriter.h"
#include "app/Application.h"
#include "board/TileBoard.h"
#include "platform/Fonts.h"
#include "platform/TileControl.h"
#include "platform/WavePlayer.h"
#include "store/CallListStatements.h"
#include "ui/Afficher_Numero.h"
#include "ui/u_LISTE_TIRVO.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

const QDate workingDay(2026, 3, 2);
constexpr int analysesPerPatient = 5;
constexpr int rounds = 7;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void makeDatabase(const QString& path, int patients) {
    store::Connection connection;
    connection.setDatabase(path);
    connection.create();
    CallListWriter writer(connection);
    writer.createTable();
    // A call list of this size is indexed on its visit code in any real laboratory.
    connection.executeImmediate(QStringLiteral("create index LISTE_TIRVO_COD_RECH on "
                                               "LISTE_TIRVO (COD_RECH)"));
    const QStringList types = {"HÉMATO", "BIOCHIMIE", "SÉROLOGIE", "HORMONES", "URINES"};
    for (int p = 1; p <= patients; ++p) {
        for (int a = 0; a < analysesPerPatient; ++a) {
            CallListRow row;
            row.COD_RECH = QStringLiteral("02/03/2026%1").arg(p, 3, 10, QLatin1Char('0'));
            row.NUM_PAS = QString::number(p);
            row.NOM_PAS = QStringLiteral("Lefèvre");
            row.PRE_PAS = QStringLiteral("Hélène");
            row.DAT_VIS = QDateTime(workingDay, QTime(0, 0));
            row.SEXE_PAS = QStringLiteral("F");
            row.COLOR = 0x80FF80;
            row.TYPE_PARA = types.at(a);
            row.COLOR_SEXE = 0xC1B6FF;
            writer.insert(row);
        }
    }
}

// The same statements a main build runs, through the store layer alone.
double floorMilliseconds(const QString& path) {
    store::Connection connection;
    connection.setDatabase(path);
    connection.open();
    const auto patientText = store::statements::Liste_patient();
    const auto analysisText = store::statements::Liste_ANALYSE_waiting();
    store::Query patients(connection, patientText.lines, patientText.settings);
    store::Query analyses(connection, analysisText.lines, analysisText.settings);
    patients.bindDate(0, workingDay);
    patients.open();
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        patients.bindDate(0, workingDay);
        patients.refresh();
        int fields = 0;
        for (patients.first(); !patients.eof(); patients.next()) {
            analyses.close();
            analyses.bindText(0, patients.fieldKey("COD_RECH"));
            analyses.open();
            for (analyses.first(); !analyses.eof(); analyses.next())
                fields += analyses.fieldText("TYPE_PARA").size();
        }
        times.push_back(clock.nsecsElapsed() / 1e6);
        if (fields == 0)
            std::printf("no rows read\n");
    }
    return median(times);
}

// Notes when the sound starts and ends; plays nothing.
class TimingPlayer : public WavePlayer {
public:
    void beginAnnouncement() override { soundStart = clock.nsecsElapsed(); }
    void play(const QString&, QByteArrayView) override {}
    void endAnnouncement() noexcept override { soundEnd = clock.nsecsElapsed(); }
    QElapsedTimer clock;
    qint64 soundStart = 0;
    qint64 soundEnd = 0;
};

struct CallTimes {
    double clickToNumberDrawn = 0;
    double soundEndToBoardSelected = 0;
};

CallTimes timeCalls(TLISTE_TIRVO& window, TimingPlayer& player, int calls) {
    std::vector<double> drawn;
    std::vector<double> rebuilt;
    for (int i = 0; i < calls; ++i) {
        const int patient = std::min(i, window.Categories->tileCount() - 1);
        window.Categories->click(window.Categories->tile(patient));
        Tile* analysis = nullptr;
        for (int t = 0; t < window.Liste_ANA->tileCount() && !analysis; ++t)
            if (window.Liste_ANA->tile(t)->group()->isVisible())
                analysis = window.Liste_ANA->tile(t);
        if (!analysis)
            break;
        const QPoint at = window.Liste_ANA->tileRect(analysis).center();
        player.clock.start();
        QTest::mouseClick(window.Liste_ANA, Qt::LeftButton, {}, at);
        const qint64 end = player.clock.nsecsElapsed();
        drawn.push_back(player.soundStart / 1e6);
        rebuilt.push_back((end - player.soundEnd) / 1e6);
    }
    return {median(drawn), median(rebuilt)};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    StationApplication application(argc, argv);
    registerStationFonts();
    const int patients = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.fdb"));
    makeDatabase(path, patients);
    QFile station(folder.filePath(QStringLiteral("Ch.txt")));
    station.open(QIODevice::WriteOnly);
    station.write(QStringLiteral("banc\r\nBanc d'essai\r\n\r\n%1\r\n").arg(path).toUtf8());
    station.close();

    const double floor = floorMilliseconds(path);
    const double memoryBefore = residentMegabytes();

    TimingPlayer player;
    StationEnvironment environment;
    environment.workingFolder = folder.path();
    environment.today = [] { return workingDay; };
    environment.splashPauseMs = 0;
    environment.player = &player;
    TLISTE_TIRVO window(environment);
    TFAfficher_Numero display;
    window.attachDisplay(&display);
    window.show();
    QTest::qWait(50);
    window.Timer1Timer();
    window.cxButton2Click();
    QCoreApplication::processEvents();

    std::vector<double> builds;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        window.Liste_pat();
        builds.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double build = median(builds);
    const double memory = residentMegabytes();
    const int tiles = window.Categories->tileCount() + window.Liste_ANA->tileCount();
    const CallTimes call = timeCalls(window, player, 5);

    std::printf("patients %d x %d analyses, %d tiles on the board\n", patients, analysesPerPatient,
                tiles);
    std::printf("floor (%d statements, store layer only): %.1f ms\n", patients + 1, floor);
    std::printf("main-window build:                        %.1f ms\n", build);
    std::printf("ratio build / floor:                      %.2f (target <= 1.30)\n", build / floor);
    std::printf("resident memory with the board:           %.1f MB (before the window: %.1f MB; "
                "target <= 150)\n",
                memory, memoryBefore);
    std::printf("call: click -> display number drawn:      %.2f ms (target < 16)\n",
                call.clickToNumberDrawn);
    std::printf("call: end of sound -> board, patient selected: %.1f ms\n",
                call.soundEndToBoardSelected);
    return 0;
}
