// Figures for the tile control with a full board: 400 large patient tiles and 2,000
// analysis tiles in 400 hidden groups, filled the way the board builder fills them.
// Prints times; asserts nothing.

#include "platform/TileControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>

#include <malloc.h>

#include <cstdio>

namespace {

const int Patients = 400;
const int AnalysesPerPatient = 5;

double millisecondsSince(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void addPatientTile(TileControl& patients, TileGroup* group, int number) {
    const QString ticket = QString::number(number);
    Tile* tile = patients.addTile(group);
    tile->setSize(TileSize::Large);
    tile->setGradientBeginColor(QColor(255, 160, 200));
    tile->setGradientEndColor(QColor(255, 160, 200));
    tile->setFontColor(Qt::black);
    tile->setText(0, ticket);
    tile->setTextFontSize(0, 24);
    tile->setTextBold(0, true);
    tile->setTextColor(0, Qt::black);
    tile->setTextPlacement(0, TilePlacement::MiddleCenter);
    tile->setTextLineAlignment(0, Qt::AlignHCenter);
    tile->setTextWordWrap(0, true);
    tile->setText(1, QString("V%1").arg(number, 12, 10, QChar('0')));
    tile->setTextFontSize(1, 6);
    tile->setText(2, QString("NOM%1 PRENOM").arg(number));
    tile->setText(3, ticket);
    tile->setUserData(QByteArray("V0000000000000"));
    tile->setClickHandler([](Tile*) {});
}

void addAnalysisGroup(TileControl& analyses, int number) {
    TileGroup* group = analyses.addGroup();
    group->setName(QString("G%1").arg(number));
    group->setVisible(false);
    for (int i = 0; i < AnalysesPerPatient; ++i) {
        Tile* tile = analyses.addTile(group);
        tile->setGradientBeginColor(QColor(120, 200, 255));
        tile->setGradientEndColor(QColor(120, 200, 255));
        tile->setFontColor(Qt::black);
        tile->setText(0, QString::number(number));
        tile->setText(1, QString("V%1").arg(number, 12, 10, QChar('0')));
        tile->setText(2, QString("TYPE%1").arg(i));
        tile->setTextFontSize(2, 20);
        tile->setTextBold(2, false);
        tile->setTextColor(2, Qt::black);
        tile->setTextPlacement(2, TilePlacement::MiddleCenter);
        tile->setClickHandler([](Tile*) {});
    }
}

struct Board {
    QWidget window;
    TileControl* patients = new TileControl;
    TileControl* analyses = new TileControl;

    Board() {
        auto* layout = new QHBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(patients);
        layout->addWidget(analyses);
        patients->setFixedSize(730, 550);
        patients->setItemSize(QSize(150, 60));
        analyses->setFixedSize(141, 479);
        analyses->setItemSize(QSize(140, 63));
        patients->addGroup("Groupe1");
    }

    // The builder's loop: one patient tile, its analysis group, and optionally an
    // event-loop pass so the board is drawn as it grows.
    double build(bool pumpEvents) {
        patients->removeAllTiles();
        analyses->removeAllGroups();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        for (int number = 1; number <= Patients; ++number) {
            addPatientTile(*patients, patients->group(0), number);
            addAnalysisGroup(*analyses, number);
            if (pumpEvents)
                QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        return millisecondsSince(timer);
    }
};

double averageRepaint(TileControl& control, int rounds, bool dirtyLayout) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        if (dirtyLayout)
            control.setGroupIndent(control.groupIndent()); // forces a relayout
        control.repaint();
    }
    return millisecondsSince(timer) / rounds;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Board board;
    board.window.show();
    QCoreApplication::processEvents();

    board.build(false); // warm up fonts and caches
    const double plainBuild = board.build(false);
    const double pumpedBuild = board.build(true);
    std::printf("add 400 large + 2,000 regular tiles in 400 groups: %.1f ms\n", plainBuild);
    std::printf("same, with an event-loop pass and repaint after each patient: %.1f ms\n",
                pumpedBuild);

    std::printf("full repaint, patient area (400 tiles, 40 visible): %.3f ms\n",
                averageRepaint(*board.patients, 200, false));
    std::printf("relayout + full repaint, patient area: %.3f ms\n",
                averageRepaint(*board.patients, 200, true));

    // Every analysis group shown: 2,000 tiles in 400 stacked groups.
    for (int i = 0; i < board.analyses->groupCount(); ++i)
        board.analyses->group(i)->setVisible(true);
    std::printf("relayout + full repaint, analysis area with all 2,000 tiles shown: %.3f ms\n",
                averageRepaint(*board.analyses, 100, true));

    TileControl& patients = *board.patients;
    patients.setScrollPosition(0);
    const int steps = 100;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < steps; ++i) {
        if (patients.scrollPosition() >= patients.maxScrollPosition())
            patients.setScrollPosition(0);
        patients.setScrollPosition(patients.scrollPosition() + patients.scrollStep());
        patients.repaint();
    }
    std::printf("one scroll step (move + repaint), patient area: %.3f ms\n",
                millisecondsSince(timer) / steps);

    patients.removeAllTiles();
    board.analyses->removeAllGroups();
    QCoreApplication::processEvents();
    const std::size_t before = mallinfo2().uordblks;
    for (int number = 1; number <= Patients; ++number) {
        addPatientTile(patients, patients.group(0), number);
        addAnalysisGroup(*board.analyses, number);
    }
    const std::size_t after = mallinfo2().uordblks;
    const int tiles = patients.tileCount() + board.analyses->tileCount();
    std::printf("memory per tile (texts, handler and group share included): %.0f bytes\n",
                static_cast<double>(after - before) / tiles);
    return 0;
}
