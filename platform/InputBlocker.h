#pragma once

#include <QObject>

// While one exists, mouse and keyboard input to every window of the program is dropped, so that
// a click queued during a call (while the number is spoken, or while the board is rebuilt with
// the message loop running) cannot start a second call. Painting and timers go on.
class InputBlocker : public QObject {
    Q_OBJECT
public:
    InputBlocker();
    ~InputBlocker() override;

    static bool active() { return depth > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int depth;
};
