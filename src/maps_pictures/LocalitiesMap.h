#pragma once
// The localities map: the region map with a red marker on every locality that
// has a site description. Pointing at a marker shows a tooltip with the
// locality's name, description and page; a click opens the page in the web
// browser window. One window for the whole program, made hidden at start-up
// and shown modally on each request; its markers are placed at the first
// showing and kept.
//
// User-interface thread only.

#include "maps_pictures/LocalityMarkers.h"
#include "maps_pictures/MapWindow.h"
#include "maps_pictures/TooltipWindow.h"

#include <QPointer>
#include <vector>

namespace pemmaro {

class Tdata;

class TLocalitiesMapForm : public TMapForm {
    Q_OBJECT

public:
    TLocalitiesMapForm(const CoreContext& context, UrlOpener open_url, QWidget* parent = nullptr);
    ~TLocalitiesMapForm() override;

    // Sets the window up without species and place, and shows it modally over
    // the owner's window (all windows without an owner). Pages it opens come in
    // windows of their own that stay usable meanwhile.
    void show_site_descriptions(const Tdata& data_set, QWidget* owner = nullptr);

    const std::vector<Txy>& markers() const { return markers_; }
    // The index of the marker at a point of the window as it shows now
    // (scrolled); -1 for none.
    int marker_at(QPoint point) const;
    bool IsItemUnderMouse(int x, int y) override;
    TTooltipForm* tooltip() const { return tooltip_; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // How far the map has moved from its place in an unscrolled window of
    // its own size (a maximised window centres it).
    QPoint map_shift() const;
    void show_tooltip_of(int index);

    std::vector<Txy> markers_;
    bool markers_built_ = false;
    int index_under_mouse_ = -1;
    QPointer<TTooltipForm> tooltip_;
};

// The window made at start-up; none before it and after it is gone.
TLocalitiesMapForm* localities_map_form();

} // namespace pemmaro
