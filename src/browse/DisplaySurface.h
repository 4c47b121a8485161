#pragma once
// The display surface of a browsing window: a scrolling area that paints the
// window's display lines into a back buffer and shows it, places the sound
// bars on their lines, follows the mouse (hand cursor over anything
// clickable), turns clicks into folds and into opening windows, moves the
// keyboard cursor (the current line) and reports where it is.
//
// The surface owns its display lines and the sound bars placed on them (child
// widgets of its viewport, ended with their lines). User-interface thread only.

#include "browse/DisplayLines.h"
#include "data/SoundBarSeam.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <memory>
#include <string>

namespace pemmaro {

// What a surface uses of the rest of the program.
struct DisplaySurfaceServices {
    SoundBarFactory make_sound_bar;               // none: recording lines get no bar
    SmallPictureSource* small_pictures = nullptr; // none: no small pictures
};

// What the surface asks its window to do; each may be left empty (the window
// of that kind does not exist yet): the click or key then does nothing.
// Pop-up positions are in global (screen) coordinates.
struct ShowFormActions {
    std::function<void(Tspecies&, Tsubspecies*)> open_pictures;
    std::function<void(Tspecies&, Tlocality*)> open_map;
    std::function<void(Tperson&, QPoint)> open_person;
    std::function<void(QPoint)> open_threat_explanation;
    std::function<void(TaudioCD&, QPoint)> open_audio_cd_information;
    // Before any key: the person, threatened-status and audio CD pop-ups go.
    std::function<void()> close_popups;
    std::function<void()> find;
    std::function<void()> find_again;
    std::function<void(bool forward)> switch_window; // Ctrl+Tab, Ctrl+Shift+Tab
    // The current line changed: whether it is a sound bar line and whether
    // its recording is a sound file (the window's sound menu follows).
    std::function<void(bool sound_bar, bool sound_file)> current_line_changed;
    std::function<void(const QString& text)> status_text_changed;
    // A key that cannot act; empty: QApplication::beep().
    std::function<void()> beep;
};

class TShowForm : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The context's product, texts and fonts build the lines; it must outlive the surface.
    TShowForm(const Tdata& data, const CoreContext& context, DisplaySurfaceServices services,
              QWidget* parent = nullptr);
    ~TShowForm() override;

    // From options with a saved fold state (restored and first windows).
    void build_from_options(const SHST_TShowStringsData& options, const DisplayState& state);
    // As a copy of another window's display (new windows and show windows).
    void build_as_copy(const TShowForm& other);

    TShowStrings& display();
    const TShowStrings& display() const;
    // After changing the lines through display() (the surface's own folds need
    // no call): the scroll range, the drawing and the cursor's rows follow.
    void lines_changed();
    ShowFormActions actions;

    void fold_all();
    // Species unfolded without their small picture show it when it can now
    // be found (the base directory changed).
    void refresh_small_pictures();
    void apply_name_options(std::uint32_t name_options);
    // Finds the next family or species whose names contain the text; returns found.
    bool go_to_species(const std::string& text, bool from_top, bool all_names);
    void set_current_line(Line line);
    // Scrolls the current line to the middle of the surface (the shows).
    void centre_current_line();
    QString status_text() const;
    DisplayState state_for_saving() const;
    void set_soundbar_dragging(bool automatic);
    // The window became active / inactive: the current line's highlight follows.
    void set_active(bool active);
    // The line of the current sound bar, when the current line is one.
    SoundBarRecord* current_sound_bar();
    // The bar placed on the current line, when it is a sound bar line on screen.
    SoundBarControl* current_sound_bar_control();

    // What the last paint drew (tests read pixels from it).
    const QImage& back_buffer() const;
    int scroll_position() const;
    void scroll_to(int position);
    int page_step() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override; // applies the saved scroll position
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override; // Tab moves the cursor instead

private:
    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace pemmaro
