#pragma once

#include <QWidget>

class QLabel;
class DigitalClock;

// The public display facing the waiting room: the called ticket number in very large digits and
// the analysis type. Created hidden at start; closing it only hides it.
class TFAfficher_Numero : public QWidget {
    Q_OBJECT
public:
    explicit TFAfficher_Numero(QWidget* parent = nullptr);

    // Top band: plain window colour (its picture area holds no picture).
    QWidget* Panel2 = nullptr;
    QLabel* Image2 = nullptr;
    // The Arabic caption "ticket number", just above the number.
    QLabel* cxLabel1 = nullptr;
    // Number band.
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr; // the ticket number
    // Clock band: clock at the left, emblem at the right.
    QWidget* Panel4 = nullptr;
    DigitalClock* ElClock1 = nullptr;
    QLabel* Image1 = nullptr;
    // Analysis band, at the very bottom.
    QWidget* Panel3 = nullptr;
    QLabel* Label3 = nullptr; // the analysis type

signals:
    // The window was closed (and hidden); the main window clears its display-open flag.
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;
};
