#include "TestDatabase.h"
#include "store/Connection.h"
#include "store/DbError.h"
#include "store/Query.h"

#include <QTest>

using namespace store;

// Needs the Firebird server on 127.0.0.1 that the test script starts.
class TestStoreServer : public QObject {
    Q_OBJECT
private slots:
    void connectsWithTheRightPassword();
    void wrongPasswordIsRefused();
};

void TestStoreServer::connectsWithTheRightPassword() {
    TestDatabase db({"calllist_table.sql", "small_morning.sql"}, true);
    Connection connection;
    db.connect(connection);
    Query count(connection, {QStringLiteral("select count(*) from LISTE_TIRVO")});
    count.open();
    QCOMPARE(count.fieldInteger("COUNT"), 6);
}

void TestStoreServer::wrongPasswordIsRefused() {
    TestDatabase db({"calllist_table.sql"}, true);
    Connection connection;
    connection.setDatabase(db.specification());
    connection.setPassword(QStringLiteral("not-the-password"));
    const QByteArray saved = qgetenv("ISC_PASSWORD");
    qunsetenv("ISC_PASSWORD");
    QVERIFY_THROWS_EXCEPTION(DbError, connection.open());
    qputenv("ISC_PASSWORD", "also-wrong");
    connection.setPassword(QString::fromLatin1(Connection::defaultPassword));
    QVERIFY_THROWS_EXCEPTION(DbError, connection.open());
    if (saved.isEmpty())
        qunsetenv("ISC_PASSWORD");
    else
        qputenv("ISC_PASSWORD", saved);
    QVERIFY(!connection.isOpen());
}

QTEST_GUILESS_MAIN(TestStoreServer)
#include "test_store_server.moc"
