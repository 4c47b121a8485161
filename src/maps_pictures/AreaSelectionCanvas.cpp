#include "maps_pictures/AreaSelectionCanvas.h"

#include "maps_pictures/MapFill.h"

#include <algorithm>

namespace pemmaro {

namespace {

QRgb opaque(QRgb colour) {
    return colour & 0xffffffu;
}

bool is_green(const QImage& canvas, QPoint point) {
    return canvas.rect().contains(point) &&
           opaque(canvas.pixel(point)) == opaque(area_selected_colour);
}

} // namespace

TAreaItemHandler::TAreaItemHandler(AreaSelectionCanvas& owner, std::vector<QPoint> seed_points)
    : SeedPoints(std::move(seed_points))
    , Owner(&owner) {}

void TAreaItemHandler::SetSelected(bool value) {
    Selected = value;
    Paint();
}

void TAreaItemHandler::Paint() {
    const QRgb colour = Selected ? area_selected_colour : area_unselected_colour;
    for (const QPoint seed : SeedPoints)
        FloodFillToBorder(Owner->canvas(), seed, colour);
}

AreaSelectionCanvas::AreaSelectionCanvas(QImage map_bitmap,
                                         const std::vector<std::vector<QPoint>>& seed_points,
                                         std::function<bool(int index)> selectable)
    : map_bitmap_(std::move(map_bitmap))
    , selectable_(std::move(selectable)) {
    Items.reserve(seed_points.size());
    for (const std::vector<QPoint>& points : seed_points)
        Items.emplace_back(*this, points);
    Paint();
}

void AreaSelectionCanvas::set_states(const std::vector<bool>& selected) {
    for (std::size_t index = 0; index < Items.size() && index < selected.size(); ++index)
        Items[index].Selected = selected[index];
    Paint();
}

void AreaSelectionCanvas::Paint() {
    canvas_ = map_bitmap_.convertToFormat(QImage::Format_RGB32);
    for (int index = 0; index < item_count(); ++index) {
        if (IsItemSelectable(index))
            item(index).Paint();
    }
}

bool AreaSelectionCanvas::click(QPoint point) {
    if (!canvas_.rect().contains(point))
        return false;
    const QRgb pixel = opaque(canvas_.pixel(point));
    const bool green = pixel == opaque(area_selected_colour);
    if (!green && pixel != opaque(area_unselected_colour))
        return false;
    FloodFillToBorder(canvas_, point, green ? area_unselected_colour : area_selected_colour);
    // The clicked piece tells which item changed; its other pieces follow.
    for (int index = 0; index < item_count(); ++index) {
        if (!IsItemSelectable(index))
            continue;
        TAreaItemHandler& handler = item(index);
        const bool changed =
            std::any_of(handler.SeedPoints.begin(), handler.SeedPoints.end(),
                        [&](QPoint seed) { return is_green(canvas_, seed) != handler.Selected; });
        if (changed)
            handler.SetSelected(!handler.Selected);
    }
    return true;
}

void AreaSelectionCanvas::clear_or_select_all(bool select) {
    for (int index = 0; index < item_count(); ++index) {
        if (IsItemSelectable(index))
            item(index).SetSelected(select);
    }
}

bool AreaSelectionCanvas::any_selected() const {
    return std::any_of(Items.begin(), Items.end(),
                       [](const TAreaItemHandler& handler) { return handler.Selected; });
}

} // namespace pemmaro
