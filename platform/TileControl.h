#pragma once

#include "platform/Tile.h"
#include "platform/TileGroup.h"
#include "platform/TileTypes.h"

#include <QTimer>
#include <QWidget>

#include <map>
#include <memory>
#include <utility>
#include <vector>

// A board of tiles in named groups, painted by this one widget. Layout is lazy: changes
// only mark it dirty, and it is redone once before the next paint or position query; a
// tile appended at the end of the board is placed on its own and repaints only itself.
class TileControl : public QWidget {
    Q_OBJECT

public:
    explicit TileControl(QWidget* parent = nullptr);
    ~TileControl() override;

    // Settings.
    QSize itemSize() const { return m_itemSize; }
    void setItemSize(QSize size);
    int itemSpacing() const { return m_itemSpacing; }
    void setItemSpacing(int pixels);
    int indentHorizontal() const { return m_indentHorizontal; }
    void setIndentHorizontal(int pixels);
    int indentVertical() const { return m_indentVertical; }
    void setIndentVertical(int pixels);
    TileGroupLayout groupLayout() const { return m_groupLayout; }
    void setGroupLayout(TileGroupLayout layout);
    int groupBlockMaxColumnCount() const { return m_groupBlockMaxColumnCount; }
    void setGroupBlockMaxColumnCount(int columns); // 0: as many as fit the width
    int groupMaxRowCount() const { return m_groupMaxRowCount; }
    void setGroupMaxRowCount(int rows); // rows per block; more start a new block below
    int groupIndent() const { return m_groupIndent; }
    void setGroupIndent(int pixels); // gap between groups and between blocks
    void setBackgroundColors(const QColor& begin, const QColor& end);

    // Groups. Removing the groups removes their tiles as well.
    TileGroup* addGroup(const QString& name = QString());
    void removeAllGroups();
    int groupCount() const { return static_cast<int>(m_groups.size()); }
    TileGroup* group(int index) const; // throws std::out_of_range

    // Tiles. A tile always belongs to one group of this control.
    Tile* addTile(TileGroup* group); // throws std::invalid_argument for a foreign group
    void removeAllTiles();
    int tileCount() const { return static_cast<int>(m_tiles.size()); }
    Tile* tile(int index) const; // throws std::out_of_range

    // Makes the tile the focused one, then runs its click handler. The handler may
    // remove every tile; nothing here touches the tile once the handler has started.
    void click(Tile* tile);
    Tile* focusedTile() const { return m_focusedTile; }

    // Geometry, in widget coordinates (the current scroll position applied).
    QRect tileRect(const Tile* tile) const; // null while its group is hidden
    Tile* tileAt(QPoint pos) const;
    int contentHeight() const;

    // Scrolling moves the content by whole steps of one tile row.
    int scrollPosition() const;
    void setScrollPosition(int pixels);
    int maxScrollPosition() const;
    int scrollStep() const { return m_itemSize.height() + m_itemSpacing; }
    QRect scrollUpButton() const;   // null when there is nothing above
    QRect scrollDownButton() const; // null when there is nothing below

    // The fonts a text slot draws with: the general font, or its own font.
    QFont textFont(const TileText& text) const;
    QColor textColor(const Tile& tile, const TileText& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class Tile;
    friend class TileGroup;
    void tileChanged(Tile& tile, bool layoutToo);
    void layoutChanged();
    void ensureLayout() const;
    int layoutGroup(TileGroup& group, int top) const; // returns its bottom
    void placeTile(TileGroup& group, Tile& tile) const;
    bool placeAtTail(Tile& tile, bool replaceLast);
    void updateTile(const Tile* tile);
    void updateScrollButtons(bool upBefore, bool downBefore);
    int columnCount() const;
    static std::vector<Tile*>::const_iterator firstTileReaching(const std::vector<Tile*>& tiles,
                                                                int y);
    void paintTile(QPainter& painter, const Tile& tile, QRect rect) const;
    void paintText(QPainter& painter, const Tile& tile, const TileText& text, QRect inner) const;
    void paintScrollButton(QPainter& painter, QRect rect, bool up) const;
    void repeatScroll();

    std::vector<std::unique_ptr<TileGroup>> m_groups;
    std::vector<std::unique_ptr<Tile>> m_tiles;
    Tile* m_focusedTile = nullptr;
    Tile* m_pressedTile = nullptr;

    QSize m_itemSize{150, 60};
    int m_itemSpacing = 1;
    int m_indentHorizontal = 0;
    int m_indentVertical = 0;
    TileGroupLayout m_groupLayout = TileGroupLayout::Vertical;
    int m_groupBlockMaxColumnCount = 0;
    int m_groupMaxRowCount = 10;
    int m_groupIndent = 8;
    QColor m_backgroundBegin = Qt::white;
    QColor m_backgroundEnd = Qt::white;

    mutable bool m_layoutDirty = true;
    mutable int m_contentHeight = 0;
    mutable int m_columns = 1;
    mutable TileGroup* m_tailGroup = nullptr; // the last group that takes space
    int m_fontGeneration = 0;
    mutable std::map<std::pair<int, bool>, QFont> m_ownFonts; // by point size and bold

    mutable int m_scrollPosition = 0; // clamped by each relayout
    int m_scrollDirection = 0;        // -1 up, +1 down while a scroll button is held
    QTimer m_scrollRepeat;
    int m_wheelRemainder = 0;
};
