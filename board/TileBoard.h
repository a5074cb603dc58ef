#pragma once

#include "store/DbText.h"

#include <QDateTime>
#include <QMetaType>
#include <functional>

class Tile;
class TileControl;
class TileGroup;
namespace store {
class Query;
}

// The keys a tile carries for the statements run from it, as the bytes the database sent.
struct PatientTileKeys {
    store::DbText COD_RECH;
    int analysisGroup = -1; // position of its group in the analysis area, -1 for none
};
struct AnalysisTileKeys {
    store::DbText COD_RECH;
    store::DbText TYPE_PARA;
};
Q_DECLARE_METATYPE(PatientTileKeys)
Q_DECLARE_METATYPE(AnalysisTileKeys)

// Which board a window shows; the two differ in a few points of the build.
enum class BoardKind {
    // Main window: waiting rows; the board is drawn as it grows; a patient's group exists only
    // when it has waiting analyses; the clicked patient's position is remembered.
    Waiting,
    // Review window: served rows; built in one go; every patient gets a group; the first
    // patient is selected after the build.
    Served,
};

// Builds and drives the patient and analysis tiles of one window for one date.
class TileBoard {
public:
    struct Parts {
        BoardKind kind = BoardKind::Waiting;
        TileControl* Categories = nullptr;
        TileGroup* Groupe1 = nullptr;
        TileControl* Liste_ANA = nullptr;
        store::Query* patients = nullptr;
        store::Query* analyses = nullptr;
        // The date to build for, read at the start of every build (empty: no date).
        std::function<QDateTime()> workingDate;
        std::function<void(Tile*)> ArticlesClick;
    };

    explicit TileBoard(Parts parts);

    // Builds the whole board. A build requested while one runs (the main board lets the message
    // loop run between patients) is not nested: the running build starts over with the date
    // of that moment, so the last request wins and no tile is read after it was discarded.
    void Liste_pat();
    void CreateArticleGroupes(Tile* Sender);
    // Shows the clicked patient's analysis group and hides all others.
    void analyseClick(Tile* Sender);

    bool isBuilding() const { return building; }
    int rememberedPatientIndex = 0;

    // The tile settings both windows share; only the item size differs.
    static void applyAreaSettings(TileControl* area, QSize itemSize);

private:
    // Returns false when a newer request cut the build short.
    bool buildOnce();
    void addPatientTile();
    void addAnalysisTile(TileGroup* group);
    void clearBoard();
    bool waiting() const { return parts.kind == BoardKind::Waiting; }

    Parts parts;
    bool building = false;
    bool restartRequested = false;
};
