#pragma once

#include "store/Query.h"

#include <QStringList>

// The fixed statements the station runs against the call-list table LISTE_TIRVO, with their texts
// exactly as stored (lines joined with CR LF when run) and their settings.
namespace store::statements {

struct StatementText {
    QStringList lines;
    QuerySettings settings;
};

// Main window: the waiting patients of a date, the waiting analyses of a visit, the validation.
StatementText Liste_patient();
StatementText Liste_ANALYSE_waiting();
StatementText Update_valide();

// Review window: the served patients of a date, the served analyses of a visit, the
// un-validation.
StatementText LISTE_TIRVO_VALIDE();
StatementText Liste_ANALYSE_served();
StatementText Update_Dvalide();

} // namespace store::statements
