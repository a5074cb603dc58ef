#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace store {
class Connection;
}

// A fresh call-list database made from SQL fixtures of tests/data, as a file opened by the
// embedded engine or, with onServer, on the loopback Firebird server the test script starts.
class TestDatabase {
public:
    explicit TestDatabase(const QStringList& fixtures, bool onServer = false,
                          const QString& charSet = QStringLiteral("UTF8"));

    // What line 4 of a station file would hold to reach it.
    QString specification() const { return location; }
    QString folder() const { return dir.path(); }
    // Opens a connection of the caller's on it.
    void connect(store::Connection& connection) const;
    // Runs more SQL on it (one statement or a script), for cases a test sets up itself.
    void execute(const QString& sql) const;

    static QString fixture(const QString& name);

private:
    QTemporaryDir dir;
    QString location;
};

// Writes a station file in a folder; lines are joined with CR LF.
void writeStationFile(const QString& folder, const QStringList& lines);
