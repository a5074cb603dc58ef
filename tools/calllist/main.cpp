// calllist: creates a demo call-list database and stands in for the registration program that
// fills the call list.

#include "CallListWriter.h"
#include "DemoVisits.h"
#include "store/Connection.h"
#include "store/DbError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {

constexpr int demoVisitCount = 60;

// A busy morning on `date`: about sixty visits from 07:30, a few analyses already served, and a
// few visits the day before and the day after.
void fillDemo(CallListWriter& writer, QDate date) {
    DemoVisits visits(20261211);
    QDateTime arrival(date, QTime(7, 30));
    for (int ticket = 1; ticket <= demoVisitCount; ++ticket) {
        std::vector<CallListRow> rows = visits.visit(date, ticket, arrival);
        if (ticket % 9 == 0 && rows.size() > 1)
            rows.front().VALIDE = QStringLiteral("True");
        for (const CallListRow& row : rows)
            writer.insert(row);
        arrival = arrival.addSecs(90 + (ticket * 37) % 120);
    }
    for (const QDate other : {date.addDays(-1), date.addDays(1)}) {
        for (int ticket = 1; ticket <= 4; ++ticket) {
            for (CallListRow row :
                 visits.visit(other, ticket, QDateTime(other, QTime(8, ticket)))) {
                if (other < date)
                    row.VALIDE = QStringLiteral("True");
                writer.insert(row);
            }
        }
    }
}

void addVisits(CallListWriter& writer, DemoVisits& visits, QDate date, int count) {
    const int first = writer.visitCount(date) + 1;
    for (int ticket = first; ticket < first + count; ++ticket) {
        for (const CallListRow& row : visits.visit(date, ticket, QDateTime::currentDateTime()))
            writer.insert(row);
        std::printf("visite %d ajoutée (%s)\n", ticket, qPrintable(date.toString(Qt::ISODate)));
        std::fflush(stdout);
    }
}

int run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Crée une base de démonstration de la liste d'appel et la remplit comme le "
                       "logiciel d'enregistrement.\n"
                       "  create <base>              crée la base et la table LISTE_TIRVO\n"
                       "  demo <base>                crée la base si besoin et y met une matinée\n"
                       "  add <base> --visits N      ajoute N visites\n"
                       "  feed <base> --every S      ajoute une visite toutes les S secondes"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("commande"),
                                 QStringLiteral("create, demo, add ou feed"));
    parser.addPositionalArgument(QStringLiteral("base"),
                                 QStringLiteral("chemin ou serveur:chemin"));
    const QCommandLineOption dateOption(QStringLiteral("date"), QStringLiteral("date des visites"),
                                        QStringLiteral("aaaa-mm-jj"));
    const QCommandLineOption visitsOption(QStringLiteral("visits"),
                                          QStringLiteral("nombre de visites"), QStringLiteral("N"),
                                          QStringLiteral("1"));
    const QCommandLineOption everyOption(QStringLiteral("every"),
                                         QStringLiteral("secondes entre deux visites"),
                                         QStringLiteral("S"), QStringLiteral("30"));
    parser.addOptions({dateOption, visitsOption, everyOption});
    parser.process(arguments);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }
    const QString command = positional.at(0);
    const QDate date = parser.isSet(dateOption)
                           ? QDate::fromString(parser.value(dateOption), Qt::ISODate)
                           : QDate::currentDate();
    if (!date.isValid()) {
        std::fprintf(stderr, "calllist: date invalide\n");
        return 2;
    }

    store::Connection connection;
    connection.setDatabase(positional.at(1));
    if (command == QLatin1String("create")) {
        connection.create();
        CallListWriter(connection).createTable();
    } else if (command == QLatin1String("demo")) {
        // A demo database is made once: an existing one is filled again only if asked anew.
        try {
            connection.open();
        } catch (const store::DbError&) {
            connection.create();
            CallListWriter(connection).createTable();
        }
    } else {
        connection.open();
    }
    CallListWriter writer(connection);
    DemoVisits visits(quint32(QDateTime::currentSecsSinceEpoch()));

    if (command == QLatin1String("create"))
        return 0;
    if (command == QLatin1String("demo")) {
        // Run at every start of the demo: the morning is added once per day.
        if (writer.visitCount(date) == 0)
            fillDemo(writer, date);
        return 0;
    }
    if (command == QLatin1String("add")) {
        addVisits(writer, visits, date, parser.value(visitsOption).toInt());
        return 0;
    }
    if (command == QLatin1String("feed")) {
        const int seconds = std::max(1, parser.value(everyOption).toInt());
        for (;;) {
            addVisits(writer, visits, QDate::currentDate(), 1);
            QThread::sleep(seconds);
        }
    }
    std::fprintf(stderr, "calllist: commande inconnue : %s\n", qPrintable(command));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    try {
        return run(application.arguments());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "calllist: %s\n", error.what());
        return 1;
    }
}
