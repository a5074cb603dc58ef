#pragma once

#include "TestDatabase.h"
#include "platform/RecordingWavePlayer.h"
#include "ui/Afficher_Numero.h"
#include "ui/u_LISTE_TIRVO.h"

#include <memory>

// What a test station takes from its surroundings: its folder, a fixed today, no splash pause.
StationEnvironment environmentIn(const QString& folder, QDate today = QDate(2026, 3, 2));

// A station as the program starts it: main window and public display on a fixture database,
// brought to Ready, with a recording player and an information box that the test answers.
class StationFixture {
public:
    explicit StationFixture(const TestDatabase& db, QDate today = QDate(2026, 3, 2));

    // Clicks a patient tile by its position, and a shown analysis tile by its analysis type.
    void clickPatient(int position);
    bool clickAnalysis(const QString& type);
    QStringList shownAnalyses() const;
    int selectedPatient() const;
    QString message() const;
    // The served mark of the rows of a visit and analysis type.
    QString mark(const QString& visit, const QString& type) const;

    RecordingWavePlayer player;
    QStringList boxes;
    std::unique_ptr<TLISTE_TIRVO> window;
    std::unique_ptr<TFAfficher_Numero> display;

private:
    QString databaseSpecification;
};
