#pragma once

#include <QColor>

// Colours are kept as the window definitions and the call-list table store them: a 24-bit value
// with red in the low byte, green in the middle byte and blue in the high byte.
inline QColor winColor(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
