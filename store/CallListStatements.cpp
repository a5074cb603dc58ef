#include "store/CallListStatements.h"

namespace store::statements {

namespace {
QuerySettings fetchedQuery() {
    return QuerySettings{1000, false, true};
}
} // namespace

StatementText Liste_patient() {
    return {{QStringLiteral("Select DISTINCT COD_RECH,NUM_PAS,NOM_PAS,PRE_PAS,COLOR_SEXE,VALIDE "
                            "From  LISTE_TIRVO"),
             QStringLiteral("where (DAT_VIS=:DAT_VIS) and ((VALIDE = '')or(VALIDE is null))and "
                            "(TYPE_PARA <>'')  "),
             QString(), QString(), QString(), QString()},
            QuerySettings{1000, true, false}};
}

StatementText Liste_ANALYSE_waiting() {
    return {{QStringLiteral("Select * From  LISTE_TIRVO"),
             QStringLiteral("where (COD_RECH=:COD_RECH) and ((VALIDE = '')or(VALIDE is null))and "
                            "(TYPE_PARA <>'')"),
             QString(), QString(), QString(), QString()},
            fetchedQuery()};
}

StatementText Update_valide() {
    return {{QStringLiteral("update LISTE_TIRVO"), QStringLiteral("set VALIDE='True'"),
             QStringLiteral("where COD_RECH=:COD_RECH and TYPE_PARA=:TYPE_PARA")},
            QuerySettings{}};
}

StatementText LISTE_TIRVO_VALIDE() {
    return {{QStringLiteral("Select DISTINCT COD_RECH,NUM_PAS,NOM_PAS,PRE_PAS,COLOR_SEXE,VALIDE "
                            "From  LISTE_TIRVO"),
             QStringLiteral("where (cast (DAT_VIS as date )=:DAT_VIS) and (VALIDE ='True')and "
                            "(TYPE_PARA <>'')")},
            fetchedQuery()};
}

StatementText Liste_ANALYSE_served() {
    return {{QStringLiteral("Select * From  LISTE_TIRVO"),
             QStringLiteral("where (COD_RECH=:COD_RECH) and (VALIDE = 'True')and (TYPE_PARA <>'')"),
             QString(), QString(), QString(), QString()},
            fetchedQuery()};
}

StatementText Update_Dvalide() {
    return {{QStringLiteral("update LISTE_TIRVO"), QStringLiteral("set VALIDE = null"),
             QStringLiteral("where COD_RECH=:COD_RECH and TYPE_PARA=:TYPE_PARA")},
            QuerySettings{}};
}

} // namespace store::statements
