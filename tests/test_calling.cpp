#include "StationFixture.h"
#include "StationTestMain.h"
#include "board/CallWorkflow.h"
#include "board/TileBoard.h"
#include "platform/TileControl.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

const QStringList noClips;

QStringList clips(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

} // namespace

class TestCalling : public QObject {
    Q_OBJECT
private slots:
    void ticketNumber_data();
    void ticketNumber();
    void callShowsSpeaksServesAndSelectsAgain();
    void secondCallWithoutPatientClickSelectsNothing();
    void lastAnalysisOfAMiddlePatientSelectsTheNext();
    void lastAnalysisOfTheLastPatientSelectsNothing();
    void ticketThatIsNoNumberIsShownOnlyThenValidated();
    void callWithTheDisplayClosed();
    void recall();
    void recallWithAnEmptyBoardDoesNothing();
    void validateNeedsTheDisplayAndACall();
    void clicksDuringACallAreDropped();
    void failedUpdateIsShownAndCanBeValidatedLater();
    void closingTheDisplayClearsTheFlag();
};

void TestCalling::ticketNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << "42" << true << 42;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("sign") << "-3" << true << -3;
    QTest::newRow("plus") << "+5" << true << 5;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letters") << "A12" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
}

void TestCalling::ticketNumber() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, number);
    const std::optional<int> converted = CallWorkflow::ticketNumber(text);
    QCOMPARE(converted.has_value(), valid);
    if (valid)
        QCOMPARE(*converted, number);
}

void TestCalling::callShowsSpeaksServesAndSelectsAgain() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    station.clickPatient(0);
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));

    QCOMPARE(station.display->Label1->text(), QStringLiteral("1"));
    QCOMPARE(station.display->Label3->text(), QStringLiteral("HÉMATO"));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA1"}));
    QCOMPARE(station.window->Label4->text(), QStringLiteral("02/03/2026001"));
    QCOMPARE(station.window->Label5->text(), QStringLiteral("HÉMATO"));
    QCOMPARE(station.window->Label6->text(), QStringLiteral("1"));
    QCOMPARE(station.mark("02/03/2026001", "HÉMATO"), QStringLiteral("True"));
    QCOMPARE(station.selectedPatient(), 0);
    QCOMPARE(station.shownAnalyses(), QStringList{"BIOCHIMIE"});
    QCOMPARE(station.window->board().rememberedPatientIndex, -1);
    QVERIFY(station.message().isEmpty());
}

void TestCalling::secondCallWithoutPatientClickSelectsNothing() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    station.clickPatient(0);
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));
    QCOMPARE(station.selectedPatient(), 0);
    QVERIFY(station.clickAnalysis(QStringLiteral("BIOCHIMIE")));
    QCOMPARE(station.selectedPatient(), -1);
    QVERIFY(station.shownAnalyses().isEmpty());
    QCOMPARE(station.window->Categories->tileCount(), 3);
}

void TestCalling::lastAnalysisOfAMiddlePatientSelectsTheNext() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    station.clickPatient(1);
    QVERIFY(station.clickAnalysis(QStringLiteral("SÉROLOGIE")));
    QCOMPARE(station.display->Label1->text(), QStringLiteral("007"));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA7"}));
    QCOMPARE(station.selectedPatient(), 1);
    QCOMPARE(station.window->Categories->tile(1)->text(0), QStringLiteral("A12"));
    QCOMPARE(station.shownAnalyses(), QStringList{"COAG"});
}

void TestCalling::lastAnalysisOfTheLastPatientSelectsNothing() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    station.clickPatient(3);
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA300", "WA", "FA5"}));
    QCOMPARE(station.window->Categories->tileCount(), 3);
    QCOMPARE(station.selectedPatient(), -1);
    QCOMPARE(station.window->board().rememberedPatientIndex, -1);
    QVERIFY(station.message().isEmpty());
}

void TestCalling::ticketThatIsNoNumberIsShownOnlyThenValidated() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    station.clickPatient(2);
    QVERIFY(station.clickAnalysis(QStringLiteral("COAG")));
    QCOMPARE(station.display->Label1->text(), QStringLiteral("A12"));
    QCOMPARE(station.player.clips, noClips);
    QVERIFY(station.mark("02/03/2026003", "COAG").isEmpty());
    QVERIFY(!station.message().isEmpty());
    QCOMPARE(station.window->board().rememberedPatientIndex, 2);

    QTest::mouseClick(station.window->cxButton8, Qt::LeftButton);
    QCOMPARE(station.mark("02/03/2026003", "COAG"), QStringLiteral("True"));
    QCOMPARE(station.window->Categories->tileCount(), 3);
    QCOMPARE(station.player.clips, noClips);
    QVERIFY(station.message().isEmpty());
}

void TestCalling::callWithTheDisplayClosed() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    station.clickPatient(1);
    QVERIFY(station.clickAnalysis(QStringLiteral("SÉROLOGIE")));
    QCOMPARE(station.mark("02/03/2026002", "SÉROLOGIE"), QStringLiteral("True"));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA7"}));
    QVERIFY(!station.display->isVisible());
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QVERIFY(station.display->isVisible());
    QCOMPARE(station.display->Label1->text(), QStringLiteral("007"));
    QCOMPARE(station.display->Label3->text(), QStringLiteral("SÉROLOGIE"));
}

void TestCalling::recall() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    // Display closed: nothing, no message.
    QTest::mouseClick(station.window->cxButton4, Qt::LeftButton);
    QCOMPARE(station.player.clips, noClips);
    QVERIFY(station.boxes.isEmpty());
    // Display open before any call: the placeholders.
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QTest::mouseClick(station.window->cxButton4, Qt::LeftButton);
    QCOMPARE(station.display->Label1->text(), QStringLiteral("0"));
    QCOMPARE(station.display->Label3->text(), QStringLiteral("0"));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA0"}));
    // After a call: the call again, nothing written, the board as it was.
    station.clickPatient(3);
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));
    station.player.clips.clear();
    station.display->Label1->setText(QStringLiteral("x"));
    QTest::mouseClick(station.window->cxButton4, Qt::LeftButton);
    QCOMPARE(station.display->Label1->text(), QStringLiteral("305"));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA300", "WA", "FA5"}));
    QCOMPARE(station.window->board().rememberedPatientIndex, -1);
}

void TestCalling::recallWithAnEmptyBoardDoesNothing() {
    TestDatabase db({"calllist_table.sql"});
    StationFixture station(db);
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QTest::mouseClick(station.window->cxButton4, Qt::LeftButton);
    QCOMPARE(station.player.clips, noClips);
}

void TestCalling::validateNeedsTheDisplayAndACall() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    db.execute(QStringLiteral("insert into LISTE_TIRVO values (9, '0', '9', 'Zéro', 'Clé', "
                              "'2026-03-01', null, 'M', null, 1, '0', 2)"));
    StationFixture station(db);
    QTest::mouseClick(station.window->cxButton8, Qt::LeftButton);
    QCOMPARE(station.boxes,
             QStringList{QStringLiteral("La fenêtre d'tirvo du Patients doit être ouverte")});
    // Display open, no call yet: the placeholder keys "0" and "0" are not sent.
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QTest::mouseClick(station.window->cxButton8, Qt::LeftButton);
    QCOMPARE(station.boxes.size(), 1);
    QVERIFY(station.mark("0", "0").isEmpty());
    QVERIFY(station.message().isEmpty());
}

void TestCalling::clicksDuringACallAreDropped() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    station.clickPatient(0);
    // A double click: the second click waits in the queue while the first call runs.
    TileControl* area = station.window->Liste_ANA;
    Tile* tile = nullptr;
    for (int i = 0; i < area->tileCount(); ++i)
        if (area->tile(i)->group()->isVisible() && area->tile(i)->text(2) == "HÉMATO")
            tile = area->tile(i);
    QVERIFY(tile);
    const QPointF at = area->tileRect(tile).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(area, new QMouseEvent(type, at, area->mapToGlobal(at),
                                                          Qt::LeftButton, Qt::LeftButton, {}));
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));
    QCoreApplication::processEvents();
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA1"}));
    QCOMPARE(station.selectedPatient(), 0);
}

void TestCalling::failedUpdateIsShownAndCanBeValidatedLater() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    station.clickPatient(0);
    station.window->UniConnection1.markLost();
    QVERIFY(station.clickAnalysis(QStringLiteral("HÉMATO")));
    QCOMPARE(station.player.clips, clips({"TADKIRA", "FA1"}));
    QVERIFY(station.message().contains(QStringLiteral("NON marqué servi")));
    QVERIFY(station.mark("02/03/2026001", "HÉMATO").isEmpty());
    QCOMPARE(station.window->Label4->text(), QStringLiteral("02/03/2026001"));

    // The database answers again: the refresh reconnects, "Valider Patient" marks the call.
    QTest::mouseClick(station.window->cxButton3, Qt::LeftButton);
    QTest::mouseClick(station.window->cxButton8, Qt::LeftButton);
    QCOMPARE(station.mark("02/03/2026001", "HÉMATO"), QStringLiteral("True"));
    QVERIFY(station.message().isEmpty());
}

void TestCalling::closingTheDisplayClearsTheFlag() {
    TestDatabase db({"calllist_table.sql", "calling_morning.sql"});
    StationFixture station(db);
    QCOMPARE(station.window->Label3->text(), QStringLiteral("0"));
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QCOMPARE(station.window->Label3->text(), QStringLiteral("F"));
    station.display->close();
    QVERIFY(!station.display->isVisible());
    QCOMPARE(station.window->Label3->text(), QString());
    QTest::mouseClick(station.window->cxButton4, Qt::LeftButton);
    QCOMPARE(station.player.clips, noClips);
    QTest::mouseClick(station.window->cxButton2, Qt::LeftButton);
    QCOMPARE(station.window->Label3->text(), QStringLiteral("F"));
}

STATION_TEST_MAIN(TestCalling)
#include "test_calling.moc"
