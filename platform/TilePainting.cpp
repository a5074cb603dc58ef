// How the tile control draws its background, tiles, texts and scroll buttons.

#include "platform/TileControl.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace {

const int TextMarginX = 4;
const int TextMarginY = 2;

void fill(QPainter& painter, const QRect& rect, const QRect& span, const QColor& begin,
          const QColor& end) {
    if (begin == end) {
        painter.fillRect(rect, begin);
        return;
    }
    QLinearGradient gradient(span.topLeft(), span.bottomLeft());
    gradient.setColorAt(0, begin);
    gradient.setColorAt(1, end);
    painter.fillRect(rect, gradient);
}

QRect placeBlock(QSize size, const QRect& inner, TilePlacement placement) {
    const int index = static_cast<int>(placement);
    const int column = index % 3; // left, centre, right
    const int row = index / 3;    // top, middle, bottom
    const int x = column == 0   ? inner.left()
                  : column == 1 ? inner.left() + (inner.width() - size.width()) / 2
                                : inner.right() + 1 - size.width();
    const int y = row == 0   ? inner.top()
                  : row == 1 ? inner.top() + (inner.height() - size.height()) / 2
                             : inner.bottom() + 1 - size.height();
    return QRect(QPoint(x, y), size);
}

} // namespace

void TileControl::paintEvent(QPaintEvent* event) {
    ensureLayout();
    QPainter painter(this);
    const QRect exposed = event->rect();
    fill(painter, exposed, rect(), m_backgroundBegin, m_backgroundEnd);

    const QRect view = exposed.translated(0, m_scrollPosition);
    painter.translate(0, -m_scrollPosition);
    for (const auto& group : m_groups) {
        if (!group->isVisible() || group->m_rect.isNull())
            continue;
        if (group->m_rect.top() > view.bottom())
            break;
        if (!group->m_rect.intersects(view))
            continue;
        const std::vector<Tile*>& tiles = group->m_tiles;
        for (auto it = firstTileReaching(tiles, view.top());
             it != tiles.end() && (*it)->m_rect.top() <= view.bottom(); ++it) {
            if ((*it)->m_rect.intersects(view))
                paintTile(painter, **it, (*it)->m_rect);
        }
    }
    painter.resetTransform();

    const QRect up = scrollUpButton();
    if (up.intersects(exposed))
        paintScrollButton(painter, up, true);
    const QRect down = scrollDownButton();
    if (down.intersects(exposed))
        paintScrollButton(painter, down, false);
}

void TileControl::paintTile(QPainter& painter, const Tile& tile, QRect rect) const {
    fill(painter, rect, rect, tile.gradientBeginColor(), tile.gradientEndColor());
    const QRect inner = rect.adjusted(TextMarginX, TextMarginY, -TextMarginX, -TextMarginY);
    for (const TileText& text : tile.m_texts) {
        if (!text.value.isEmpty())
            paintText(painter, tile, text, inner);
    }
    if (&tile == m_focusedTile) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(QRectF(rect).adjusted(2.5, 2.5, -2.5, -2.5));
    }
}

void TileControl::paintText(QPainter& painter, const Tile& tile, const TileText& text,
                            QRect inner) const {
    const int flags = static_cast<int>(text.lineAlignment) | Qt::AlignTop |
                      (text.wordWrap ? Qt::TextWordWrap : 0);
    painter.setFont(textFont(text));
    painter.setPen(textColor(tile, text));
    if (text.measuredWidth != inner.width() || text.measuredFontGeneration != m_fontGeneration) {
        text.measuredSize = painter.fontMetrics()
                                .boundingRect(QRect(0, 0, inner.width(), 0), flags, text.value)
                                .size();
        text.measuredWidth = inner.width();
        text.measuredFontGeneration = m_fontGeneration;
    }
    const QRect block = placeBlock(text.measuredSize, inner, text.placement);
    const QRect tileRect = inner.adjusted(-TextMarginX, -TextMarginY, TextMarginX, TextMarginY);
    if (tileRect.contains(block)) {
        painter.drawText(block, flags, text.value);
        return;
    }
    // Text too big for its tile stays inside the tile.
    painter.save();
    painter.setClipRect(tileRect, Qt::IntersectClip);
    painter.drawText(block, flags | Qt::TextDontClip, text.value);
    painter.restore();
}

void TileControl::paintScrollButton(QPainter& painter, QRect rect, bool up) const {
    painter.fillRect(rect, QColor(0, 0, 0, 110));
    const int middle = rect.center().x();
    const int half = std::min(rect.height() / 2, 8);
    const int top = rect.top() + (rect.height() - half) / 2;
    QPolygon arrow;
    if (up)
        arrow << QPoint(middle - half, top + half) << QPoint(middle + half, top + half)
              << QPoint(middle, top);
    else
        arrow << QPoint(middle - half, top) << QPoint(middle + half, top)
              << QPoint(middle, top + half);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawPolygon(arrow);
    painter.setRenderHint(QPainter::Antialiasing, false);
}
