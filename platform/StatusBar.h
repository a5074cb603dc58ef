#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

struct StatusPanel {
    QString text;
    int width = 50;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QFont font;
    QColor color = Qt::black;
    // The last panel may take the width the others leave, so a message there stays readable.
    bool stretch = false;
};

// A bar of fixed-width panels, each with its own text, alignment, font and colour, painted on the
// bar's background colour without bevels.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setBackground(const QColor& colour);
    int addPanel(const StatusPanel& panel);
    int panelCount() const { return int(panels.size()); }
    const StatusPanel& panel(int index) const { return panels.at(size_t(index)); }
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const { return panel(index).text; }
    QRect panelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<StatusPanel> panels;
    QColor background;
};
