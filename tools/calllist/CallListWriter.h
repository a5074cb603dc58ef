#pragma once

#include "DemoVisits.h"
#include "store/Connection.h"
#include "store/Query.h"

// Writes the call list as the registration program does: it creates the table and adds rows.
class CallListWriter {
public:
    explicit CallListWriter(store::Connection& connection);

    static QString tableDefinition();
    void createTable();
    void insert(const CallListRow& row);
    // Visits already registered on a date, so that new tickets continue the day's numbering.
    int visitCount(QDate date);

private:
    store::Connection& connection;
    store::Query insertRow;
    store::Query countVisits;
};
