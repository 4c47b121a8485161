#pragma once
// The information pop-up of a big picture: the picture's subspecies, caption,
// locality and date. The locality is underlined; a click on it (or Ctrl+M in
// the picture window) opens the species' map with the place marked, in a map
// window of the pop-up's own that closes with it.
//
// User-interface thread only.

#include "maps_pictures/MapWindow.h"
#include "widgets/UnderlinedItemsForm.h"

#include <QPointer>
#include <string>

namespace pemmaro {

struct CoreContext;
struct Tbig_picture;
struct Tlocality;
struct Tspecies;
class Ttextfile_handler;

// The pop-up's marked-up text for the picture.
std::string picture_information_text(const Tbig_picture& picture, const Ttextfile_handler& texts);

class TPictureInfoForm : public TFormWithUnderlinedItems {
    Q_OBJECT

public:
    // parent: the big picture window, inside whose client area the pop-up
    // stays; the map window belongs to it too. The context must outlive both.
    TPictureInfoForm(const CoreContext& context, UrlOpener open_url, QWidget* parent);
    ~TPictureInfoForm() override;

    // At the point (global coordinates). The title is the map window's caption.
    void Show(QPoint position, const std::string& text, const Tlocality* locality,
              const std::string& title, const Tspecies* species);

    // Opens the map of the locality unless it is showing already.
    void open_map();
    TMapForm* map_window() const { return map_; }
    int line_count() const { return line_count_; }

    bool IsItemUnderMouse(int x, int y) override;

protected:
    void paint_canvas(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const CoreContext& context_;
    QPointer<TMapForm> map_;
    std::string text_; // wrapped
    int line_count_ = 0;
    int line_height_ = 15;
    const Tlocality* locality_ = nullptr;
    const Tspecies* species_ = nullptr;
    std::string title_;
};

} // namespace pemmaro
