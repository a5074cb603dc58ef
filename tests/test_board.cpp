#include "StationTestMain.h"
#include "TestDatabase.h"
#include "board/TileBoard.h"
#include "platform/TileControl.h"
#include "store/CallListStatements.h"
#include "store/Connection.h"
#include "store/Query.h"

#include <QTimer>

using namespace store;

namespace {

const QDate workingDay(2026, 3, 2);

// One window's board on a fixture database, without the window around it.
struct Board {
    explicit Board(const TestDatabase& db, BoardKind kind) {
        db.connect(connection);
        const bool waiting = kind == BoardKind::Waiting;
        const auto patientText =
            waiting ? statements::Liste_patient() : statements::LISTE_TIRVO_VALIDE();
        const auto analysisText =
            waiting ? statements::Liste_ANALYSE_waiting() : statements::Liste_ANALYSE_served();
        patients = std::make_unique<Query>(connection, patientText.lines, patientText.settings);
        analyses = std::make_unique<Query>(connection, analysisText.lines, analysisText.settings);
        if (waiting) {
            patients->bindDate(0, workingDay);
            patients->open();
        }
        TileBoard::applyAreaSettings(&Categories, QSize(150, 60));
        TileBoard::applyAreaSettings(&Liste_ANA, QSize(140, 63));
        Categories.resize(730, 550);
        Liste_ANA.resize(141, 479);
        TileBoard::Parts parts;
        parts.kind = kind;
        parts.Categories = &Categories;
        parts.Groupe1 = Categories.addGroup(QStringLiteral("Groupe1"));
        parts.Liste_ANA = &Liste_ANA;
        parts.patients = patients.get();
        parts.analyses = analyses.get();
        parts.workingDate = [this] { return date; };
        parts.ArticlesClick = [](Tile*) {};
        board = std::make_unique<TileBoard>(parts);
    }

    QStringList ticketsOnBoard() const {
        QStringList tickets;
        for (int i = 0; i < Categories.tileCount(); ++i)
            tickets << Categories.tile(i)->text(0);
        return tickets;
    }
    // The analysis types shown, after a click on the patient tile with that visit code.
    QStringList analysesOf(const QString& visit) {
        for (int i = 0; i < Categories.tileCount(); ++i) {
            if (Categories.tile(i)->text(1) == visit) {
                Categories.click(Categories.tile(i));
                return shownAnalyses();
            }
        }
        return {QStringLiteral("no tile")};
    }
    QStringList shownAnalyses() const {
        QStringList shown;
        for (int g = 0; g < Liste_ANA.groupCount(); ++g) {
            const TileGroup* group = Liste_ANA.group(g);
            for (int i = 0; group->isVisible() && i < group->tileCount(); ++i)
                shown << group->tile(i)->text(2);
        }
        return shown;
    }

    Connection connection;
    std::unique_ptr<Query> patients;
    std::unique_ptr<Query> analyses;
    TileControl Categories;
    TileControl Liste_ANA;
    std::unique_ptr<TileBoard> board;
    QDateTime date{workingDay, QTime(0, 0)};
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
private slots:
    void waitingBoardShowsEveryWaitingVisitOnce();
    void analysesOfEachPatientTile_data();
    void analysesOfEachPatientTile();
    void patientTileTexts();
    void servedBoardSelectsTheFirstPatient();
    void dateWithoutRowsGivesEmptyAreas();
    void emptiedDateShowsEmptyBoardAndTimeOfDayIsCut();
    void namesAndKeysInEveryCharacterSet_data();
    void namesAndKeysInEveryCharacterSet();
    void rebuildRequestedDuringABuildStartsOver();
    void patientClickWhileTheBoardGrows();
};

void TestBoard::waitingBoardShowsEveryWaitingVisitOnce() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    Board board(db, BoardKind::Waiting);
    board.board->Liste_pat();
    QStringList tickets = board.ticketsOnBoard();
    tickets.sort();
    // Visit 010 once although it has two kinds of waiting mark; no tile for the empty visit
    // code, none for the visit whose date carries a time of day; the build never stops.
    QCOMPARE(tickets, (QStringList{"10", "10", "2/1", "É 3"}));
    for (int g = 0; g < board.Liste_ANA.groupCount(); ++g)
        QVERIFY(!board.Liste_ANA.group(g)->isVisible());
}

void TestBoard::analysesOfEachPatientTile_data() {
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QStringList>("types");
    QTest::newRow("both waiting marks, another date too")
        << "02/03/2026010" << QStringList{"HÉMATO", "BIOCHIMIE", "URINES"};
    QTest::newRow("ticket with a slash") << "02/03/2026020" << QStringList{"HÉMATO"};
    QTest::newRow("ticket with a blank and an accent")
        << "02/03/2026030" << QStringList{"BIOCHIMIE"};
    QTest::newRow("second visit with ticket 10")
        << "02/03/2026040" << QStringList{"GROUPAGE", "COAG"};
}

void TestBoard::analysesOfEachPatientTile() {
    QFETCH(QString, visit);
    QFETCH(QStringList, types);
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    Board board(db, BoardKind::Waiting);
    board.board->Liste_pat();
    QStringList shown = board.analysesOf(visit);
    shown.sort();
    types.sort();
    QCOMPARE(shown, types);
}

void TestBoard::patientTileTexts() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    Board board(db, BoardKind::Waiting);
    board.board->Liste_pat();
    for (int i = 0; i < board.Categories.tileCount(); ++i) {
        const Tile* tile = board.Categories.tile(i);
        QCOMPARE(tile->size(), TileSize::Large);
        QCOMPARE(tile->text(3), tile->text(0));
        QCOMPARE(tile->textSlot(0).pointSize, 24);
        QVERIFY(tile->textSlot(0).bold);
        QCOMPARE(tile->textSlot(1).pointSize, 6);
        QVERIFY(!tile->textSlot(2).ownFont);
        if (tile->text(1) == QLatin1String("02/03/2026020")) {
            QCOMPARE(tile->gradientBeginColor(), QColor(Qt::black));
            QCOMPARE(tile->text(2), QStringLiteral("Noël Jérôme"));
        }
        if (tile->text(1) == QLatin1String("02/03/2026030"))
            QCOMPARE(tile->text(2), QStringLiteral(" Zoé"));
        if (tile->text(1) == QLatin1String("02/03/2026010"))
            QCOMPARE(tile->gradientBeginColor(), QColor(255, 182, 193));
    }
    board.analysesOf(QStringLiteral("02/03/2026020"));
    const Tile* analysis = board.Liste_ANA.tile(board.Liste_ANA.tileCount() - 1);
    QCOMPARE(analysis->textSlot(2).pointSize, 20);
}

void TestBoard::servedBoardSelectsTheFirstPatient() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    Board board(db, BoardKind::Served);
    board.board->Liste_pat();
    // The visit date with a time of day is on the served list.
    QCOMPARE(board.ticketsOnBoard(), (QStringList{"10", "50"}));
    QCOMPARE(board.Categories.focusedTile(), board.Categories.tile(0));
    QCOMPARE(board.shownAnalyses(), QStringList{"SÉROLOGIE"});
    QCOMPARE(board.Liste_ANA.groupCount(), 2);
}

void TestBoard::dateWithoutRowsGivesEmptyAreas() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    for (BoardKind kind : {BoardKind::Waiting, BoardKind::Served}) {
        Board board(db, kind);
        board.board->Liste_pat();
        QVERIFY(board.Categories.tileCount() > 0);
        board.date = QDateTime(QDate(2026, 1, 1), QTime(0, 0));
        board.board->Liste_pat();
        QCOMPARE(board.Categories.tileCount(), 0);
        QCOMPARE(board.Liste_ANA.groupCount(), 0);
        QCOMPARE(board.Liste_ANA.tileCount(), 0);
    }
}

void TestBoard::emptiedDateShowsEmptyBoardAndTimeOfDayIsCut() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql"});
    Board board(db, BoardKind::Waiting);
    board.date = QDateTime(workingDay, QTime(10, 15));
    board.board->Liste_pat();
    QCOMPARE(board.Categories.tileCount(), 4);
    board.date = QDateTime();
    board.board->Liste_pat();
    QCOMPARE(board.Categories.tileCount(), 0);
    QCOMPARE(board.Liste_ANA.groupCount(), 0);
}

void TestBoard::namesAndKeysInEveryCharacterSet_data() {
    QTest::addColumn<QString>("charSet");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("analysis");
    QTest::newRow("UTF8") << "UTF8"
                          << "'Lefèvre'"
                          << "'HÉMATO'";
    QTest::newRow("WIN1252") << "WIN1252"
                             << "'Lefèvre'"
                             << "'HÉMATO'";
    QTest::newRow("NONE with Windows-1252 bytes") << "NONE"
                                                  << "x'4C6566E8767265'"
                                                  << "x'48C94D41544F'";
}

void TestBoard::namesAndKeysInEveryCharacterSet() {
    QFETCH(QString, charSet);
    QFETCH(QString, surname);
    QFETCH(QString, analysis);
    TestDatabase db({"calllist_table.sql"}, false, charSet);
    db.execute(QStringLiteral("insert into LISTE_TIRVO values (1, '02/03/2026001', '1', %1, "
                              "'Zoé', '2026-03-02', null, 'F', null, 255, %2, 1)")
                   .arg(surname, analysis));
    Board board(db, BoardKind::Waiting);
    board.board->Liste_pat();
    QCOMPARE(board.Categories.tileCount(), 1);
    QCOMPARE(board.Categories.tile(0)->text(2), charSet == QLatin1String("NONE")
                                                    ? QStringLiteral("Lefèvre Zoé")
                                                    : QStringLiteral("Lefèvre Zoé"));
    QCOMPARE(board.analysesOf(QStringLiteral("02/03/2026001")), QStringList{"HÉMATO"});

    // The keys the tile carries are bound back by the validation and match the row.
    const auto keys = board.Liste_ANA.tile(0)->userData().value<AnalysisTileKeys>();
    const auto text = statements::Update_valide();
    Query update(board.connection, text.lines, text.settings);
    update.bindText(0, keys.COD_RECH);
    update.bindText(1, keys.TYPE_PARA);
    QCOMPARE(update.execute(), 1);
    board.board->Liste_pat();
    QCOMPARE(board.Categories.tileCount(), 0);
}

void TestBoard::rebuildRequestedDuringABuildStartsOver() {
    TestDatabase db({"calllist_table.sql", "board_cases.sql", "small_morning.sql"});
    Board board(db, BoardKind::Waiting);
    // Two requests arrive while the first build lets the message loop run (F9 held down, the
    // calendar closed twice); the second one also changes the date.
    int requests = 0;
    QTimer::singleShot(0, [&] {
        ++requests;
        board.board->Liste_pat();
    });
    QTimer::singleShot(0, [&] {
        ++requests;
        board.date = QDateTime(QDate(2026, 3, 1), QTime(0, 0));
        board.board->Liste_pat();
    });
    board.board->Liste_pat();
    QCOMPARE(requests, 2);
    QVERIFY(!board.board->isBuilding());
    // The last request wins: the board of 2026-03-01, once.
    QCOMPARE(board.ticketsOnBoard(), QStringList{"1"});
    QCOMPARE(board.Liste_ANA.groupCount(), 1);
}

void TestBoard::patientClickWhileTheBoardGrows() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    Board board(db, BoardKind::Waiting);
    QStringList seen;
    QTimer::singleShot(0, [&] {
        // Only the first patient's tile and group exist yet.
        QCOMPARE(board.Categories.tileCount(), 1);
        board.Categories.click(board.Categories.tile(0));
        seen = board.shownAnalyses();
    });
    board.board->Liste_pat();
    seen.sort();
    QCOMPARE(seen, (QStringList{"BIOCHIMIE", "HÉMATO"}));
    QCOMPARE(board.board->rememberedPatientIndex, 0);
}

STATION_TEST_MAIN(TestBoard)
#include "test_board.moc"
