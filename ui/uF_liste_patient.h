#pragma once

#include "board/TileBoard.h"
#include "store/Query.h"

#include <QDialog>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class DateEdit;
class Tile;
class TileControl;
class TileGroup;
class TLISTE_TIRVO;

// The review window: the served patients and analyses of a date, and putting one served analysis
// back on the waiting list. Its statements run on the main window's connection. Each opening is a
// new modal instance that is destroyed when it closes.
class TF_liste_patient : public QDialog {
    Q_OBJECT
public:
    explicit TF_liste_patient(TLISTE_TIRVO& main, QWidget* parent = nullptr);
    ~TF_liste_patient() override;

    // Creates a window over main and runs it modally; the window is gone when this returns.
    static void open(TLISTE_TIRVO& main);

    // Header band.
    QWidget* Panel5 = nullptr;
    QPushButton* cxButton1 = nullptr;
    QLabel* Label1 = nullptr;
    DateEdit* cxDateEdit2 = nullptr;
    QPushButton* cxButton2 = nullptr;
    // Invisible labels holding the visit code and analysis type of the last clicked analysis.
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    // Tile areas.
    TileControl* Categories = nullptr;
    TileGroup* Groupe1 = nullptr;
    QWidget* Panel9 = nullptr;
    TileControl* Liste_ANA = nullptr;

    std::unique_ptr<store::Query> LISTE_TIRVO_VALIDE;
    std::unique_ptr<store::Query> Liste_ANALYSE;
    std::unique_ptr<store::Query> Update_Dvalide;

    void FormShow();
    void cxDateEdit2PropertiesEditValueChanged();
    void ArticlesClick(Tile* Sender);
    void cxButton1Click();
    void cxButton2Click();
    void Liste_pat();
    TileBoard& board() { return *tiles; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createComponents();
    void placeComponents();
    void placeOverMainWindow();

    TLISTE_TIRVO& mainWindow;
    std::unique_ptr<TileBoard> tiles;
    // The keys of the last clicked analysis, as the database sent them; the labels show their
    // text. None until an analysis tile is clicked.
    std::optional<AnalysisTileKeys> selection;
};
