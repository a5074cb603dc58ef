#pragma once

#include "store/DbText.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
}

namespace store {

class Connection;

// Settings kept on a statement, as the call-list statements declare them. Rows are always fetched
// into memory in full, so the record count is the whole number of rows in every case.
struct QuerySettings {
    int fetchRows = 1000;
    bool queryRecCount = false;
    // Off: fixed-length text keeps its trailing blanks.
    bool trimFixedChar = true;
};

// One value of a fetched row.
struct FieldValue {
    enum class Kind { Null, Text, Integer, DateTime, Date, Other };
    Kind kind = Kind::Null;
    DbText text;
    qint64 integer = 0;
    QDateTime dateTime;
};

// A statement with a fixed stored text and positional parameters. The stored text names its
// parameters ":NAME"; they are sent as "?" in order and bound by index. The statement is prepared
// once per connection and run in a transaction of its own each time.
class Query {
public:
    Query(Connection& connection, const QStringList& lines, QuerySettings settings = {});
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // The exact stored text: the lines joined with CR LF.
    const QString& sql() const { return storedText; }
    int paramCount() const { return static_cast<int>(paramNames.size()); }
    const QStringList& params() const { return paramNames; }
    const QuerySettings& settings() const { return querySettings; }

    void bindText(int index, const QString& text);
    void bindText(int index, const DbText& text);
    void bindDate(int index, QDate date);
    void bindDateTime(int index, const QDateTime& moment);
    void bindInteger(int index, qint64 number);
    void bindNull(int index);

    void open();
    void close();
    // Runs the query again with the values bound now; a closed query cannot be refreshed.
    void refresh();
    // Runs a command (update); returns the number of rows it changed.
    int execute();

    bool isOpen() const { return opened; }
    int recordCount() const { return static_cast<int>(rows.size()); }
    void first() { position = 0; }
    void next() { ++position; }
    bool eof() const { return position >= rows.size(); }

    bool isNull(const char* field) const;
    QString fieldText(const char* field) const;
    DbText fieldKey(const char* field) const;
    int fieldInteger(const char* field) const;
    QDateTime fieldDateTime(const char* field) const;

    // Forgets the prepared statement; the connection calls this before it detaches.
    void releaseStatement();

    // ":NAME" outside quotes becomes "?"; the names are appended to names in order.
    static QString toPositional(const QString& text, QStringList* names);

private:
    struct Param {
        enum class Kind { Null, Text, Date, DateTime, Integer };
        Kind kind = Kind::Null;
        DbText text;
        QDateTime moment;
        qint64 integer = 0;
    };

    void run(bool fetch);
    const FieldValue& value(const char* field) const;

    Connection& connection;
    QString storedText;
    QString positionalText;
    QStringList paramNames;
    QuerySettings querySettings;
    std::vector<Param> paramValues;
    Firebird::IStatement* statement = nullptr;

    bool opened = false;
    QStringList columnNames;
    std::vector<std::vector<FieldValue>> rows;
    size_t position = 0;
};

} // namespace store
