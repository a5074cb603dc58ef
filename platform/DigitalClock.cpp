#include "platform/DigitalClock.h"

#include <QTime>
#include <QTimer>

DigitalClock::DigitalClock(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    tick = new QTimer(this);
    tick->setInterval(1000);
    connect(tick, &QTimer::timeout, this, &DigitalClock::refresh);
    tick->start();
    refresh();
}

void DigitalClock::refresh() {
    setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}
