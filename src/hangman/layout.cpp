#include "hangman/layout.h"

#include <algorithm>

namespace hangman {
namespace {
// The designed row of tiles: each a little wider than its step, so neighbours overlap slightly.
constexpr int TileLeft = 120;
constexpr int TileStep = 360;
constexpr int TileTop = 120;
constexpr int TileWidth = 375;
constexpr int TileHeight = 495;
constexpr int TilesPerRow = 26;
constexpr double TilePoints = 18;
// A second row stands just below the first, above the circles (which start 1320 twips down); the tiles of
// two rows spread over the designed row's width, each as much wider as its step, so a child's target grows.
constexpr int RowStep = 525;
constexpr int RowRight = TileLeft + TileStep * (TilesPerRow - 1) + TileWidth;

// The designed slots; longer words share the same width, with the same gap between slots.
constexpr int SlotLeft = 240;
constexpr int SlotStep = 1320;
constexpr int SlotTop = 4080;
constexpr int SlotWidth = 1215;
constexpr int SlotHeight = 1695;
constexpr int DesignedSlots = 7;
constexpr double SlotPoints = 72;
constexpr int SlotGap = SlotStep - SlotWidth;
constexpr int SlotsRight = SlotLeft + SlotStep * (DesignedSlots - 1) + SlotWidth;
} // namespace

std::optional<Layout> layoutFor(int tileCount, int longestWord) {
    if (tileCount < 1 || tileCount > MostTiles || longestWord > MostSlots)
        return std::nullopt;
    Layout layout;
    const int rows = (tileCount + TilesPerRow - 1) / TilesPerRow;
    const int perRow = (tileCount + rows - 1) / rows;
    const int step = rows == 1 ? TileStep : (RowRight - TileLeft - (TileWidth - TileStep)) / perRow;
    const int width = TileWidth + step - TileStep;
    for (int i = 0; i < tileCount; ++i)
        layout.tiles.emplace_back(TileLeft + step * (i % perRow), TileTop + RowStep * (i / perRow), width,
                                  TileHeight);
    layout.tilePoints = TilePoints;
    layout.countDrop = RowStep * (rows - 1);

    const int slotCount = std::max(longestWord, DesignedSlots);
    const int slotStep =
        slotCount == DesignedSlots ? SlotStep : (SlotsRight - SlotLeft + SlotGap) / slotCount;
    const int slotWidth = slotStep - SlotGap;
    for (int i = 0; i < slotCount; ++i)
        layout.wordSlots.emplace_back(SlotLeft + slotStep * i, SlotTop, slotWidth, SlotHeight);
    layout.slotPoints = SlotPoints * slotWidth / SlotWidth;
    return layout;
}

} // namespace hangman
