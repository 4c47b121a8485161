#include "maps_pictures/LocalitiesMap.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/TextLines.h"
#include "maps_pictures/MapComposition.h"
#include "maps_pictures/PictureFiles.h"
#include "platform/Ansi.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

namespace pemmaro {

namespace {

constexpr int hot_reach = 3;
const QPoint tooltip_offset(15, -3);

TLocalitiesMapForm* the_form = nullptr;

} // namespace

TLocalitiesMapForm::TLocalitiesMapForm(const CoreContext& context, UrlOpener open_url,
                                       QWidget* parent)
    : TMapForm(context, std::move(open_url), parent) {
    setObjectName("TLocalitiesMapForm");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(to_qstring(context.texts.text(site_descriptions::caption)));
    the_form = this;
}

TLocalitiesMapForm::~TLocalitiesMapForm() {
    if (the_form == this)
        the_form = nullptr;
}

void TLocalitiesMapForm::show_site_descriptions(const Tdata& data_set, QWidget* owner) {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    ShowMap(nullptr, nullptr, false, {});
    if (!markers_built_) {
        markers_ = locality_markers(data_set, MainMap);
        markers_built_ = true;
    }
    const QPoint map_corner(MainMap.LeftMargin, MainMap.TopMargin);
    for (const Txy& marker : markers_) {
        if (marker.OnMainMap)
            DrawLocalityMarker(MapBitmap, marker.MainPoint - map_corner, locality_marker_colour,
                               true);
    }
    invalidate_canvas();
    index_under_mouse_ = -1;
    QRect placed = frameGeometry();
    placed.moveCenter(work_area().center());
    move(placed.topLeft());
    // Modal to the whole program, the map would also block the browser window
    // of the page it opens: it is modal to the window that asked for it.
    setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    winId();
    windowHandle()->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
    show();
    raise();
    activateWindow();
}

QPoint TLocalitiesMapForm::map_shift() const {
    return map_origin() - QPoint(MainMap.LeftMargin, MainMap.TopMargin);
}

int TLocalitiesMapForm::marker_at(QPoint point) const {
    const QPoint unscrolled =
        point + QPoint(horizontal_scroll_position(), vertical_scroll_position());
    return LocalityAt(markers_, unscrolled - map_shift());
}

bool TLocalitiesMapForm::IsItemUnderMouse(int x, int y) {
    // y comes unscrolled already.
    return marker_at({x, y - vertical_scroll_position()}) >= 0;
}

void TLocalitiesMapForm::mouseMoveEvent(QMouseEvent* event) {
    TMapForm::mouseMoveEvent(event);
    const int index = marker_at(event->position().toPoint());
    if (index == index_under_mouse_)
        return;
    close_tooltip(tooltip_);
    index_under_mouse_ = index;
    if (index >= 0)
        show_tooltip_of(index);
}

void TLocalitiesMapForm::show_tooltip_of(int index) {
    const Txy& marker = markers_[static_cast<std::size_t>(index)];
    const QPoint point = (marker.OnMainMap ? marker.MainPoint : marker.InsetPoint) + map_shift() -
                         QPoint(horizontal_scroll_position(), vertical_scroll_position());
    const QRect hot(mapToGlobal(point - QPoint(hot_reach, hot_reach)),
                    mapToGlobal(point + QPoint(hot_reach, hot_reach)));
    const DisplayFont& font = context().fonts.normal();
    const TooltipText text = locality_tooltip_text(*marker.locality, context().texts, font,
                                                   text_measurer(), work_area().width());
    ShowTooltip(this, font, mapToGlobal(point + tooltip_offset), tooltip_, text.text, hot,
                text.lines, text.width);
}

void TLocalitiesMapForm::mousePressEvent(QMouseEvent* event) {
    const int index = marker_at(event->position().toPoint());
    if (index < 0)
        return;
    close_tooltip(tooltip_);
    index_under_mouse_ = -1;
    open_site_description_of(*markers_[static_cast<std::size_t>(index)].locality);
}

void TLocalitiesMapForm::closeEvent(QCloseEvent* event) {
    TMapForm::closeEvent(event);
    close_tooltip(tooltip_);
    index_under_mouse_ = -1;
}

TLocalitiesMapForm* localities_map_form() {
    return the_form;
}

} // namespace pemmaro
