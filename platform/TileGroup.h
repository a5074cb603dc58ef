#pragma once

#include <QRect>
#include <QString>

#include <vector>

class Tile;
class TileControl;

// A named group of tiles. Hidden groups take no space. The control owns its groups;
// a TileGroup* is valid until the next removeAllGroups() of its control.
class TileGroup {
public:
    TileGroup(const TileGroup&) = delete;
    TileGroup& operator=(const TileGroup&) = delete;

    TileControl* control() const { return m_control; }
    int index() const { return m_index; } // position among the control's groups

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    int tileCount() const { return static_cast<int>(m_tiles.size()); }
    Tile* tile(int index) const; // throws std::out_of_range

private:
    friend class Tile;
    friend class TileControl;
    TileGroup(TileControl* control, int index);

    TileControl* m_control;
    int m_index;
    QString m_name;
    bool m_visible = true;
    // Where the flow of tiles stands after the last tile, and before it, so that a tile
    // appended (or the last one resized) is placed without laying out the rest again.
    struct Flow {
        int top = 0;
        int column = 0;
        int row = 0;
        int blockTop = 0;
        int bottom = 0;
        int right = 0;
    };

    std::vector<Tile*> m_tiles; // in the order they joined the group
    QRect m_rect;               // content coordinates; null while hidden or empty
    Flow m_flow;
    Flow m_flowBeforeLast;
};
