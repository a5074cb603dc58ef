#include "platform/TileControl.h"

#include <QImage>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

const QColor Fill(200, 30, 40);

// A control with the patient area's tile settings and a small group indent, so that
// positions can be written down by hand.
std::unique_ptr<TileControl> makeControl(int width, int height = 800) {
    auto control = std::make_unique<TileControl>();
    control->setItemSize(QSize(150, 60));
    control->setItemSpacing(1);
    control->setGroupIndent(5);
    control->resize(width, height);
    return control;
}

// Groups written as strings: one letter per tile, R regular, L large; a leading '-'
// hides the group. Growing asks for the layout after every change, as a board that is
// painted while it is built does.
void addGroups(TileControl& control, const QStringList& groups, bool growing = false) {
    for (const QString& pattern : groups) {
        TileGroup* group = control.addGroup();
        for (QChar letter : pattern) {
            if (letter == '-') {
                group->setVisible(false);
                continue;
            }
            Tile* tile = control.addTile(group);
            if (growing)
                control.contentHeight();
            tile->setSize(letter == 'L' ? TileSize::Large : TileSize::Regular);
            if (growing)
                control.contentHeight();
            tile->setGradientBeginColor(Fill);
            tile->setGradientEndColor(Fill);
        }
    }
}

QRect regular(int x, int y) {
    return QRect(x, y, 150, 60);
}
QRect large(int x, int y) {
    return QRect(x, y, 301, 60);
}

// Bounding box of the pixels inside area that differ from the given colour.
QRect inkBox(const QImage& image, const QRect& area, const QColor& background) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestTileControl : public QObject {
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void showingOneGroupByName();
    void lookups();
    void clickByMouse();
    void clickFromCode();
    void handlerRemovesAllTiles_data();
    void handlerRemovesAllTiles();
    void pressedTileRemovedBeforeRelease();
    void slotFont_data();
    void slotFont();
    void paintsFillAndFocus();
    void textPlacement_data();
    void textPlacement();
    void scrolling();
    void screenMatchesFullPaintWhileGrowing();
};

void TestTileControl::layout_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("maxColumns");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QList<QRect>>("expected");

    QTest::newRow("regular tiles flow in rows that fit the width")
        << 453 << 0 << QStringList{"RRRR"}
        << QList<QRect>{regular(0, 0), regular(151, 0), regular(302, 0), regular(0, 61)};
    QTest::newRow("a large tile takes two columns")
        << 453 << 0 << QStringList{"LRL"}
        << QList<QRect>{large(0, 0), regular(302, 0), large(0, 61)};
    QTest::newRow("a large tile does not fit the last column")
        << 604 << 0 << QStringList{"RRRL"}
        << QList<QRect>{regular(0, 0), regular(151, 0), regular(302, 0), large(0, 61)};
    QTest::newRow("a large tile wider than the control gets its own row")
        << 150 << 0 << QStringList{"LR"} << QList<QRect>{large(0, 0), regular(0, 61)};
    QTest::newRow("the column count caps the width")
        << 453 << 1 << QStringList{"RRR"}
        << QList<QRect>{regular(0, 0), regular(0, 61), regular(0, 122)};
    QTest::newRow("groups stack with the group indent; hidden groups take no space")
        << 302 << 0 << QStringList{"RR", "-RRR", "", "R"}
        << QList<QRect>{regular(0, 0), regular(151, 0), QRect(), QRect(), QRect(), regular(0, 65)};
    QTest::newRow("ten rows per block, then a new block below")
        << 150 << 0 << QStringList{"RRRRRRRRRRRR", "R"}
        << QList<QRect>{regular(0, 0),   regular(0, 61),  regular(0, 122), regular(0, 183),
                        regular(0, 244), regular(0, 305), regular(0, 366), regular(0, 427),
                        regular(0, 488), regular(0, 549), regular(0, 614), regular(0, 675),
                        regular(0, 740)};
}

void TestTileControl::layout() {
    QFETCH(int, width);
    QFETCH(int, maxColumns);
    QFETCH(QStringList, groups);
    QFETCH(QList<QRect>, expected);

    for (bool growing : {false, true}) {
        auto control = makeControl(width, 2000);
        control->setGroupBlockMaxColumnCount(maxColumns);
        addGroups(*control, groups, growing);

        QCOMPARE(control->tileCount(), expected.size());
        for (int i = 0; i < control->tileCount(); ++i)
            QCOMPARE(control->tileRect(control->tile(i)), expected[i]);
    }
}

void TestTileControl::showingOneGroupByName() {
    auto control = makeControl(150);
    addGroups(*control, {"-RR", "-RRR", "-R"});
    for (int i = 0; i < control->groupCount(); ++i)
        control->group(i)->setName(QString("G%1").arg(i + 1));
    QCOMPARE(control->contentHeight(), 0);

    for (const QString& wanted : QStringList{"G2", "G3"}) {
        for (int i = 0; i < control->groupCount(); ++i)
            control->group(i)->setVisible(control->group(i)->name() == wanted);
        const TileGroup* shown = control->group(wanted == "G2" ? 1 : 2);
        QCOMPARE(control->tileRect(shown->tile(0)), regular(0, 0));
        QCOMPARE(control->tileAt(QPoint(10, 10)), shown->tile(0));
        QCOMPARE(control->contentHeight(), shown->tileCount() * 61 - 1);
    }
    QVERIFY(control->tileRect(control->group(1)->tile(0)).isNull());
}

void TestTileControl::lookups() {
    auto control = makeControl(302);
    addGroups(*control, {"RR", "R"});
    TileGroup* first = control->group(0);
    TileGroup* second = control->group(1);
    Tile* moved = control->tile(1);

    moved->setGroup(second);
    QCOMPARE(first->tileCount(), 1);
    QCOMPARE(second->tile(1), moved);
    QCOMPARE(moved->index(), 1);
    QCOMPARE(moved->indexInGroup(), 1);
    QCOMPARE(control->tileRect(moved), regular(151, 65));

    QVERIFY_THROWS_EXCEPTION(std::out_of_range, control->group(2));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, control->tile(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, first->tile(1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, moved->setText(4, "x"));
    TileControl other;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, other.addTile(first));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, moved->setGroup(other.addGroup()));

    control->removeAllTiles();
    QCOMPARE(control->tileCount(), 0);
    QCOMPARE(control->groupCount(), 2);
    QCOMPARE(second->tileCount(), 0);

    addGroups(*control, {"RRR"});
    control->removeAllGroups();
    QCOMPARE(control->groupCount(), 0);
    QCOMPARE(control->tileCount(), 0);
}

void TestTileControl::clickByMouse() {
    auto control = makeControl(302, 200);
    addGroups(*control, {"RL"});
    QList<Tile*> clicked;
    for (int i = 0; i < control->tileCount(); ++i)
        control->tile(i)->setClickHandler([&clicked](Tile* tile) { clicked << tile; });
    control->show();
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));

    Tile* largeTile = control->tile(1);
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, control->tileRect(largeTile).center());
    QCOMPARE(clicked, QList<Tile*>{largeTile});
    QCOMPARE(control->focusedTile(), largeTile);

    // Empty space and other buttons click nothing.
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, QPoint(200, 30));
    QTest::mouseClick(control.get(), Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.size(), 1);
}

void TestTileControl::clickFromCode() {
    auto control = makeControl(302);
    addGroups(*control, {"RR"});
    Tile* target = control->tile(1);
    Tile* focusedDuringHandler = nullptr;
    Tile* sender = nullptr;
    target->setClickHandler([&](Tile* tile) {
        sender = tile;
        focusedDuringHandler = control->focusedTile();
    });
    QCOMPARE(control->focusedTile(), nullptr);

    control->click(target);
    QCOMPARE(sender, target);
    QCOMPARE(focusedDuringHandler, target);
    QCOMPARE(control->focusedTile(), target);

    control->click(control->tile(0)); // no handler: focus moves all the same
    QCOMPARE(control->focusedTile(), control->tile(0));
}

void TestTileControl::handlerRemovesAllTiles_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("mouse click") << true;
    QTest::newRow("click from code") << false;
}

// The board is rebuilt inside a tile's click handler, with events pumped in between.
void TestTileControl::handlerRemovesAllTiles() {
    QFETCH(bool, byMouse);
    auto control = makeControl(302, 200);
    addGroups(*control, {"RR"});
    int runs = 0;
    auto rebuild = [&control, &runs](Tile*) {
        ++runs;
        control->removeAllTiles();
        control->removeAllGroups();
        QCoreApplication::processEvents();
        addGroups(*control, {"L"});
        QCoreApplication::processEvents();
    };
    control->tile(0)->setClickHandler(rebuild);
    control->show();
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));

    if (byMouse)
        QTest::mouseClick(control.get(), Qt::LeftButton, {}, QPoint(20, 20));
    else
        control->click(control->tile(0));

    QCOMPARE(runs, 1);
    QCOMPARE(control->tileCount(), 1);
    QCOMPARE(control->focusedTile(), nullptr);
    QVERIFY(!control->grab().isNull());
}

void TestTileControl::pressedTileRemovedBeforeRelease() {
    auto control = makeControl(302, 200);
    addGroups(*control, {"R"});
    control->show();
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));

    QTest::mousePress(control.get(), Qt::LeftButton, {}, QPoint(20, 20));
    control->removeAllTiles();
    addGroups(*control, {"R"});
    int runs = 0;
    control->tile(0)->setClickHandler([&runs](Tile*) { ++runs; });
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(runs, 0);
}

void TestTileControl::slotFont_data() {
    QTest::addColumn<int>("property"); // 0 none, 1 size, 2 bold, 3 colour
    QTest::addColumn<bool>("ownFont");
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("color");

    // The control's font is 14 pt bold; the tile's general font colour is green.
    QTest::newRow("general font until a property is set")
        << 0 << false << 14 << true << QColor(Qt::green);
    QTest::newRow("size: own font, regular, black")
        << 1 << true << 24 << false << QColor(Qt::black);
    QTest::newRow("bold: own font at the default size")
        << 2 << true << 14 << true << QColor(Qt::black);
    QTest::newRow("colour: own font, regular") << 3 << true << 14 << false << QColor(Qt::blue);
}

void TestTileControl::slotFont() {
    QFETCH(int, property);
    QFETCH(bool, ownFont);
    QFETCH(int, pointSize);
    QFETCH(bool, bold);
    QFETCH(QColor, color);

    auto control = makeControl(302);
    QFont general("Liberation Sans", 14);
    general.setBold(true);
    control->setFont(general);
    addGroups(*control, {"R"});
    Tile* tile = control->tile(0);
    tile->setFontColor(Qt::green);
    if (property == 1)
        tile->setTextFontSize(2, 24);
    else if (property == 2)
        tile->setTextBold(2, true);
    else if (property == 3)
        tile->setTextColor(2, Qt::blue);

    const TileText& text = tile->textSlot(2);
    QCOMPARE(text.ownFont, ownFont);
    const QFont font = control->textFont(text);
    QCOMPARE(font.family(), general.family());
    QCOMPARE(font.pointSize(), pointSize);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(control->textColor(*tile, text), color);
    // The other slots keep the general font.
    QCOMPARE(control->textFont(tile->textSlot(0)), general);
}

void TestTileControl::paintsFillAndFocus() {
    auto control = makeControl(453, 130);
    addGroups(*control, {"RL", "-R"});
    Tile* gradientTile = control->tile(1);
    gradientTile->setGradientBeginColor(Qt::blue);
    gradientTile->setGradientEndColor(Qt::yellow);
    control->click(control->tile(0));

    const QImage image = control->grab().toImage();
    QCOMPARE(image.pixelColor(75, 30), Fill);
    QCOMPARE(image.pixelColor(1, 30), QColor(Qt::black));   // focus frame
    QCOMPARE(image.pixelColor(75, 100), QColor(Qt::white)); // hidden group: background
    const QColor top = image.pixelColor(300, 1);
    const QColor bottom = image.pixelColor(300, 58);
    QVERIFY(top.blue() > 200 && top.red() < 60);
    QVERIFY(bottom.red() > 200 && bottom.blue() < 60);
}

void TestTileControl::textPlacement_data() {
    QTest::addColumn<TilePlacement>("placement");
    QTest::addColumn<int>("column"); // expected third of the tile: 0 left .. 2 right
    QTest::addColumn<int>("row");    // 0 top .. 2 bottom

    QTest::newRow("top left") << TilePlacement::TopLeft << 0 << 0;
    QTest::newRow("top centre") << TilePlacement::TopCenter << 1 << 0;
    QTest::newRow("top right") << TilePlacement::TopRight << 2 << 0;
    QTest::newRow("middle left") << TilePlacement::MiddleLeft << 0 << 1;
    QTest::newRow("middle centre") << TilePlacement::MiddleCenter << 1 << 1;
    QTest::newRow("middle right") << TilePlacement::MiddleRight << 2 << 1;
    QTest::newRow("bottom left") << TilePlacement::BottomLeft << 0 << 2;
    QTest::newRow("bottom centre") << TilePlacement::BottomCenter << 1 << 2;
    QTest::newRow("bottom right") << TilePlacement::BottomRight << 2 << 2;
}

void TestTileControl::textPlacement() {
    QFETCH(TilePlacement, placement);
    QFETCH(int, column);
    QFETCH(int, row);

    auto control = makeControl(150, 60);
    control->setFont(QFont("Liberation Sans", 8));
    addGroups(*control, {"R"});
    Tile* tile = control->tile(0);
    tile->setText(1, "8");
    tile->setTextPlacement(1, placement);

    const QImage image = control->grab().toImage();
    const QRect ink = inkBox(image, QRect(0, 0, 150, 60), Fill);
    QVERIFY(!ink.isNull());
    QCOMPARE(ink.center().x() / 50, column);
    QCOMPARE(ink.center().y() / 20, row);
}

void TestTileControl::scrolling() {
    auto control = makeControl(150, 200);
    addGroups(*control, {"RRRRRR"}); // 6 rows of 61 pixels: 365 high
    control->show();
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));
    QCOMPARE(control->maxScrollPosition(), 165);
    QVERIFY(control->scrollUpButton().isNull());
    QVERIFY(!control->scrollDownButton().isNull());

    QTest::mouseClick(control.get(), Qt::LeftButton, {}, control->scrollDownButton().center());
    QCOMPARE(control->scrollPosition(), 61);
    QVERIFY(!control->scrollUpButton().isNull());
    QCOMPARE(control->tileAt(QPoint(20, 20)), control->tile(1));
    QCOMPARE(control->tileRect(control->tile(1)), regular(0, 0));

    QWheelEvent down(QPointF(20, 100), control->mapToGlobal(QPointF(20, 100)), QPoint(),
                     QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(control.get(), &down);
    QCOMPARE(control->scrollPosition(), 165);
    QVERIFY(control->scrollDownButton().isNull());

    // A rebuild that leaves less content brings the view back within it.
    control->removeAllTiles();
    QCOMPARE(control->maxScrollPosition(), 0);
    QCOMPARE(control->scrollPosition(), 0);
}

// Tiles added while the board is on screen repaint only where they land; what reaches
// the screen must still be the whole picture.
void TestTileControl::screenMatchesFullPaintWhileGrowing() {
    auto control = makeControl(453, 200);
    control->show();
    QVERIFY(QTest::qWaitForWindowExposed(control.get()));
    TileGroup* group = control->addGroup();
    for (int i = 0; i < 9; ++i) {
        Tile* tile = control->addTile(group);
        tile->setText(0, QString::number(i));
        if (i % 3 == 1)
            tile->setSize(TileSize::Large);
        QCoreApplication::processEvents();
    }
    control->click(control->tile(4));
    QCoreApplication::processEvents();

    const QImage onScreen = control->screen()
                                ->grabWindow(control->winId())
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
    const QImage full = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(onScreen.size(), full.size());
    QCOMPARE(onScreen, full);
}

QTEST_MAIN(TestTileControl)
#include "test_tilecontrol.moc"
