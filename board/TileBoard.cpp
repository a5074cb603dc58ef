#include "board/TileBoard.h"

#include "platform/Colors.h"
#include "platform/TileControl.h"
#include "store/Query.h"

#include <QCoreApplication>
#include <QSet>

namespace {

constexpr int ticketPoints = 24;
constexpr int visitCodePoints = 6;
constexpr int analysisTypePoints = 20;

// Lets the window system draw the tile just added and take the receptionist's clicks.
void handlePendingMessages() {
    QCoreApplication::processEvents();
}

} // namespace

TileBoard::TileBoard(Parts boardParts) : parts(std::move(boardParts)) {}

void TileBoard::applyAreaSettings(TileControl* area, QSize itemSize) {
    area->setItemSize(itemSize);
    area->setItemSpacing(1);
    area->setIndentHorizontal(0);
    area->setIndentVertical(0);
    area->setGroupLayout(TileGroupLayout::Vertical);
    area->setGroupMaxRowCount(10);
    area->setBackgroundColors(Qt::white, Qt::white);
    area->setCursor(Qt::PointingHandCursor);
    area->setFocusPolicy(Qt::NoFocus);
}

void TileBoard::Liste_pat() {
    if (building) {
        restartRequested = true;
        return;
    }
    building = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{building};
    do {
        restartRequested = false;
    } while (!buildOnce());
}

void TileBoard::clearBoard() {
    parts.Categories->removeAllTiles();
    parts.Liste_ANA->removeAllGroups();
    parts.Liste_ANA->removeAllTiles();
}

bool TileBoard::buildOnce() {
    const QDateTime value = parts.workingDate();
    if (value.isNull()) {
        // An emptied date field shows an empty board; no date is made up for the query.
        clearBoard();
        return true;
    }
    // A date field holding a time of day builds the board of that calendar date.
    store::Query& patients = *parts.patients;
    if (waiting()) {
        patients.bindDate(0, value.date());
        patients.refresh();
    } else {
        patients.close();
        patients.bindDate(0, value.date());
        patients.open();
    }
    clearBoard();
    if (waiting() && patients.recordCount() == 0)
        return true;

    // A visit already on the board gets no second tile: its waiting rows may carry both kinds of
    // waiting mark, which makes the patients query return it twice.
    QSet<QByteArray> visitsShown;
    patients.first();
    const int count = patients.recordCount();
    for (int row = 0; row < count; ++row) {
        const store::DbText visit = patients.fieldKey("COD_RECH");
        if (!visit.isEmpty() && !visitsShown.contains(visit.bytes)) {
            visitsShown.insert(visit.bytes);
            addPatientTile();
            CreateArticleGroupes(parts.Categories->tile(parts.Categories->tileCount() - 1));
        }
        if (waiting()) {
            handlePendingMessages();
            if (restartRequested)
                return false;
        }
        patients.next();
    }
    if (waiting()) {
        handlePendingMessages();
        if (restartRequested)
            return false;
    }
    return true;
}

void TileBoard::addPatientTile() {
    const store::Query& patients = *parts.patients;
    const QString ticket = patients.fieldText("NUM_PAS");
    const QColor fill = winColor(patients.fieldInteger("COLOR_SEXE"));
    Tile* tile = parts.Categories->addTile(parts.Groupe1);
    tile->setSize(TileSize::Large);
    tile->setGradientBeginColor(fill);
    tile->setGradientEndColor(fill);
    tile->setFontColor(Qt::black);

    tile->setText(0, ticket);
    tile->setTextFontSize(0, ticketPoints);
    tile->setTextBold(0, true);
    tile->setTextColor(0, Qt::black);
    tile->setTextPlacement(0, TilePlacement::MiddleCenter);
    tile->setTextLineAlignment(0, Qt::AlignHCenter);
    tile->setTextWordWrap(0, true);

    tile->setText(1, patients.fieldText("COD_RECH"));
    tile->setTextFontSize(1, visitCodePoints);
    tile->setTextPlacement(1, TilePlacement::TopRight);

    tile->setText(2,
                  patients.fieldText("NOM_PAS") + QLatin1Char(' ') + patients.fieldText("PRE_PAS"));
    tile->setTextPlacement(2, TilePlacement::BottomLeft);
    tile->setText(3, ticket);
    tile->setTextPlacement(3, TilePlacement::BottomRight);

    tile->setUserData(QVariant::fromValue(PatientTileKeys{patients.fieldKey("COD_RECH"), -1}));
    tile->setClickHandler([this](Tile* clicked) { analyseClick(clicked); });
}

void TileBoard::CreateArticleGroupes(Tile* Sender) {
    store::Query& analyses = *parts.analyses;
    // Both windows bind the visit code of the patient row the tile was built from.
    auto keys = Sender->userData().value<PatientTileKeys>();
    analyses.close();
    analyses.bindText(0, keys.COD_RECH);
    analyses.open();
    if (waiting() && analyses.recordCount() == 0)
        return;

    TileGroup* group = parts.Liste_ANA->addGroup(QStringLiteral("G") + Sender->text(0));
    group->setVisible(false);
    keys.analysisGroup = group->index();
    Sender->setUserData(QVariant::fromValue(keys));

    analyses.first();
    const int count = analyses.recordCount();
    for (int row = 0; row < count; ++row) {
        if (!analyses.fieldKey("COD_RECH").isEmpty())
            addAnalysisTile(group);
        analyses.next();
    }
    if (!waiting())
        parts.Categories->click(parts.Categories->tile(0));
}

void TileBoard::addAnalysisTile(TileGroup* group) {
    const store::Query& analyses = *parts.analyses;
    const QColor fill = winColor(analyses.fieldInteger("COLOR"));
    Tile* tile = parts.Liste_ANA->addTile(group);
    tile->setSize(TileSize::Regular);
    tile->setGradientBeginColor(fill);
    tile->setGradientEndColor(fill);
    tile->setFontColor(Qt::black);
    tile->setText(0, analyses.fieldText("NUM_PAS"));
    tile->setTextPlacement(0, TilePlacement::TopLeft);
    tile->setText(1, analyses.fieldText("COD_RECH"));
    tile->setTextPlacement(1, TilePlacement::TopRight);
    tile->setText(2, analyses.fieldText("TYPE_PARA"));
    tile->setTextFontSize(2, analysisTypePoints);
    tile->setTextBold(2, false);
    tile->setTextColor(2, Qt::black);
    tile->setTextPlacement(2, TilePlacement::MiddleCenter);
    tile->setTextPlacement(3, TilePlacement::BottomRight);
    tile->setUserData(QVariant::fromValue(
        AnalysisTileKeys{analyses.fieldKey("COD_RECH"), analyses.fieldKey("TYPE_PARA")}));
    tile->setClickHandler(parts.ArticlesClick);
}

void TileBoard::analyseClick(Tile* Sender) {
    if (waiting())
        rememberedPatientIndex = Sender->index();
    TileControl* area = parts.Liste_ANA;
    area->setGroupLayout(TileGroupLayout::Vertical);
    area->setGroupBlockMaxColumnCount(1);
    area->setGroupIndent(1);
    // The group built for this very tile, not the first one whose name matches: ticket numbers
    // need not be unique on a board, nor fit a name.
    const int shown = Sender->userData().value<PatientTileKeys>().analysisGroup;
    for (int i = 0; i < area->groupCount(); ++i)
        area->group(i)->setVisible(i == shown);
}
