#include "StationFixture.h"

#include "platform/StatusBar.h"
#include "platform/TileControl.h"
#include "store/Connection.h"
#include "store/Query.h"

#include <QTest>

StationEnvironment environmentIn(const QString& folder, QDate today) {
    StationEnvironment environment;
    environment.workingFolder = folder;
    environment.today = [today] { return today; };
    environment.splashPauseMs = 0;
    return environment;
}

StationFixture::StationFixture(const TestDatabase& db, QDate today)
    : databaseSpecification(db.specification()) {
    writeStationFile(db.folder(), {"poste", "Accueil", "", db.specification()});
    StationEnvironment environment = environmentIn(db.folder(), today);
    environment.player = &player;
    environment.informationBox = [this](QWidget*, const QString& text) { boxes << text; };
    window = std::make_unique<TLISTE_TIRVO>(environment);
    display = std::make_unique<TFAfficher_Numero>();
    window->attachDisplay(display.get());
    window->show();
    QMetaObject::invokeMethod(window.get(), &TLISTE_TIRVO::Timer1Timer, Qt::QueuedConnection);
    QCoreApplication::processEvents();
}

void StationFixture::clickPatient(int position) {
    TileControl* area = window->Categories;
    const QRect rect = area->tileRect(area->tile(position));
    QTest::mouseClick(area, Qt::LeftButton, {}, rect.center());
}

bool StationFixture::clickAnalysis(const QString& type) {
    TileControl* area = window->Liste_ANA;
    for (int i = 0; i < area->tileCount(); ++i) {
        Tile* tile = area->tile(i);
        if (tile->text(2) == type && tile->group()->isVisible()) {
            QTest::mouseClick(area, Qt::LeftButton, {}, area->tileRect(tile).center());
            return true;
        }
    }
    return false;
}

QStringList StationFixture::shownAnalyses() const {
    QStringList shown;
    const TileControl* area = window->Liste_ANA;
    for (int g = 0; g < area->groupCount(); ++g) {
        const TileGroup* group = area->group(g);
        for (int i = 0; group->isVisible() && i < group->tileCount(); ++i)
            shown << group->tile(i)->text(2);
    }
    return shown;
}

int StationFixture::selectedPatient() const {
    const Tile* focused = window->Categories->focusedTile();
    return focused && !shownAnalyses().isEmpty() ? focused->index() : -1;
}

QString StationFixture::message() const {
    return window->dxStatusBar1->panelText(TLISTE_TIRVO::messagePanel);
}

QString StationFixture::mark(const QString& visit, const QString& type) const {
    store::Connection connection;
    connection.setDatabase(databaseSpecification);
    connection.open();
    store::Query query(connection, {QStringLiteral("select VALIDE from LISTE_TIRVO where "
                                                   "COD_RECH=:C and TYPE_PARA=:T")});
    query.bindText(0, visit);
    query.bindText(1, type);
    query.open();
    return query.eof() ? QStringLiteral("no row") : query.fieldText("VALIDE");
}
