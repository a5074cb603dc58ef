#include "StationFixture.h"
#include "StationTestMain.h"
#include "board/TileBoard.h"
#include "platform/TileControl.h"
#include "store/CallListStatements.h"
#include "store/Query.h"

#include <QPushButton>

// Two stations on one database of the loopback Firebird server that the test script starts.
class TestStations : public QObject {
    Q_OBJECT
private slots:
    void servedAtOneStationLeavesTheOthersBoard();
    void bothStationsCallingTheSameAnalysis();
    void singleByteAnalysisTypeIsServedAndPutBackByItsOwnRow();
};

namespace {

QStringList ticketsOn(const StationFixture& station) {
    QStringList tickets;
    for (int i = 0; i < station.window->Categories->tileCount(); ++i)
        tickets << station.window->Categories->tile(i)->text(0);
    return tickets;
}

// What the review window's un-validation sends, from a station's connection.
void putBack(StationFixture& station, const AnalysisTileKeys& keys) {
    const auto text = store::statements::Update_Dvalide();
    store::Query update(station.window->UniConnection1, text.lines, text.settings);
    update.bindText(0, keys.COD_RECH);
    update.bindText(1, keys.TYPE_PARA);
    update.execute();
}

AnalysisTileKeys keysOfShownAnalysis(const StationFixture& station, const QString& type) {
    const TileControl* area = station.window->Liste_ANA;
    for (int i = 0; i < area->tileCount(); ++i)
        if (area->tile(i)->group()->isVisible() && area->tile(i)->text(2) == type)
            return area->tile(i)->userData().value<AnalysisTileKeys>();
    return {};
}

} // namespace

void TestStations::servedAtOneStationLeavesTheOthersBoard() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"}, true);
    StationFixture a(db);
    StationFixture b(db);
    QCOMPARE(ticketsOn(b), (QStringList{"1", "007", "A12", "305"}));

    a.clickPatient(1);
    QVERIFY(a.clickAnalysis(QStringLiteral("SÉROLOGIE")));
    QCOMPARE(ticketsOn(a), (QStringList{"1", "A12", "305"}));
    QTest::mouseClick(b.window->cxButton3, Qt::LeftButton);
    QCOMPARE(ticketsOn(b), (QStringList{"1", "A12", "305"}));

    putBack(b, {store::DbText::fromString("02/03/2026002"),
                store::DbText::fromString(QStringLiteral("SÉROLOGIE"))});
    QTest::mouseClick(a.window->cxButton3, Qt::LeftButton);
    QCOMPARE(ticketsOn(a), (QStringList{"1", "007", "A12", "305"}));
}

void TestStations::bothStationsCallingTheSameAnalysis() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"}, true);
    StationFixture a(db);
    StationFixture b(db);
    a.clickPatient(0);
    b.clickPatient(0);
    QVERIFY(a.clickAnalysis(QStringLiteral("HÉMATO")));
    QVERIFY(b.clickAnalysis(QStringLiteral("HÉMATO")));
    QVERIFY(a.message().isEmpty());
    QVERIFY(b.message().isEmpty());
    QCOMPARE(a.mark("02/03/2026001", "HÉMATO"), QStringLiteral("True"));
    QCOMPARE(a.mark("02/03/2026001", "BIOCHIMIE"), QString());
    QCOMPARE(b.shownAnalyses(), QStringList{"BIOCHIMIE"});
}

void TestStations::singleByteAnalysisTypeIsServedAndPutBackByItsOwnRow() {
    TestDatabase db({"calllist_table.sql"}, true, QStringLiteral("NONE"));
    // A legacy row: 'HÉMATO' stored as Windows-1252 bytes in a column of character set NONE,
    // next to the same visit's UTF-8 'HÉMATO' written by a newer program.
    db.execute(QStringLiteral(
        "insert into LISTE_TIRVO values (1, '02/03/2026001', '1', x'4C6566E8767265', 'Zoé', "
        "'2026-03-02', null, 'F', null, 255, x'48C94D41544F', 1)"));
    db.execute(QStringLiteral(
        "insert into LISTE_TIRVO values (2, '02/03/2026001', '1', x'4C6566E8767265', 'Zoé', "
        "'2026-03-02', null, 'F', null, 255, x'48C3894D41544F', 1)"));
    StationFixture a(db);
    a.clickPatient(0);
    QCOMPARE(a.shownAnalyses(), (QStringList{"HÉMATO", "HÉMATO"}));
    const AnalysisTileKeys legacy = keysOfShownAnalysis(a, QStringLiteral("HÉMATO"));
    QVERIFY(a.clickAnalysis(QStringLiteral("HÉMATO")));
    QVERIFY(a.message().isEmpty());
    QCOMPARE(a.selectedPatient(), 0);
    QCOMPARE(a.shownAnalyses(), QStringList{"HÉMATO"});

    putBack(a, legacy);
    QTest::mouseClick(a.window->cxButton3, Qt::LeftButton);
    a.clickPatient(0);
    QCOMPARE(a.shownAnalyses(), (QStringList{"HÉMATO", "HÉMATO"}));
}

STATION_TEST_MAIN(TestStations)
#include "test_stations.moc"
