#pragma once

#include <QString>
#include <set>

namespace Firebird {
class IAttachment;
}

namespace store {

class Query;

// The station's one database connection. A plain path opens the file with the embedded engine;
// "host:path" goes to a server. Every statement runs in its own short read-committed transaction
// that is committed at once (auto-commit), so each run sees what other stations committed.
class Connection {
public:
    static constexpr const char* userName = "SYSDBA";
    static constexpr const char* defaultPassword = "masterkey";

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Blanks and control characters around the database name are removed.
    void setDatabase(const QString& specification);
    QString database() const { return databaseName; }
    // The client library's ISC_PASSWORD environment variable takes precedence over this.
    void setPassword(const QString& password) { passwordText = password; }
    QString password() const;

    void setAutoCommit(bool on) { autoCommitOn = on; }
    bool autoCommit() const { return autoCommitOn; }

    void open();
    // Creates the database file (UTF8 by default) and leaves the connection open on it.
    void create(const QString& defaultCharSet = QStringLiteral("UTF8"));
    void close();
    bool isOpen() const { return attachment != nullptr; }

    // Runs one statement without parameters (DDL, inserts of tools and test fixtures).
    void executeImmediate(const QString& sql);
    // Runs a script of statements separated by ';' (outside quotes), each committed.
    void executeScript(const QString& script);

    Firebird::IAttachment* handle() const { return attachment; }
    // Called by a query that saw the link to the database break: the connection is closed, and
    // the next open reconnects.
    void markLost();

private:
    friend class Query;
    void attach(bool createFile, const QString& defaultCharSet);
    void registerQuery(Query* query) { queries.insert(query); }
    void unregisterQuery(Query* query) { queries.erase(query); }

    QString databaseName;
    QString passwordText = QString::fromLatin1(defaultPassword);
    bool autoCommitOn = false;
    Firebird::IAttachment* attachment = nullptr;
    std::set<Query*> queries;
};

} // namespace store
