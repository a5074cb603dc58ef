#include "DemoVisits.h"

#include <utility>

namespace {

const QStringList surnames = {
    QStringLiteral("Benaïssa"),  QStringLiteral("Lefèvre"),   QStringLiteral("Chérif"),
    QStringLiteral("El Amrani"), QStringLiteral("Boucher"),   QStringLiteral("Haddad"),
    QStringLiteral("Müller"),    QStringLiteral("Aït Ahmed"), QStringLiteral("Moreau"),
    QStringLiteral("Belkacem"),  QStringLiteral("Gérard"),    QStringLiteral("Benslimane"),
    QStringLiteral("Dupré"),     QStringLiteral("Zerrouki"),  QStringLiteral("Fontaine"),
    QStringLiteral("Mansouri"),  QStringLiteral("Lemaître"),  QStringLiteral("Saïdi"),
    QStringLiteral("Rousseau"),  QStringLiteral("Benchérif"), QStringLiteral("Noël"),
    QStringLiteral("Kaddour"),   QStringLiteral("Perrière"),  QStringLiteral("Ouazzani"),
    QStringLiteral("Leclerc"),   QStringLiteral("Bouazza"),   QStringLiteral("Ménard"),
    QStringLiteral("Tahiri"),    QStringLiteral("Bréhier"),   QStringLiteral("Rahmouni"),
};
const QStringList womenNames = {
    QStringLiteral("Hélène"), QStringLiteral("Fatima"), QStringLiteral("Chloé"),
    QStringLiteral("Aïcha"),  QStringLiteral("Zoé"),    QStringLiteral("Gaëlle"),
    QStringLiteral("Naïma"),  QStringLiteral("Amélie"), QStringLiteral("Khadija"),
    QStringLiteral("Noémie"), QStringLiteral("Leïla"),  QStringLiteral("Salomé"),
};
const QStringList menNames = {
    QStringLiteral("François"), QStringLiteral("Mohamed"), QStringLiteral("Jérôme"),
    QStringLiteral("Loïc"),     QStringLiteral("Karim"),   QStringLiteral("Noël"),
    QStringLiteral("Rachid"),   QStringLiteral("André"),   QStringLiteral("Youcef"),
    QStringLiteral("Raphaël"),  QStringLiteral("Mehdi"),   QStringLiteral("Hervé"),
};

// Analysis types with their tile colours (red in the low byte).
const std::vector<std::pair<QString, int>> analysisTypes = {
    {QStringLiteral("NFS"), 0x8080FF},      {QStringLiteral("HÉMATO"), 0x80FFFF},
    {QStringLiteral("SÉRO"), 0x80FF80},     {QStringLiteral("TSH"), 0xFF80C0},
    {QStringLiteral("ECBU"), 0x40C0FF},     {QStringLiteral("CRP"), 0x00E0E0},
    {QStringLiteral("COAG"), 0xC0C0C0},     {QStringLiteral("GROUPE"), 0xA0A0FF},
    {QStringLiteral("GLYCÉMIE"), 0xE0E0A0},
};

constexpr int womenColour = 0xC1B6FF; // pink
constexpr int menColour = 0xFACE87;   // light blue

} // namespace

std::vector<CallListRow> DemoVisits::visit(QDate date, int ticket, const QDateTime& arrival) {
    const bool woman = random.bounded(2) == 0;
    const QStringList& firstNames = woman ? womenNames : menNames;
    CallListRow patient;
    patient.COD_RECH = date.toString(QStringLiteral("dd/MM/yyyy")) +
                       QStringLiteral("%1").arg(ticket % 1000, 3, 10, QLatin1Char('0'));
    patient.NUM_PAS = QString::number(ticket);
    patient.NOM_PAS = surnames.at(random.bounded(int(surnames.size())));
    patient.PRE_PAS = firstNames.at(random.bounded(int(firstNames.size())));
    patient.DAT_VIS = QDateTime(date, QTime(0, 0));
    patient.TEMP_PAS = arrival;
    patient.SEXE_PAS = woman ? QStringLiteral("F") : QStringLiteral("M");
    patient.COLOR_SEXE = woman ? womenColour : menColour;

    std::vector<std::pair<QString, int>> types = analysisTypes;
    const int count = 1 + random.bounded(5);
    std::vector<CallListRow> rows;
    for (int i = 0; i < count; ++i) {
        const auto pick = types.begin() + random.bounded(int(types.size()));
        CallListRow row = patient;
        row.TYPE_PARA = pick->first;
        row.COLOR = pick->second;
        types.erase(pick);
        rows.push_back(row);
    }
    return rows;
}
