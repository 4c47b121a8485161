#pragma once
// The big picture window: the photographs of one species (or of one of its
// subspecies), one at a time, with buttons to step to the previous and next
// picture, to show the picture's information and its photographer's credit,
// and to change the background colour of every big picture window.
//
// Maximised, a picture is drawn in its own size, centred or scrolled;
// otherwise it is scaled to the window keeping its proportions, smoothly and
// at the screen's pixel ratio. A picture shown at less than half its size is
// decoded at a reduced scale.
//
// Showing a picture (show_picture) is kept apart from stepping through the
// species' pictures, so that the slide show can show pictures of its choice
// in a window of this kind with NoNavigation set.
//
// Windows are made per request, belong to the application (no parent) and
// free themselves when closed; their pop-ups and map window go with them.
// User-interface thread only.

#include "widgets/UnderlinedItemsForm.h"

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QScrollBar;

namespace pemmaro {

struct CoreContext;
struct Tbig_picture;
struct Trecord_ssp_data;
struct Tspecies;
struct Tsubspecies;
class TPersonForm;
class TPictureInfoForm;

// The caller's title for a species and a picture's subspecies.
using PictureTitleProvider =
    std::function<std::string(const Tspecies&, const std::optional<Trecord_ssp_data>&)>;

// A picture button: never takes the focus and hands every key to the window,
// so that the arrow keys always step through the pictures.
class TBitBtn_picture : public QPushButton {
    Q_OBJECT

public:
    TBitBtn_picture(const char* glyph_resource, const QString& hint, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class TBigPictureForm : public QWidget {
    Q_OBJECT

public:
    // The context and the data set must outlive the window.
    TBigPictureForm(const CoreContext& context, UrlOpener open_url, QWidget* parent = nullptr);
    ~TBigPictureForm() override;

    // Sets the window up for the species' pictures (only those of
    // subspecies_only when given), starting at the picture (the first of the
    // set when none), and sizes it. False when there is nothing to show: the
    // user gave up looking for the file, or it cannot be read as a picture
    // (the user was told). The caller shows the window with show_as_set_up().
    bool SetUp(Tspecies& species, const Tsubspecies* subspecies_only, Tbig_picture* picture,
               PictureTitleProvider title_provider);
    // Maximised when the picture shows whole in its own size on the screen,
    // else at the largest size that shows it whole.
    void show_as_set_up();

    // Shows the picture (one of Species'); false, with the window unchanged,
    // when it cannot be loaded.
    bool show_picture(Tbig_picture& picture);
    // The previous or next picture of the set, when its button is visible.
    void step(bool forward);
    void show_information();
    void show_credit();
    void close_popups();
    void choose_background_colour();

    Tspecies* Species = nullptr;
    bool SubspeciesOnly = false;
    const Tsubspecies* Subspecies = nullptr;
    Tbig_picture* Picture = nullptr;
    PictureTitleProvider TitleProvider;
    double AspectRatio = 1.0; // height / width
    bool FitsEnlarged = false;
    bool NoNavigation = false;
    bool ShowInfoButton = true;
    TPictureInfoForm* InfoWindow = nullptr;
    TPersonForm* PersonWindow = nullptr;
    TBitBtn_picture* previous_button = nullptr;
    TBitBtn_picture* next_button = nullptr;
    TBitBtn_picture* information_button = nullptr;
    TBitBtn_picture* credit_button = nullptr;
    QPushButton* background_color_button = nullptr;

    // The colour dialog; none when cancelled. Tests answer it.
    std::function<std::optional<QColor>(QWidget* window, const QColor& current)> choose_colour;

    bool Zoomed() const;
    // The picture's own size, and its pixels as decoded (smaller when decoded at a scale).
    QSize picture_size() const { return picture_size_; }
    const QImage& decoded_picture() const { return image_; }
    // The client area without the scroll bars, and where the picture lies in it.
    QSize client_size() const;
    QRect picture_rect() const;
    QScrollBar* horizontal_scroll_bar() const { return horizontal_; }
    QScrollBar* vertical_scroll_bar() const { return vertical_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct LoadedPicture;
    std::optional<LoadedPicture> load(const Tbig_picture& picture, bool ask_for_data) const;
    void take(LoadedPicture loaded, Tbig_picture& picture);
    void update_caption();
    void lay_out();
    void lay_out_scroll_bars();
    void lay_out_buttons();
    bool neighbour_shown(bool forward) const;
    QSize shown_device_size(QSize picture) const;
    void decode_for(QSize device_size);
    const QImage& scaled_picture(QSize device_size);

    const CoreContext& context_;
    UrlOpener open_url_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    std::vector<std::uint8_t> file_bytes_; // of the picture shown, decoded again at another scale
    QSize picture_size_;
    QImage image_;
    int scale_denominator_ = 1;
    QImage scaled_;
    qint64 scaled_from_ = 0; // cache key of the image the scaled one was made from
};

// Opens the species' pictures as the line display does: the few-colours
// warning when due, then a new window with the first picture of the set,
// shown modeless. None when the user gave up looking for the file.
TBigPictureForm* ShowBigPictures(const CoreContext& context, UrlOpener open_url, Tspecies& species,
                                 const Tsubspecies* subspecies_only,
                                 PictureTitleProvider title_provider);

// The picture's file under the base directory.
std::string big_picture_file(const Tbig_picture& picture);

} // namespace pemmaro
