#pragma once

#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <vector>

// One row of the call list as the registration program writes it.
struct CallListRow {
    QString COD_RECH;
    QString NUM_PAS;
    QString NOM_PAS;
    QString PRE_PAS;
    QDateTime DAT_VIS;
    QDateTime TEMP_PAS;
    QString SEXE_PAS;
    QString VALIDE; // empty: NULL
    int COLOR = 0;
    QString TYPE_PARA;
    int COLOR_SEXE = 0;
};

// Makes plausible visits of a laboratory morning: French names with accents, one to five
// analysis types each, a colour per sex and per analysis type.
class DemoVisits {
public:
    explicit DemoVisits(quint32 seed) : random(seed) {}

    // The rows of one visit with the given ticket number on the given date, arriving at `arrival`.
    std::vector<CallListRow> visit(QDate date, int ticket, const QDateTime& arrival);

private:
    QRandomGenerator random;
};
