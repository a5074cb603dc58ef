#pragma once

#include "board/TileBoard.h"

#include <QString>
#include <functional>
#include <optional>

class QLabel;
class Tile;

// Calling a ticket from the main window: an analysis-tile click shows the number on the public
// display, speaks it, marks the analysis as served and rebuilds the board with the patient
// selected again; the recall repeats the last call; "Valider Patient" marks it once more.
// The call state lives in the main window's invisible labels.
class CallWorkflow {
public:
    struct Parts {
        // The main window's state labels: display-open flag, visit code, analysis type, ticket.
        QLabel* Label3 = nullptr;
        QLabel* Label4 = nullptr;
        QLabel* Label5 = nullptr;
        QLabel* Label6 = nullptr;
        TileBoard* board = nullptr;
        TileControl* Categories = nullptr;
        TileGroup* Groupe1 = nullptr;
        store::Query* Liste_ANALYSE = nullptr;
        store::Query* Update_valide = nullptr;
        std::function<void()> Liste_pat;
        std::function<void(int)> tirvo;
        std::function<void(const QString&)> informationBox;
    };
    // The public display's number and analysis labels, and how to show the window.
    struct Display {
        QLabel* Label1 = nullptr;
        QLabel* Label3 = nullptr;
        std::function<void()> show;
    };

    explicit CallWorkflow(Parts parts);
    void setDisplay(Display display);

    void ArticlesClick(Tile* Sender);
    void MONADATE();
    void cxButton8Click();
    void cxButton2Click();
    // The public display was closed.
    void displayClosed();

    bool displayOpen() const;

    // The ticket text as a signed 32-bit number: decimal digits with an optional sign, leading
    // zeros accepted; nothing else.
    static std::optional<int> ticketNumber(const QString& text);

private:
    void showOnDisplay(const QString& ticket, const QString& analysis);
    void speak(const QString& ticket);
    void validate(const AnalysisTileKeys& keys, const QString& ticket);

    Parts parts;
    Display display;
    // The keys of the last call, as the database sent them; none before the first call.
    std::optional<AnalysisTileKeys> lastCall;
};
