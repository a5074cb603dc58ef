#include "platform/Tile.h"

#include "platform/TileControl.h"

#include <algorithm>
#include <stdexcept>

Tile::Tile(TileControl* control, TileGroup* group, int index)
    : m_control(control), m_group(group), m_index(index) {
    m_texts[0].placement = TilePlacement::TopLeft;
    m_texts[1].placement = TilePlacement::TopRight;
    m_texts[2].placement = TilePlacement::BottomLeft;
    m_texts[3].placement = TilePlacement::BottomRight;
}

void Tile::setGroup(TileGroup* group) {
    if (group == m_group)
        return;
    if (!group || group->control() != m_control)
        throw std::invalid_argument("the group belongs to another tile control");
    std::vector<Tile*>& old = m_group->m_tiles;
    old.erase(std::find(old.begin(), old.end(), this));
    const bool wasShown = m_group->isVisible();
    m_group = group;
    m_group->m_tiles.push_back(this);
    if (wasShown || group->isVisible())
        m_control->layoutChanged();
}

int Tile::indexInGroup() const {
    const std::vector<Tile*>& tiles = m_group->m_tiles;
    return static_cast<int>(std::find(tiles.begin(), tiles.end(), this) - tiles.begin());
}

void Tile::setSize(TileSize size) {
    if (size == m_size)
        return;
    m_size = size;
    changed(true);
}

void Tile::setClickHandler(ClickHandler handler) {
    m_onClick = std::move(handler);
}

void Tile::setGradientBeginColor(const QColor& color) {
    m_gradientBegin = color;
    changed(false);
}

void Tile::setGradientEndColor(const QColor& color) {
    m_gradientEnd = color;
    changed(false);
}

void Tile::setFontColor(const QColor& color) {
    m_fontColor = color;
    changed(false);
}

void Tile::setText(int slot, const QString& text) {
    editText(slot).value = text;
}

void Tile::setTextFontSize(int slot, int points) {
    TileText& text = editText(slot);
    text.ownFont = true;
    text.pointSize = points;
}

void Tile::setTextBold(int slot, bool bold) {
    TileText& text = editText(slot);
    text.ownFont = true;
    text.bold = bold;
}

void Tile::setTextColor(int slot, const QColor& color) {
    TileText& text = editText(slot);
    text.ownFont = true;
    text.color = color;
}

void Tile::setTextPlacement(int slot, TilePlacement placement) {
    editText(slot).placement = placement;
}

void Tile::setTextLineAlignment(int slot, Qt::Alignment alignment) {
    editText(slot).lineAlignment = alignment & Qt::AlignHorizontal_Mask;
}

void Tile::setTextWordWrap(int slot, bool wrap) {
    editText(slot).wordWrap = wrap;
}

// Every edit of a slot may change its measured size and what is drawn.
TileText& Tile::editText(int slot) {
    TileText& text = m_texts.at(slot);
    text.measuredWidth = -1;
    changed(false);
    return text;
}

void Tile::changed(bool layoutToo) {
    m_control->tileChanged(*this, layoutToo);
}
