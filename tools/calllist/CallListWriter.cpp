#include "CallListWriter.h"

CallListWriter::CallListWriter(store::Connection& database)
    : connection(database),
      insertRow(database,
                {QStringLiteral("insert into LISTE_TIRVO (NUM_TIRVO, COD_RECH, NUM_PAS, NOM_PAS, "
                                "PRE_PAS, DAT_VIS, TEMP_PAS, SEXE_PAS, VALIDE, COLOR, TYPE_PARA, "
                                "COLOR_SEXE)"),
                 QStringLiteral("values (next value for GEN_LISTE_TIRVO, :COD_RECH, :NUM_PAS, "
                                ":NOM_PAS, :PRE_PAS, :DAT_VIS, :TEMP_PAS, :SEXE_PAS, :VALIDE, "
                                ":COLOR, :TYPE_PARA, :COLOR_SEXE)")}),
      countVisits(database, {QStringLiteral("select count(distinct COD_RECH) from LISTE_TIRVO "
                                            "where cast(DAT_VIS as date) = :DAT_VIS")}) {}

QString CallListWriter::tableDefinition() {
    return QStringLiteral("create table LISTE_TIRVO (\n"
                          "  NUM_TIRVO integer not null primary key,\n"
                          "  COD_RECH varchar(13) not null,\n"
                          "  NUM_PAS varchar(30) not null,\n"
                          "  NOM_PAS varchar(30),\n"
                          "  PRE_PAS varchar(30),\n"
                          "  DAT_VIS timestamp,\n"
                          "  TEMP_PAS timestamp,\n"
                          "  SEXE_PAS char(1),\n"
                          "  VALIDE varchar(5),\n"
                          "  COLOR integer,\n"
                          "  TYPE_PARA varchar(30),\n"
                          "  COLOR_SEXE integer\n"
                          ");\n"
                          "create sequence GEN_LISTE_TIRVO;\n");
}

void CallListWriter::createTable() {
    connection.executeScript(tableDefinition());
}

void CallListWriter::insert(const CallListRow& row) {
    const auto textOrNull = [this](int index, const QString& text) {
        if (text.isEmpty())
            insertRow.bindNull(index);
        else
            insertRow.bindText(index, text);
    };
    insertRow.bindText(0, row.COD_RECH);
    insertRow.bindText(1, row.NUM_PAS);
    textOrNull(2, row.NOM_PAS);
    textOrNull(3, row.PRE_PAS);
    insertRow.bindDateTime(4, row.DAT_VIS);
    insertRow.bindDateTime(5, row.TEMP_PAS);
    textOrNull(6, row.SEXE_PAS);
    textOrNull(7, row.VALIDE);
    insertRow.bindInteger(8, row.COLOR);
    textOrNull(9, row.TYPE_PARA);
    insertRow.bindInteger(10, row.COLOR_SEXE);
    insertRow.execute();
}

int CallListWriter::visitCount(QDate date) {
    countVisits.bindDate(0, date);
    countVisits.open();
    countVisits.first();
    const int count = countVisits.eof() ? 0 : countVisits.fieldInteger("COUNT");
    countVisits.close();
    return count;
}
