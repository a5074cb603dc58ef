#include "platform/TileGroup.h"

#include "platform/TileControl.h"

#include <stdexcept>

TileGroup::TileGroup(TileControl* control, int index) : m_control(control), m_index(index) {}

void TileGroup::setVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    if (!m_tiles.empty())
        m_control->layoutChanged();
}

Tile* TileGroup::tile(int index) const {
    if (index < 0 || index >= tileCount())
        throw std::out_of_range("no tile at this position of the group");
    return m_tiles[static_cast<std::size_t>(index)];
}
