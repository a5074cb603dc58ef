#include "StationFixture.h"
#include "StationTestMain.h"
#include "TestDatabase.h"
#include "platform/DateEdit.h"
#include "platform/StatusBar.h"
#include "platform/TileControl.h"
#include "ui/u_LISTE_TIRVO.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace {

const QDate workingDay(2026, 3, 2);

// Runs the start timer's handler from the message loop, as the timer does, so that an exception
// reaches the application's handler.
void fireStartTimer(TLISTE_TIRVO& window) {
    QMetaObject::invokeMethod(&window, &TLISTE_TIRVO::Timer1Timer, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void reachesReadyOnAGoodStationFile();
    void staysInertWhenAStepFails_data();
    void staysInertWhenAStepFails();
    void refreshRetriesTheStartUntilReady();
    void startTimerIsArmedForOneSecond();
    void f9RebuildsOnlyWithoutAFocusedChild();
    void statusBarTexts();
    void layoutOfTheMainWindow();
};

void TestStartup::reachesReadyOnAGoodStationFile() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    writeStationFile(db.folder(), {"poste", "  Accueil 2  ", "", "  " + db.specification() + " "});
    TLISTE_TIRVO window(environmentIn(db.folder()));
    QCOMPARE(window.startState(), TLISTE_TIRVO::StartState::WaitingForStart);
    fireStartTimer(window);
    QCOMPARE(window.startState(), TLISTE_TIRVO::StartState::Ready);
    QVERIFY(window.UniConnection1.isOpen());
    QVERIFY(window.UniConnection1.autoCommit());
    QCOMPARE(window.dxStatusBar1->panelText(4), QStringLiteral("  Accueil 2  "));
    QCOMPARE(window.cxDateEdit2->value(), QDateTime(workingDay, QTime(0, 0)));
    QVERIFY(window.Liste_patient->isOpen());
    QCOMPARE(window.Liste_patient->recordCount(), 3);
    QVERIFY(window.dxStatusBar1->panelText(TLISTE_TIRVO::messagePanel).isEmpty());
    QVERIFY(!window.Timer1->isActive());
}

void TestStartup::staysInertWhenAStepFails_data() {
    QTest::addColumn<QStringList>("station");
    QTest::addColumn<bool>("writeFile");
    QTest::addColumn<bool>("connects");
    QTest::newRow("no station file") << QStringList{} << false << false;
    QTest::newRow("empty station file") << QStringList{} << true << false;
    QTest::newRow("three lines") << QStringList{"a", "b", "c"} << true << false;
    QTest::newRow("empty database line") << QStringList{"a", "b", "c", "  "} << true << false;
    QTest::newRow("wrong path") << QStringList{"a", "b", "c", "/no/such/base.fdb"} << true << false;
    QTest::newRow("unreachable server")
        << QStringList{"a", "b", "c", "127.0.0.1/1:/tmp/base.fdb"} << true << false;
    QTest::newRow("table missing: connected, query fails")
        << QStringList{"a", "b", "c", "@EMPTY@"} << true << true;
}

void TestStartup::staysInertWhenAStepFails() {
    QFETCH(QStringList, station);
    QFETCH(bool, writeFile);
    QFETCH(bool, connects);
    TestDatabase empty({});
    QTemporaryDir folder;
    for (QString& line : station)
        line.replace(QStringLiteral("@EMPTY@"), empty.specification());
    if (writeFile)
        writeStationFile(folder.path(), station);

    TLISTE_TIRVO window(environmentIn(folder.path()));
    fireStartTimer(window);
    QCOMPARE(window.startState(), TLISTE_TIRVO::StartState::Inert);
    QCOMPARE(window.UniConnection1.isOpen(), connects);
    QVERIFY(!window.dxStatusBar1->panelText(TLISTE_TIRVO::messagePanel).isEmpty());
    QCOMPARE(window.dxStatusBar1->panelText(4).isEmpty(), !connects);
    QCOMPARE(window.cxDateEdit2->isEmpty(), !connects);
    QVERIFY(!window.Liste_patient->isOpen());
}

void TestStartup::refreshRetriesTheStartUntilReady() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    TLISTE_TIRVO window(environmentIn(db.folder()));
    fireStartTimer(window);
    QCOMPARE(window.startState(), TLISTE_TIRVO::StartState::Inert);

    writeStationFile(db.folder(), {"poste", "Accueil", "", db.specification()});
    QTest::mouseClick(window.cxButton3, Qt::LeftButton);
    QCOMPARE(window.startState(), TLISTE_TIRVO::StartState::Ready);
    QVERIFY(window.dxStatusBar1->panelText(TLISTE_TIRVO::messagePanel).isEmpty());

    // A link that broke is made again by the next refresh.
    window.UniConnection1.markLost();
    QTest::mouseClick(window.cxButton3, Qt::LeftButton);
    QVERIFY(window.UniConnection1.isOpen());
    QCOMPARE(window.Liste_patient->recordCount(), 3);
}

void TestStartup::startTimerIsArmedForOneSecond() {
    QTemporaryDir folder;
    TLISTE_TIRVO window(environmentIn(folder.path()));
    QVERIFY(window.Timer1->isActive());
    QCOMPARE(window.Timer1->interval(), 1000);
    QVERIFY(window.stationLines().isEmpty());
}

void TestStartup::f9RebuildsOnlyWithoutAFocusedChild() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    writeStationFile(db.folder(), {"poste", "Accueil", "", db.specification()});
    TLISTE_TIRVO window(environmentIn(db.folder()));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    fireStartTimer(window);
    QCOMPARE(window.Liste_patient->recordCount(), 3);
    db.execute(QStringLiteral("insert into LISTE_TIRVO values (9, '02/03/2026009', '9', 'Dupré', "
                              "'Noémie', '2026-03-02', null, 'F', null, 1, 'COAG', 2)"));

    // Right after start the date field holds the focus and keeps F9 to itself.
    window.cxDateEdit2->setFocus();
    QTest::keyClick(window.cxDateEdit2->editor(), Qt::Key_F9);
    QCOMPARE(window.Liste_patient->recordCount(), 3);
    window.cxButton3->setFocus();
    QTest::keyClick(window.cxButton3, Qt::Key_F9);
    QCOMPARE(window.Liste_patient->recordCount(), 3);

    window.focusWidget()->clearFocus();
    QTest::keyClick(&window, Qt::Key_F9, Qt::ShiftModifier);
    QCOMPARE(window.Liste_patient->recordCount(), 4);
}

void TestStartup::statusBarTexts() {
    QTemporaryDir folder;
    TLISTE_TIRVO window(environmentIn(folder.path()));
    const QStringList fixed = {
        "Utilisateur", "Admin", "Poste de Travail ", "SERVEUR", "", "IP", "", ""};
    const QList<int> widths = {60, 80, 100, 80, 100, 20, 120, 50};
    QCOMPARE(window.dxStatusBar1->panelCount(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(window.dxStatusBar1->panelText(i), fixed.at(i));
        QCOMPARE(window.dxStatusBar1->panel(i).width, widths.at(i));
    }
}

void TestStartup::layoutOfTheMainWindow() {
    QTemporaryDir folder;
    TLISTE_TIRVO window(environmentIn(folder.path()));
    window.show();
    QCOMPARE(window.size(), QSize(954, 606));
    QCOMPARE(window.Categories->size(), QSize(730, 550));
    QCOMPARE(window.Liste_ANA->size(), QSize(141, 479));
    QCOMPARE(window.Panel5->height(), 37);
    QCOMPARE(window.dxStatusBar1->height(), 19);
    QCOMPARE(window.Panel3->width(), 75);
    QCOMPARE(window.Panel1->width(), 141);
    QCOMPARE(window.cxButton3->width(), 570);
    QCOMPARE(window.cxButton3->text(),
             QStringLiteral("Mettre à jour la liste des patients ( F9 )"));
    QCOMPARE(window.cxButton8->text(), QStringLiteral("Valider Patient"));
    QCOMPARE(window.cxButton5->text(), QStringLiteral("Liste des\nTirvos"));
    QCOMPARE(window.cxButton2->text(), QStringLiteral("2eme\nEcran"));
    QCOMPARE(window.cxButton4->toolTip(), QStringLiteral("2eme\nEcran"));
    QCOMPARE(window.cxButton1->text(), QStringLiteral("Quitter"));
    // The date field sits right above the analysis column.
    QCOMPARE(window.cxDateEdit2->mapTo(&window, QPoint()).x(),
             window.Panel1->mapTo(&window, QPoint()).x());
    for (QLabel* state : {window.Label3, window.Label4, window.Label5, window.Label6}) {
        QCOMPARE(state->text(), QStringLiteral("0"));
        QVERIFY(!state->isVisible());
    }
    for (QToolButton* button :
         {window.cxButton4, window.cxButton5, window.cxButton2, window.cxButton1})
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);

    const QImage picture = window.grab().toImage();
    QCOMPARE(picture.pixelColor(1, 1), QColor(0, 126, 153));
    QCOMPARE(picture.pixelColor(100, 300), QColor(Qt::white));
    QCOMPARE(picture.pixelColor(8, 8), QColor(223, 34, 0));

    // Resizing moves the date field with the right edge; the tile areas keep their sizes.
    window.resize(1200, 700);
    QCOMPARE(window.cxDateEdit2->mapTo(&window, QPoint()).x(), 1200 - 3 - 75 - 141);
    QCOMPARE(window.Categories->size(), QSize(730, 550));
    QCOMPARE(window.Liste_ANA->size(), QSize(141, 479));
    QCOMPARE(window.dxStatusBar1->width(), 1200 - 6);
}

STATION_TEST_MAIN(TestStartup)
#include "test_startup.moc"
