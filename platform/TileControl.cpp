#include "platform/TileControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>

#include <algorithm>
#include <stdexcept>

namespace {

const int ScrollRepeatMs = 80;
const int ScrollButtonHeight = 16;

} // namespace

TileControl::TileControl(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollRepeat.setInterval(ScrollRepeatMs);
    connect(&m_scrollRepeat, &QTimer::timeout, this, &TileControl::repeatScroll);
}

TileControl::~TileControl() = default;

void TileControl::setItemSize(QSize size) {
    m_itemSize = size;
    layoutChanged();
}

void TileControl::setItemSpacing(int pixels) {
    m_itemSpacing = pixels;
    layoutChanged();
}

void TileControl::setIndentHorizontal(int pixels) {
    m_indentHorizontal = pixels;
    layoutChanged();
}

void TileControl::setIndentVertical(int pixels) {
    m_indentVertical = pixels;
    layoutChanged();
}

void TileControl::setGroupLayout(TileGroupLayout layout) {
    m_groupLayout = layout;
    layoutChanged();
}

void TileControl::setGroupBlockMaxColumnCount(int columns) {
    m_groupBlockMaxColumnCount = columns;
    layoutChanged();
}

void TileControl::setGroupMaxRowCount(int rows) {
    m_groupMaxRowCount = rows;
    layoutChanged();
}

void TileControl::setGroupIndent(int pixels) {
    m_groupIndent = pixels;
    layoutChanged();
}

void TileControl::setBackgroundColors(const QColor& begin, const QColor& end) {
    m_backgroundBegin = begin;
    m_backgroundEnd = end;
    update();
}

TileGroup* TileControl::addGroup(const QString& name) {
    m_groups.push_back(
        std::unique_ptr<TileGroup>(new TileGroup(this, static_cast<int>(m_groups.size()))));
    TileGroup* group = m_groups.back().get();
    group->setName(name);
    return group;
}

void TileControl::removeAllGroups() {
    removeAllTiles();
    m_tailGroup = nullptr;
    m_groups.clear();
}

TileGroup* TileControl::group(int index) const {
    if (index < 0 || index >= groupCount())
        throw std::out_of_range("no group at this position");
    return m_groups[static_cast<std::size_t>(index)].get();
}

Tile* TileControl::addTile(TileGroup* group) {
    if (!group || group->control() != this)
        throw std::invalid_argument("the group belongs to another tile control");
    m_tiles.push_back(std::unique_ptr<Tile>(new Tile(this, group, tileCount())));
    Tile* tile = m_tiles.back().get();
    group->m_tiles.push_back(tile);
    if (group->isVisible() && !placeAtTail(*tile, false))
        layoutChanged();
    return tile;
}

void TileControl::removeAllTiles() {
    // A click handler may land here while its own tile is still on the call stack, so
    // every pointer to a tile is dropped before the tiles go.
    m_focusedTile = nullptr;
    m_pressedTile = nullptr;
    for (const auto& group : m_groups)
        group->m_tiles.clear();
    m_tiles.clear();
    layoutChanged();
}

Tile* TileControl::tile(int index) const {
    if (index < 0 || index >= tileCount())
        throw std::out_of_range("no tile at this position");
    return m_tiles[static_cast<std::size_t>(index)].get();
}

void TileControl::click(Tile* tile) {
    if (!tile || tile->control() != this)
        throw std::invalid_argument("the tile belongs to another tile control");
    if (!isEnabled())
        return;
    if (m_focusedTile != tile) {
        updateTile(m_focusedTile);
        m_focusedTile = tile;
        updateTile(tile);
    }
    // The handler may rebuild the board and so destroy the tile with its stored handler:
    // run a copy, and leave the tile alone from here on.
    const Tile::ClickHandler handler = tile->m_onClick;
    if (handler)
        handler(tile);
}

QRect TileControl::tileRect(const Tile* tile) const {
    ensureLayout();
    if (!tile->group()->isVisible())
        return QRect();
    return tile->m_rect.translated(0, -m_scrollPosition);
}

Tile* TileControl::tileAt(QPoint pos) const {
    ensureLayout();
    const QPoint point = pos + QPoint(0, m_scrollPosition);
    for (const auto& group : m_groups) {
        if (!group->isVisible() || !group->m_rect.contains(point))
            continue;
        const std::vector<Tile*>& tiles = group->m_tiles;
        for (auto it = firstTileReaching(tiles, point.y());
             it != tiles.end() && (*it)->m_rect.top() <= point.y(); ++it) {
            if ((*it)->m_rect.contains(point))
                return *it;
        }
    }
    return nullptr;
}

int TileControl::contentHeight() const {
    ensureLayout();
    return m_contentHeight;
}

int TileControl::scrollPosition() const {
    ensureLayout();
    return m_scrollPosition;
}

void TileControl::setScrollPosition(int pixels) {
    ensureLayout();
    const int position = std::clamp(pixels, 0, maxScrollPosition());
    if (position == m_scrollPosition)
        return;
    m_scrollPosition = position;
    update();
}

int TileControl::maxScrollPosition() const {
    ensureLayout();
    return std::max(0, m_contentHeight - height());
}

QRect TileControl::scrollUpButton() const {
    ensureLayout();
    if (m_scrollPosition <= 0)
        return QRect();
    return QRect(0, 0, width(), ScrollButtonHeight);
}

QRect TileControl::scrollDownButton() const {
    ensureLayout();
    if (m_scrollPosition >= maxScrollPosition())
        return QRect();
    return QRect(0, height() - ScrollButtonHeight, width(), ScrollButtonHeight);
}

QFont TileControl::textFont(const TileText& text) const {
    if (!text.ownFont)
        return font();
    const auto key = std::make_pair(text.pointSize, text.bold);
    auto found = m_ownFonts.find(key);
    if (found != m_ownFonts.end())
        return found->second;
    // An own font starts from the control's face and size, not from its style.
    QFont own(font().family());
    if (font().pixelSize() > 0)
        own.setPixelSize(font().pixelSize());
    else
        own.setPointSizeF(font().pointSizeF());
    if (text.pointSize > 0)
        own.setPointSize(text.pointSize);
    own.setBold(text.bold);
    m_ownFonts.emplace(key, own);
    return own;
}

QColor TileControl::textColor(const Tile& tile, const TileText& text) const {
    return text.ownFont ? text.color : tile.fontColor();
}

void TileControl::tileChanged(Tile& tile, bool layoutToo) {
    if (!tile.group()->isVisible())
        return;
    if (!layoutToo)
        updateTile(&tile);
    else if (!placeAtTail(tile, true))
        layoutChanged();
}

void TileControl::layoutChanged() {
    m_layoutDirty = true;
    update();
}

void TileControl::updateTile(const Tile* tile) {
    if (m_layoutDirty)
        update();
    else if (tile && tile->group()->isVisible())
        update(tile->m_rect.translated(0, -m_scrollPosition));
}

void TileControl::ensureLayout() const {
    if (!m_layoutDirty)
        return;
    m_layoutDirty = false;
    m_columns = columnCount();
    m_tailGroup = nullptr;
    int bottom = 0;
    for (const auto& group : m_groups) {
        if (!group->isVisible() || group->m_tiles.empty()) {
            group->m_rect = QRect();
            continue;
        }
        const int top = m_tailGroup ? bottom + m_groupIndent : m_indentVertical;
        bottom = layoutGroup(*group, top);
        m_tailGroup = group.get();
    }
    m_contentHeight = m_tailGroup ? bottom + m_indentVertical : 0;
    m_scrollPosition = std::clamp(m_scrollPosition, 0, std::max(0, m_contentHeight - height()));
}

int TileControl::layoutGroup(TileGroup& group, int top) const {
    group.m_flow = TileGroup::Flow{top, 0, 0, top, top, m_indentHorizontal};
    for (Tile* tile : group.m_tiles)
        placeTile(group, *tile);
    return group.m_flow.bottom;
}

void TileControl::placeTile(TileGroup& group, Tile& tile) const {
    TileGroup::Flow& flow = group.m_flow;
    group.m_flowBeforeLast = flow;
    const int width = m_itemSize.width();
    const int height = m_itemSize.height();
    const int spacing = m_itemSpacing;
    const int span = tile.size() == TileSize::Large ? 2 : 1;
    // A large tile wider than the row still gets a row of its own.
    if (flow.column > 0 && flow.column + span > m_columns) {
        flow.column = 0;
        ++flow.row;
    }
    if (m_groupMaxRowCount > 0 && flow.row == m_groupMaxRowCount) {
        flow.blockTop = flow.bottom + m_groupIndent;
        flow.row = 0;
    }
    const int x = m_indentHorizontal + flow.column * (width + spacing);
    const int y = flow.blockTop + flow.row * (height + spacing);
    tile.m_rect = QRect(x, y, span * width + (span - 1) * spacing, height);
    flow.column += span;
    flow.bottom = y + height;
    flow.right = std::max(flow.right, tile.m_rect.right() + 1);
    group.m_rect = QRect(m_indentHorizontal, flow.top, flow.right - m_indentHorizontal,
                         flow.bottom - flow.top);
}

// A tile added to (or resized at the end of) the last group that takes space moves no
// other tile, so it is placed alone and only where it lands is repainted: the board
// grows one tile per event-loop pass and must not repaint the whole area each time.
bool TileControl::placeAtTail(Tile& tile, bool replaceLast) {
    if (m_layoutDirty || tile.m_group != m_tailGroup)
        return false;
    TileGroup& group = *m_tailGroup;
    if (replaceLast) {
        if (group.m_tiles.back() != &tile)
            return false;
        updateTile(&tile);
        group.m_flow = group.m_flowBeforeLast;
    }
    const bool upBefore = !scrollUpButton().isNull();
    const bool downBefore = !scrollDownButton().isNull();
    placeTile(group, tile);
    m_contentHeight = group.m_flow.bottom + m_indentVertical;
    if (m_scrollPosition > maxScrollPosition()) {
        m_scrollPosition = maxScrollPosition();
        update();
    }
    updateTile(&tile);
    updateScrollButtons(upBefore, downBefore);
    return true;
}

void TileControl::updateScrollButtons(bool upBefore, bool downBefore) {
    if (scrollUpButton().isNull() == upBefore)
        update(QRect(0, 0, width(), ScrollButtonHeight));
    if (scrollDownButton().isNull() == downBefore)
        update(QRect(0, height() - ScrollButtonHeight, width(), ScrollButtonHeight));
}

// Rows only go down within a group, so its tiles are sorted by their bottom edge.
std::vector<Tile*>::const_iterator TileControl::firstTileReaching(const std::vector<Tile*>& tiles,
                                                                  int y) {
    return std::lower_bound(tiles.begin(), tiles.end(), y, [](const Tile* tile, int line) {
        return tile->m_rect.bottom() < line;
    });
}

int TileControl::columnCount() const {
    const int available = width() - 2 * m_indentHorizontal;
    int columns = std::max(1, (available + m_itemSpacing) / (m_itemSize.width() + m_itemSpacing));
    if (m_groupBlockMaxColumnCount > 0)
        columns = std::min(columns, m_groupBlockMaxColumnCount);
    return columns;
}

void TileControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChanged();
}

void TileControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ++m_fontGeneration;
        m_ownFonts.clear();
        update();
    }
}

void TileControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_pressedTile = nullptr;
    if (scrollUpButton().contains(pos) || scrollDownButton().contains(pos)) {
        m_scrollDirection = scrollUpButton().contains(pos) ? -1 : 1;
        repeatScroll();
        m_scrollRepeat.start();
        return;
    }
    m_pressedTile = tileAt(pos);
}

void TileControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_scrollRepeat.stop();
    m_scrollDirection = 0;
    Tile* pressed = std::exchange(m_pressedTile, nullptr);
    if (pressed && tileAt(event->position().toPoint()) == pressed)
        click(pressed);
}

void TileControl::wheelEvent(QWheelEvent* event) {
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRemainder -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps != 0)
        setScrollPosition(m_scrollPosition - steps * scrollStep());
    event->accept();
}

void TileControl::repeatScroll() {
    setScrollPosition(m_scrollPosition + m_scrollDirection * scrollStep());
    if (m_scrollPosition <= 0 || m_scrollPosition >= maxScrollPosition())
        m_scrollRepeat.stop();
}
