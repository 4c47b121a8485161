#pragma once
// The map of a select-area window as the user sees it: the map bitmap with
// each selectable sub-region filled green when selected and white when not.
// A click recolours the piece of land under it and then every other piece of
// the same sub-region, so that a sub-region of several islands changes as one.
//
// No window: the select-area window shows this canvas and forwards its clicks.

#include <QImage>
#include <QPoint>
#include <functional>
#include <vector>

namespace pemmaro {

inline constexpr QRgb area_selected_colour = qRgb(0, 255, 0);
inline constexpr QRgb area_unselected_colour = qRgb(255, 255, 255);

class AreaSelectionCanvas;

// One clickable sub-region.
class TAreaItemHandler {
public:
    TAreaItemHandler(AreaSelectionCanvas& owner, std::vector<QPoint> seed_points);

    bool Selected = false;
    // A point inside each separate piece of land, in map pixels.
    std::vector<QPoint> SeedPoints;

    // Stores the value and fills the sub-region's pieces with its colour.
    void SetSelected(bool value);
    void Paint();

private:
    AreaSelectionCanvas* Owner;
};

class AreaSelectionCanvas {
public:
    // One item per entry of seed_points, indexed alike; selectable decides
    // which items the map shows and a click can change.
    AreaSelectionCanvas(QImage map_bitmap, const std::vector<std::vector<QPoint>>& seed_points,
                        std::function<bool(int index)> selectable);
    AreaSelectionCanvas(const AreaSelectionCanvas&) = delete;
    AreaSelectionCanvas& operator=(const AreaSelectionCanvas&) = delete;

    const QImage& canvas() const { return canvas_; }
    QImage& canvas() { return canvas_; }
    const QImage& MapBitmap() const { return map_bitmap_; }
    int item_count() const { return static_cast<int>(Items.size()); }
    TAreaItemHandler& item(int index) { return Items[static_cast<std::size_t>(index)]; }
    bool IsItemSelectable(int index) const { return selectable_(index); }

    // Stores every item's state without painting, then draws the whole map
    // anew: the map bitmap, then each selectable item in index order.
    void set_states(const std::vector<bool>& selected);
    void Paint();
    // A click on the map; false when the point is neither white nor green
    // (sea, border, label) and nothing changed.
    bool click(QPoint point);
    void clear_or_select_all(bool select);
    bool any_selected() const;

private:
    QImage map_bitmap_;
    QImage canvas_;
    std::vector<TAreaItemHandler> Items;
    std::function<bool(int)> selectable_;
};

} // namespace pemmaro
