#pragma once

// Small value types shared by the tile control, its tiles and its groups.

enum class TileSize { Regular, Large };

enum class TilePlacement {
    TopLeft,
    TopCenter,
    TopRight,
    MiddleLeft,
    MiddleCenter,
    MiddleRight,
    BottomLeft,
    BottomCenter,
    BottomRight
};

// Only the vertical layout is in use: groups stacked top to bottom, tiles flowing
// left to right inside each group.
enum class TileGroupLayout { Vertical };
