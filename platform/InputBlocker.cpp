#include "platform/InputBlocker.h"

#include <QCoreApplication>
#include <QEvent>

int InputBlocker::depth = 0;

InputBlocker::InputBlocker() {
    ++depth;
    QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
    --depth;
}

bool InputBlocker::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}
