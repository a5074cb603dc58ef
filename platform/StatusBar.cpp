#include "platform/StatusBar.h"

#include <QPainter>

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::setBackground(const QColor& colour) {
    background = colour;
    update();
}

int StatusBar::addPanel(const StatusPanel& panel) {
    panels.push_back(panel);
    update();
    return int(panels.size()) - 1;
}

void StatusBar::setPanelText(int index, const QString& text) {
    panels.at(size_t(index)).text = text;
    update(panelRect(index));
}

QRect StatusBar::panelRect(int index) const {
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += panels.at(size_t(i)).width;
    const StatusPanel& panel = panels.at(size_t(index));
    const int width = panel.stretch ? std::max(panel.width, this->width() - left) : panel.width;
    return QRect(left, 0, width, height());
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background);
    for (int i = 0; i < panelCount(); ++i) {
        const StatusPanel& panel = panels[size_t(i)];
        if (panel.text.isEmpty())
            continue;
        const QRect area = panelRect(i).adjusted(1, 0, -1, 0);
        painter.setFont(panel.font);
        painter.setPen(panel.color);
        // Fixed texts are clipped by their panel; a message in the stretching panel is shortened
        // visibly instead.
        const QString shown =
            panel.stretch
                ? QFontMetrics(panel.font).elidedText(panel.text, Qt::ElideRight, area.width())
                : panel.text;
        painter.save();
        painter.setClipRect(area);
        painter.drawText(area, int(panel.alignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
        painter.restore();
    }
}
