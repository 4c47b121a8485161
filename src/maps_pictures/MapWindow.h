#pragma once
// The distribution map window: a base map with, as the case may be, a
// species' range laid over it and a place marked on it, and below the map the
// species' distribution text and the place's name, description, province and
// coordinates. The place's name links to its site description.
//
// Opened for a species from the line display (a new window each time, freed
// when closed), and the base of the localities map. User-interface thread only.

#include "maps_pictures/MapGeometry.h"
#include "maps_pictures/MapText.h"
#include "widgets/UnderlinedItemsForm.h"

#include <QImage>
#include <string>

class QPushButton;
class QScrollBar;
class QTimer;

namespace pemmaro {

struct CoreContext;
struct Tspecies;
struct Tlocality;

class TMapForm : public TFormWithUnderlinedItems {
    Q_OBJECT

public:
    // The context's texts, fonts and product serve the window's life.
    TMapForm(const CoreContext& context, UrlOpener open_url, QWidget* parent = nullptr);

    // Sets the window up for the species (its range, none for no species) and
    // the locality (marked, none for no place); the caller shows it. An empty
    // title with no locality leaves the caption as it is.
    void ShowMap(const Tspecies* species, const Tlocality* locality, bool free_on_close,
                 const std::string& title);

    QPushButton* OK_Button = nullptr;
    QTimer* Timer = nullptr;

    const Tspecies* Species = nullptr;
    const Tlocality* Locality = nullptr;
    bool FreeOnClose = false;
    DATA_Tmap_data MainMap = region_map_record();
    GeoPosition LocalityDegrees;
    QPoint LocalityPoint;
    bool LocalityOnMap = false;
    bool HasDistributionText = false;
    bool HasText = false;
    bool HasMapFile = false;
    QImage MapBitmap; // the composed map picture
    // Painting waits for the first scroll to the end of the text.
    bool WaitingForScroll = false;
    MapTextBlock Text;
    int LinkTop = 0; // where the title's link is underlined, unscrolled

    bool IsItemUnderMouse(int x, int y) override;
    QScrollBar* vertical_scroll_bar() const { return vertical_; }
    QScrollBar* horizontal_scroll_bar() const { return horizontal_; }
    // Where the map's top-left pixel lies in the unscrolled window.
    QPoint map_origin() const;
    int horizontal_scroll_position() const;
    // Opens the locality's site description when it has one.
    void open_site_description_of(const Tlocality& locality);

protected:
    const CoreContext& context() const { return context_; }
    void paint_canvas(QPainter& painter) override;
    int vertical_scroll_position() const override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void TimerTimer();
    int line_height() const;
    void size_window(QSize client, bool maximize);
    void lay_out_controls();
    void paint_tick_marks(QPainter& painter, QPoint origin) const;
    void paint_text(QPainter& painter);
    bool scroll_by_key(int key);

    const CoreContext& context_;
    UrlOpener open_url_;
    QScrollBar* vertical_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
    bool vertical_shown_ = false;
    bool horizontal_shown_ = false;
    int content_width_ = 0;
    int content_height_ = 0;
};

// Opens a map window for the species as the line display does: modeless,
// above its owner, freed when closed.
TMapForm* open_species_map(const CoreContext& context, UrlOpener open_url, QWidget* owner,
                           const Tspecies& species, const Tlocality* locality,
                           const std::string& title);

} // namespace pemmaro
