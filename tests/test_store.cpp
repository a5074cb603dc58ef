#include "TestDatabase.h"
#include "store/CallListStatements.h"
#include "store/Connection.h"
#include "store/DbError.h"
#include "store/Query.h"

#include <QTest>

using namespace store;

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void positionalParameters_data();
    void positionalParameters();
    void specificationIsTrimmed();
    void openFailures_data();
    void openFailures();
    void waitingPatientsOfADate();
    void refreshSeesRowsCommittedMeanwhile();
    void refreshOfAClosedQueryFails();
    void updateChangesEveryRowOfTheKeys();
    void fixedCharKeepsOrTrimsBlanks();
    void keysOfSingleByteColumnsMatchTheirRows_data();
    void keysOfSingleByteColumnsMatchTheirRows();
    void statementTextsAreStoredExactly();
};

void TestStore::positionalParameters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("two names") << "where A=:A and B=:B_2"
                               << "where A=? and B=?" << QStringList{"A", "B_2"};
    QTest::newRow("inside quotes") << "where A=':A' and B=:B"
                                   << "where A=':A' and B=?" << QStringList{"B"};
    QTest::newRow("a colon alone") << "select 'x:y', :P from T"
                                   << "select 'x:y', ? from T" << QStringList{"P"};
}

void TestStore::positionalParameters() {
    QFETCH(QString, text);
    QFETCH(QString, sent);
    QFETCH(QStringList, names);
    QStringList found;
    QCOMPARE(Query::toPositional(text, &found), sent);
    QCOMPARE(found, names);
}

void TestStore::specificationIsTrimmed() {
    Connection connection;
    connection.setDatabase(QStringLiteral(" \t/data/x.fdb\x01 \r"));
    QCOMPARE(connection.database(), QStringLiteral("/data/x.fdb"));
}

void TestStore::openFailures_data() {
    QTest::addColumn<QString>("specification");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("wrong path") << QStringLiteral("/nowhere/at/all.fdb");
    QTest::newRow("no server on that port") << QStringLiteral("127.0.0.1/1:/tmp/x.fdb");
}

void TestStore::openFailures() {
    QFETCH(QString, specification);
    Connection connection;
    connection.setDatabase(specification);
    QVERIFY_THROWS_EXCEPTION(DbError, connection.open());
    QVERIFY(!connection.isOpen());
}

void TestStore::waitingPatientsOfADate() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    Connection connection;
    db.connect(connection);
    const auto text = statements::Liste_patient();
    Query query(connection, text.lines, text.settings);
    query.bindDate(0, QDate(2026, 3, 2));
    query.open();
    QCOMPARE(query.recordCount(), 3);
    QStringList names;
    for (query.first(); !query.eof(); query.next())
        names << query.fieldText("NUM_PAS") + QLatin1Char(' ') + query.fieldText("NOM_PAS") +
                     QLatin1Char(' ') + query.fieldText("PRE_PAS");
    names.sort();
    QCOMPARE(names, (QStringList{"1 Lefèvre Hélène", "2 Benaïssa François", "3  Zoé"}));
}

void TestStore::refreshSeesRowsCommittedMeanwhile() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    Connection connection;
    db.connect(connection);
    const auto text = statements::Liste_patient();
    Query query(connection, text.lines, text.settings);
    query.bindDate(0, QDate(2026, 3, 2));
    query.open();
    QCOMPARE(query.recordCount(), 3);

    Connection other;
    db.connect(other);
    other.executeImmediate(QStringLiteral(
        "insert into LISTE_TIRVO values (7, '02/03/2026004', '4', 'Dupré', 'Noémie', "
        "'2026-03-02', null, 'F', '', 1, 'COAG', 2)"));
    query.refresh();
    QCOMPARE(query.recordCount(), 4);
}

void TestStore::refreshOfAClosedQueryFails() {
    TestDatabase db({"calllist_table.sql"});
    Connection connection;
    db.connect(connection);
    const auto text = statements::Liste_patient();
    Query query(connection, text.lines, text.settings);
    query.bindDate(0, QDate(2026, 3, 2));
    QVERIFY_THROWS_EXCEPTION(DbError, query.refresh());
    query.open();
    query.refresh();
    query.close();
    QVERIFY_THROWS_EXCEPTION(DbError, query.refresh());
}

void TestStore::updateChangesEveryRowOfTheKeys() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"});
    db.execute(QStringLiteral("insert into LISTE_TIRVO values (8, '02/03/2026001', '1', "
                              "'Lefèvre', 'Hélène', '2026-02-20', null, 'F', null, 255, 'HÉMATO', "
                              "12695295)"));
    Connection connection;
    db.connect(connection);
    const auto text = statements::Update_valide();
    Query update(connection, text.lines, text.settings);
    update.bindText(0, QStringLiteral("02/03/2026001"));
    update.bindText(1, QStringLiteral("HÉMATO"));
    QCOMPARE(update.execute(), 2);
    update.bindText(0, QStringLiteral("0"));
    update.bindText(1, QStringLiteral("0"));
    QCOMPARE(update.execute(), 0);
}

void TestStore::fixedCharKeepsOrTrimsBlanks() {
    TestDatabase db({});
    db.execute(QStringLiteral("create table T (C char(5), V varchar(5)); "
                              "insert into T values ('ab', 'ab ')"));
    Connection connection;
    db.connect(connection);
    Query kept(connection, {QStringLiteral("select C, V from T")}, {1000, true, false});
    kept.open();
    QCOMPARE(kept.fieldText("C"), QStringLiteral("ab   "));
    QCOMPARE(kept.fieldText("V"), QStringLiteral("ab "));
    Query trimmed(connection, {QStringLiteral("select C, V from T")});
    trimmed.open();
    QCOMPARE(trimmed.fieldText("C"), QStringLiteral("ab"));
    QCOMPARE(trimmed.fieldText("V"), QStringLiteral("ab "));
}

void TestStore::keysOfSingleByteColumnsMatchTheirRows_data() {
    QTest::addColumn<QString>("databaseCharSet");
    QTest::addColumn<QString>("insert");
    QTest::newRow("UTF8 database") << "UTF8"
                                   << "insert into T (K, N) values ('HÉMATO', 'Hélène')";
    QTest::newRow("WIN1252 database") << "WIN1252"
                                      << "insert into T (K, N) values ('HÉMATO', 'Hélène')";
    // A legacy database of character set NONE holds Windows-1252 bytes.
    QTest::newRow("NONE database, Windows-1252 bytes")
        << "NONE"
        << "insert into T (K, N) values (x'48C94D41544F', x'48E96CE86E65')";
}

void TestStore::keysOfSingleByteColumnsMatchTheirRows() {
    QFETCH(QString, databaseCharSet);
    QFETCH(QString, insert);
    TestDatabase db({}, false, databaseCharSet);
    db.execute(QStringLiteral("create table T (K varchar(30), N varchar(30), VALIDE varchar(5))"));
    db.execute(insert);
    Connection connection;
    db.connect(connection);
    Query rows(connection, {QStringLiteral("select K, N from T")});
    rows.open();
    QCOMPARE(rows.fieldText("K"), QStringLiteral("HÉMATO"));
    QCOMPARE(rows.fieldText("N"), QStringLiteral("Hélène"));

    Query update(connection, {QStringLiteral("update T set VALIDE='True' where K=:K")});
    update.bindText(0, rows.fieldKey("K"));
    QCOMPARE(update.execute(), 1);
}

void TestStore::statementTextsAreStoredExactly() {
    Connection connection;
    const auto text = statements::Liste_patient();
    Query query(connection, text.lines, text.settings);
    QCOMPARE(query.sql(),
             QStringLiteral("Select DISTINCT COD_RECH,NUM_PAS,NOM_PAS,PRE_PAS,COLOR_SEXE,VALIDE "
                            "From  LISTE_TIRVO\r\nwhere (DAT_VIS=:DAT_VIS) and ((VALIDE = "
                            "'')or(VALIDE is null))and (TYPE_PARA <>'')  \r\n\r\n\r\n\r\n"));
    QCOMPARE(query.params(), QStringList{"DAT_VIS"});
    QCOMPARE(query.settings().trimFixedChar, false);
    QCOMPARE(query.settings().queryRecCount, true);
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
