#pragma once

#include <QLabel>

class QTimer;

// A digital clock: the local time of day as HH:mm:ss, centred, refreshed by its own one-second
// timer. Colours and font are the owner's to set.
class DigitalClock : public QLabel {
    Q_OBJECT
public:
    explicit DigitalClock(QWidget* parent = nullptr);

    QTimer* timer() const { return tick; }
    void refresh();

private:
    QTimer* tick = nullptr;
};
