#include "StationFixture.h"
#include "StationTestMain.h"
#include "TestDatabase.h"
#include "platform/DateEdit.h"
#include "platform/TileControl.h"
#include "ui/uF_liste_patient.h"
#include "ui/u_LISTE_TIRVO.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

const QDate today(2026, 3, 2);
const QStringList servedCalls = {"calllist_table.sql", "served_calls.sql"};

// A fixture database and a main window that went through its start on it.
struct Station {
    TestDatabase db;
    TLISTE_TIRVO main;

    explicit Station(const QStringList& fixtures, const QString& charSet = QStringLiteral("UTF8"))
        : db(fixtures, false, charSet), main(environmentIn(db.folder())) {
        writeStationFile(db.folder(), {"poste", "Accueil", "", db.specification()});
        QMetaObject::invokeMethod(&main, &TLISTE_TIRVO::Timer1Timer, Qt::QueuedConnection);
        QCoreApplication::processEvents();
    }

    // The served mark of one call-list row, read afresh.
    QString valide(int row) {
        store::Query query(main.UniConnection1,
                           {"select VALIDE from LISTE_TIRVO where NUM_TIRVO = :NUM_TIRVO"});
        query.bindInteger(0, row);
        query.open();
        return query.isNull("VALIDE") ? QStringLiteral("null") : query.fieldText("VALIDE");
    }
};

// A review window shown the way the list button shows it, minus the modal loop; deleted with the
// test unless it went away itself.
struct ShownWindow {
    QPointer<TF_liste_patient> window;

    explicit ShownWindow(TLISTE_TIRVO& main) : window(new TF_liste_patient(main)) {
        window->show();
    }
    ~ShownWindow() { delete window.data(); }
    TF_liste_patient* operator->() const { return window.data(); }
};

QStringList tickets(const TileControl* area) {
    QStringList texts;
    for (int i = 0; i < area->tileCount(); ++i)
        texts << area->tile(i)->text(0);
    return texts;
}

// The analysis types of the tiles in the shown groups, in board order.
QStringList shownAnalyses(const TileControl* area) {
    QStringList texts;
    for (int g = 0; g < area->groupCount(); ++g) {
        const TileGroup* group = area->group(g);
        if (!group->isVisible())
            continue;
        for (int t = 0; t < group->tileCount(); ++t)
            texts << group->tile(t)->text(2);
    }
    return texts;
}

int shownGroupCount(const TileControl* area) {
    int shown = 0;
    for (int g = 0; g < area->groupCount(); ++g)
        shown += area->group(g)->isVisible() ? 1 : 0;
    return shown;
}

Tile* patientTile(const TileControl* area, const QString& ticket) {
    for (int i = 0; i < area->tileCount(); ++i)
        if (area->tile(i)->text(0) == ticket)
            return area->tile(i);
    return nullptr;
}

// Clicks a tile with the mouse, as the receptionist does.
void clickTile(TileControl* area, Tile* tile) {
    QTest::mouseClick(area, Qt::LeftButton, Qt::NoModifier, area->tileRect(tile).center());
}

// Shows a patient's served analyses and clicks one of them by its type.
void pickAnalysis(TF_liste_patient& window, const QString& ticket, const QString& type) {
    Tile* patient = patientTile(window.Categories, ticket);
    QVERIFY(patient);
    clickTile(window.Categories, patient);
    const int shown = patient->userData().value<PatientTileKeys>().analysisGroup;
    const TileGroup* group = window.Liste_ANA->group(shown);
    for (int t = 0; t < group->tileCount(); ++t) {
        if (group->tile(t)->text(2) == type) {
            clickTile(window.Liste_ANA, group->tile(t));
            return;
        }
    }
    QFAIL("no such analysis tile");
}

// The analyses the main board shows once the patient's tile is clicked; empty without a tile.
QStringList mainBoardAnalyses(TLISTE_TIRVO& main, const QString& ticket) {
    Tile* patient = patientTile(main.Categories, ticket);
    if (!patient)
        return {};
    main.Categories->click(patient);
    return shownAnalyses(main.Liste_ANA);
}

} // namespace

class TestReview : public QObject {
    Q_OBJECT
private slots:
    void boardAfterABuild_data();
    void boardAfterABuild();
    void patientClickShowsItsAnalysesAndKeepsTheSelection();
    void unvalidate_data();
    void unvalidate();
    void unvalidateMatchesSingleByteKeysByTheirBytes();
    void unvalidateBeforeAnyClickSendsNothing();
    void inputDuringUnvalidationIsDropped();
    void reopenedWindowStartsAfresh();
    void destroyedWhenClosed_data();
    void destroyedWhenClosed();
    void layoutOfTheReviewWindow();
};

void TestReview::boardAfterABuild_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QStringList>("patients");
    QTest::addColumn<QStringList>("firstPatientAnalyses");
    QTest::newRow("today, on opening")
        << today << QStringList{"1", "2", "3"} << QStringList{"HÉMATO"};
    QTest::newRow("a row with a time of day")
        << QDate(2026, 3, 9) << QStringList{"3"} << QStringList{"BIOCHIMIE", "BIOCHIMIE"};
    QTest::newRow("no served analysis") << QDate(2026, 2, 28) << QStringList{} << QStringList{};
    QTest::newRow("no row at all") << QDate(2025, 1, 1) << QStringList{} << QStringList{};
}

void TestReview::boardAfterABuild() {
    QFETCH(QDate, date);
    QFETCH(QStringList, patients);
    QFETCH(QStringList, firstPatientAnalyses);
    Station station(servedCalls);
    // The window opens on today, whatever the main window's working date.
    station.main.cxDateEdit2->setDate(QDate(2026, 3, 1));
    ShownWindow window(station.main);
    QCOMPARE(window->cxDateEdit2->value(), QDateTime(today, QTime(0, 0)));
    window->cxDateEdit2->setDate(date);

    QCOMPARE(tickets(window->Categories), patients);
    QCOMPARE(shownAnalyses(window->Liste_ANA), firstPatientAnalyses);
    // Every patient has a group; only the first patient's is shown, and its tile has the focus.
    QCOMPARE(window->Liste_ANA->groupCount(), patients.size());
    if (patients.isEmpty()) {
        QCOMPARE(window->Liste_ANA->tileCount(), 0);
        QVERIFY(!window->Categories->focusedTile());
        return;
    }
    QCOMPARE(window->Categories->focusedTile(), window->Categories->tile(0));
    QCOMPARE(shownGroupCount(window->Liste_ANA), 1);
    QVERIFY(window->Liste_ANA->group(0)->isVisible());
}

void TestReview::patientClickShowsItsAnalysesAndKeepsTheSelection() {
    Station station(servedCalls);
    ShownWindow window(station.main);
    QCOMPARE(window->Label4->text(), QStringLiteral("0"));
    QCOMPARE(window->Label5->text(), QStringLiteral("0"));

    clickTile(window->Categories, patientTile(window->Categories, "2"));
    QCOMPARE(shownAnalyses(window->Liste_ANA), (QStringList{"SÉROLOGIE", "HÉMATO"}));
    QCOMPARE(window->Label4->text(), QStringLiteral("0"));

    pickAnalysis(*window.window, "2", "SÉROLOGIE");
    QCOMPARE(window->Label4->text(), QStringLiteral("02/03/2026002"));
    QCOMPARE(window->Label5->text(), QStringLiteral("SÉROLOGIE"));
    QVERIFY(!window->Label4->isVisible());

    clickTile(window->Categories, patientTile(window->Categories, "3"));
    // The analyses of a visit are not limited to the date shown.
    QCOMPARE(shownAnalyses(window->Liste_ANA), (QStringList{"BIOCHIMIE", "BIOCHIMIE"}));
    QCOMPARE(window->Categories->focusedTile(), patientTile(window->Categories, "3"));
    QCOMPARE(window->Label4->text(), QStringLiteral("02/03/2026002"));
    QCOMPARE(window->Label5->text(), QStringLiteral("SÉROLOGIE"));
}

void TestReview::unvalidate_data() {
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QDate>("shownWhenPressed");
    QTest::addColumn<QList<int>>("rowsPutBack");
    QTest::addColumn<QStringList>("shownAfter");
    QTest::addColumn<QStringList>("todayAfter");
    QTest::addColumn<QStringList>("mainBoardAfter");

    QTest::newRow("the patient's only served analysis: the patient leaves")
        << "1"
        << "HÉMATO" << today << QList<int>{1} << QStringList{"2", "3"} << QStringList{"2", "3"}
        << QStringList{"HÉMATO", "BIOCHIMIE"};
    QTest::newRow("one of two served analyses: the patient stays")
        << "2"
        << "HÉMATO" << today << QList<int>{4} << QStringList{"1", "2", "3"}
        << QStringList{"1", "2", "3"} << QStringList{"HÉMATO"};
    QTest::newRow("every row with the keys, whatever its date")
        << "3"
        << "BIOCHIMIE" << QDate(2026, 3, 9) << QList<int>{5, 6} << QStringList{}
        << QStringList{"1", "2"} << QStringList{"BIOCHIMIE", "BIOCHIMIE"};
    QTest::newRow("selection kept across a date change")
        << "2"
        << "SÉROLOGIE" << QDate(2026, 3, 1) << QList<int>{3} << QStringList{"4"}
        << QStringList{"1", "2", "3"} << QStringList{"SÉROLOGIE"};
}

void TestReview::unvalidate() {
    QFETCH(QString, ticket);
    QFETCH(QString, type);
    QFETCH(QDate, shownWhenPressed);
    QFETCH(QList<int>, rowsPutBack);
    QFETCH(QStringList, shownAfter);
    QFETCH(QStringList, todayAfter);
    QFETCH(QStringList, mainBoardAfter);
    Station station(servedCalls);
    QVERIFY(!patientTile(station.main.Categories, ticket) ||
            !mainBoardAnalyses(station.main, ticket).contains(type));
    ShownWindow window(station.main);
    pickAnalysis(*window.window, ticket, type);
    const QString visit = window->Label4->text();
    window->cxDateEdit2->setDate(shownWhenPressed);

    QTest::mouseClick(window->cxButton2, Qt::LeftButton);
    for (int row = 1; row <= 9; ++row)
        QCOMPARE(station.valide(row), rowsPutBack.contains(row) || row == 2 || row == 8
                                          ? QStringLiteral("null")
                                          : QStringLiteral("True"));
    QCOMPARE(tickets(window->Categories), shownAfter);
    QCOMPARE(window->cxDateEdit2->date(), shownWhenPressed);
    QCOMPARE(window->Label4->text(), visit);
    QCOMPARE(window->Label5->text(), type);
    QCOMPARE(mainBoardAnalyses(station.main, ticket), mainBoardAfter);

    window->cxDateEdit2->setDate(today);
    window->Liste_pat();
    QCOMPARE(tickets(window->Categories), todayAfter);
}

void TestReview::unvalidateMatchesSingleByteKeysByTheirBytes() {
    // Both analysis types read "HÉMATO"; only the bytes of the clicked one name its row.
    Station station({"calllist_table.sql", "served_single_byte.sql"}, QStringLiteral("NONE"));
    ShownWindow window(station.main);
    QCOMPARE(shownAnalyses(window->Liste_ANA), (QStringList{"HÉMATO", "HÉMATO"}));
    for (int first = 0; first < 2; ++first) {
        const auto keys = window->Liste_ANA->tile(0)->userData().value<AnalysisTileKeys>();
        const int row = keys.TYPE_PARA.bytes == QByteArray("H\xC9MATO") ? 1 : 2;
        clickTile(window->Liste_ANA, window->Liste_ANA->tile(0));
        QCOMPARE(window->Label5->text(), QStringLiteral("HÉMATO"));
        QTest::mouseClick(window->cxButton2, Qt::LeftButton);
        QCOMPARE(station.valide(row), QStringLiteral("null"));
        QCOMPARE(station.valide(3 - row),
                 first == 0 ? QStringLiteral("True") : QStringLiteral("null"));
    }
    QCOMPARE(window->Categories->tileCount(), 0);
}

void TestReview::unvalidateBeforeAnyClickSendsNothing() {
    Station station(servedCalls);
    ShownWindow window(station.main);
    QTest::mouseClick(window->cxButton2, Qt::LeftButton);
    QTest::mouseClick(window->cxButton2, Qt::LeftButton);
    QCOMPARE(station.valide(9), QStringLiteral("True"));
    QCOMPARE(tickets(window->Categories), (QStringList{"1", "2", "3"}));
    QCOMPARE(window->Label4->text(), QStringLiteral("0"));
    QCOMPARE(window->Label5->text(), QStringLiteral("0"));
}

void TestReview::inputDuringUnvalidationIsDropped() {
    Station station(servedCalls);
    QVERIFY(station.main.Categories->tileCount() > 0); // its rebuild lets the message loop run
    ShownWindow window(station.main);
    pickAnalysis(*window.window, "2", "HÉMATO");
    clickTile(window->Categories, window->Categories->tile(0));

    // A click on the second patient queued while the button's handler runs.
    const QPoint where = window->Categories->tileRect(window->Categories->tile(1)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            window->Categories,
            new QMouseEvent(type, where, window->Categories->mapToGlobal(where), Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                            Qt::NoModifier));
    window->cxButton2Click();
    QCoreApplication::processEvents();
    QCOMPARE(station.valide(4), QStringLiteral("null"));
    QCOMPARE(window->Categories->focusedTile(), window->Categories->tile(0));
    QCOMPARE(shownAnalyses(window->Liste_ANA), QStringList{"HÉMATO"});
}

void TestReview::reopenedWindowStartsAfresh() {
    Station station(servedCalls);
    {
        ShownWindow window(station.main);
        pickAnalysis(*window.window, "2", "HÉMATO");
        window->cxDateEdit2->setDate(QDate(2026, 3, 1));
        QCOMPARE(window->Label5->text(), QStringLiteral("HÉMATO"));
        QTest::mouseClick(window->cxButton1, Qt::LeftButton);
    }
    station.main.cxDateEdit2->setDate(QDate(2026, 3, 1));
    ShownWindow window(station.main);
    QCOMPARE(window->cxDateEdit2->value(), QDateTime(today, QTime(0, 0)));
    QCOMPARE(window->Label4->text(), QStringLiteral("0"));
    QCOMPARE(window->Label5->text(), QStringLiteral("0"));
    QCOMPARE(tickets(window->Categories), (QStringList{"1", "2", "3"}));
    // Nothing was remembered from the closed window: the button still sends nothing.
    QTest::mouseClick(window->cxButton2, Qt::LeftButton);
    QCOMPARE(station.valide(4), QStringLiteral("True"));
    // Shown again while already on today, it still builds, and sees what was served meanwhile.
    station.db.execute(QStringLiteral(
        "update LISTE_TIRVO set VALIDE = 'True', DAT_VIS = '2026-03-02' where NUM_TIRVO = 8"));
    window->FormShow();
    QCOMPARE(tickets(window->Categories), (QStringList{"1", "2", "3", "5"}));
}

void TestReview::destroyedWhenClosed_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Retour") << "Retour";
    QTest::newRow("close box") << "close box";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Retour, through open()") << "open";
}

void TestReview::destroyedWhenClosed() {
    QFETCH(QString, how);
    Station station(servedCalls);
    QPointer<TF_liste_patient> seen;
    bool modal = false;
    int patientsShown = 0;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<TF_liste_patient*>(QApplication::activeModalWidget());
        QVERIFY(seen);
        modal = seen->isModal() && seen->isVisible();
        patientsShown = seen->Categories->tileCount();
        if (how == "close box")
            seen->close();
        else if (how == "Escape")
            QTest::keyClick(seen.data(), Qt::Key_Escape);
        else
            QTest::mouseClick(seen->cxButton1, Qt::LeftButton);
    });
    if (how == "open") {
        TF_liste_patient::open(station.main);
    } else {
        auto* window = new TF_liste_patient(station.main);
        window->exec();
    }
    QVERIFY(modal);
    QCOMPARE(patientsShown, 3);
    QVERIFY(seen.isNull());
}

void TestReview::layoutOfTheReviewWindow() {
    Station station(servedCalls);
    ShownWindow window(station.main);
    QCOMPARE(window->windowTitle(), QStringLiteral("Liste TIRVO"));
    QCOMPARE(window->size(), QSize(856, 580));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(window->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(window->font().pixelSize(), 11);

    QCOMPARE(window->Panel5->geometry(), QRect(1, 1, 854, 49));
    QCOMPARE(window->cxButton1->geometry(), QRect(0, 0, 105, 49));
    QCOMPARE(window->cxButton1->text(), QStringLiteral("Retour"));
    QCOMPARE(window->Label1->text(), QStringLiteral("Date de Travail"));
    QCOMPARE(window->cxButton2->text(), QStringLiteral("dévalider D'tirvo"));
    QCOMPARE(window->cxButton2->size(), QSize(187, 44));
    QCOMPARE(window->cxDateEdit2->width(), 132);
    QCOMPARE(window->Categories->geometry(), QRect(1, 50, 677, 531));
    QCOMPARE(window->Liste_ANA->geometry(), QRect(684, 50, 171, 529));
    QCOMPARE(window->Panel9->geometry(), QRect(676, 50, 8, 529));
    QCOMPARE(window->Categories->itemSize(), QSize(150, 50));
    QCOMPARE(window->Liste_ANA->itemSize(), QSize(170, 80));
    for (QPushButton* button : {window->cxButton1, window->cxButton2}) {
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(button->font().family(), QStringLiteral("Calibri"));
        QCOMPARE(button->font().pixelSize(), 16);
        QVERIFY(button->font().bold());
        QCOMPARE(button->iconSize(), QSize(32, 32));
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(window->cxButton1->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(window->Label1->font().pixelSize(), 19);
    QCOMPARE(window->cxDateEdit2->editor()->alignment(), Qt::AlignCenter);
    QCOMPARE(window->cxDateEdit2->editor()->text(), QStringLiteral("02/03/2026"));
    for (QLabel* state : {window->Label4, window->Label5}) {
        QCOMPARE(state->text(), QStringLiteral("0"));
        QVERIFY(!state->isVisible());
    }

    window->cxDateEdit2->editor()->clearFocus();
    const QImage picture = window->grab().toImage();
    const QColor teal(0, 126, 153);
    QCOMPARE(picture.pixelColor(0, 0), teal);
    QCOMPARE(picture.pixelColor(450, 25), teal);                              // header band
    QCOMPARE(picture.pixelColor(680, 300), teal);                             // spacer
    QCOMPARE(picture.pixelColor(400, 500), QColor(Qt::white));                // patient area
    QCOMPARE(picture.pixelColor(770, 500), QColor(Qt::white));                // analysis column
    QCOMPARE(picture.pixelColor(1 + 490 + 3, 1 + 2 + 3), QColor(70, 138, 2)); // button face
    QCOMPARE(picture.pixelColor(40, 60), QColor(255, 182, 193));              // first patient tile
    const QPoint inDate = window->cxDateEdit2->editor()->mapTo(window.window, QPoint(3, 3));
    QCOMPARE(picture.pixelColor(inDate), QColor(255, 255, 221));

    // The header and the analysis column follow the window; the patient area keeps its place.
    window->resize(1000, 700);
    QCOMPARE(window->Panel5->width(), 998);
    QCOMPARE(window->Categories->geometry(), QRect(1, 50, 677, 531));
    QCOMPARE(window->Liste_ANA->geometry(), QRect(1000 - 1 - 171, 50, 171, 649));
}

STATION_TEST_MAIN(TestReview)
#include "test_review.moc"
