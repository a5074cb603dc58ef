#pragma once

#include "platform/TileTypes.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QVariant>

#include <array>
#include <functional>

class TileControl;
class TileGroup;

// One of the four text slots of a tile. Until one of its font properties is set the
// slot draws with the tile's general font; from then on with its own font.
struct TileText {
    QString value;
    TilePlacement placement = TilePlacement::TopLeft;
    Qt::Alignment lineAlignment = Qt::AlignLeft;
    bool wordWrap = false;
    bool ownFont = false;
    int pointSize = 0; // 0 keeps the control's default size
    bool bold = false;
    QColor color = Qt::black;

    // Size of the laid-out text, kept between paints: measuring is the costly part.
    mutable QSize measuredSize;
    mutable int measuredWidth = -1;
    mutable int measuredFontGeneration = -1;
};

// A tile of a TileControl. The control creates, owns and destroys tiles; a Tile* is
// valid until the next removeAllTiles() or removeAllGroups() of its control.
class Tile {
public:
    static constexpr int TextCount = 4;
    using ClickHandler = std::function<void(Tile*)>;

    Tile(const Tile&) = delete;
    Tile& operator=(const Tile&) = delete;

    TileControl* control() const { return m_control; }
    int index() const { return m_index; } // position among the control's tiles

    TileGroup* group() const { return m_group; }
    void setGroup(TileGroup* group);
    int indexInGroup() const;

    TileSize size() const { return m_size; }
    void setSize(TileSize size);

    const ClickHandler& clickHandler() const { return m_onClick; }
    void setClickHandler(ClickHandler handler);

    QColor gradientBeginColor() const { return m_gradientBegin; }
    QColor gradientEndColor() const { return m_gradientEnd; }
    void setGradientBeginColor(const QColor& color);
    void setGradientEndColor(const QColor& color);

    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);

    QVariant userData() const { return m_userData; }
    void setUserData(const QVariant& data) { m_userData = data; }

    // Text slots 0..3; another slot number throws std::out_of_range.
    const TileText& textSlot(int slot) const { return m_texts.at(slot); }
    QString text(int slot) const { return m_texts.at(slot).value; }
    void setText(int slot, const QString& text);
    void setTextFontSize(int slot, int points);
    void setTextBold(int slot, bool bold);
    void setTextColor(int slot, const QColor& color);
    void setTextPlacement(int slot, TilePlacement placement);
    void setTextLineAlignment(int slot, Qt::Alignment alignment);
    void setTextWordWrap(int slot, bool wrap);

private:
    friend class TileControl;
    Tile(TileControl* control, TileGroup* group, int index);
    TileText& editText(int slot);
    void changed(bool layoutToo);

    TileControl* m_control;
    TileGroup* m_group;
    int m_index;
    TileSize m_size = TileSize::Regular;
    ClickHandler m_onClick;
    QColor m_gradientBegin = QColor(0, 114, 198);
    QColor m_gradientEnd = QColor(0, 114, 198);
    QColor m_fontColor = Qt::black;
    QVariant m_userData;
    std::array<TileText, TextCount> m_texts;
    QRect m_rect; // content coordinates; null while its group is hidden
};
