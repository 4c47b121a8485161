#pragma once
// The inside of the display surface, shared by its drawing and its input
// handling (DisplaySurface.cpp, DisplaySurfaceInput.cpp); nothing else includes it.

#include "browse/DisplayCursor.h"
#include "browse/DisplaySurface.h"
#include "browse/LineDrawing.h"
#include "browse/SoundBarList.h"

#include <QPointer>
#include <climits>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace pemmaro {

namespace show_form {

inline constexpr int everything = INT_MAX / 2; // a band reaching the list's end

// A bar belongs to the record of its line; the bar itself is a child of the
// surface, and when the surface ends it first the pointer clears itself.
class SoundBarHolder : public PlacedSoundBar {
public:
    explicit SoundBarHolder(SoundBarControl* bar)
        : widget_(&bar->widget())
        , bar_(bar) {}
    ~SoundBarHolder() override { delete widget_.data(); }
    SoundBarHolder(const SoundBarHolder&) = delete;
    SoundBarHolder& operator=(const SoundBarHolder&) = delete;
    SoundBarControl* bar() const { return widget_ ? bar_ : nullptr; }

private:
    QPointer<QWidget> widget_;
    SoundBarControl* bar_;
};

inline SoundBarControl* bar_of(const SHST_TShowString& line) {
    if (!line.sound_bar || !line.sound_bar->control)
        return nullptr;
    const auto* holder = dynamic_cast<const SoundBarHolder*>(line.sound_bar->control.get());
    return holder ? holder->bar() : nullptr;
}

// A bar on screen; one its line ended is passed over.
struct ShownBar {
    QPointer<QWidget> alive;
    SoundBarControl* bar;
};

// What a click found; acted on once the examination is over.
struct ClickHit {
    Line line;
    bool left_half = false;
};

} // namespace show_form

struct TShowForm::Private {
    Private(TShowForm& owner, const Tdata& data, const CoreContext& context,
            DisplaySurfaceServices services);

    TShowForm& form;
    DisplaySurfaceServices services;
    TShowStrings display;
    Tsound_bars bars;
    // The bars on screen. Bars out of sight are hidden and left where they
    // are, so a scroll moves only these; drawing a bar's line places it again
    // (a display fully unfolded and scrolled through holds thousands).
    std::vector<show_form::ShownBar> placed_bars;
    int page_step = 0;
    std::optional<int> initial_scroll;
    QImage buffer;
    int buffer_top = 0; // list y of the buffer's first row
    // Bands of the list (top, bottom) whose pixels in the buffer are out of date.
    std::vector<std::pair<int, int>> dirty;
    int top_offset = 0; // list y of the display's top line
    int total_height = 0;
    bool active = false;
    bool dragging = false;
    bool hand_cursor = false;
    QString last_status;
    std::optional<Line> family_header;
    std::optional<Line> species_header;

    // Drawing.
    void ensure_rendered();
    void shift_buffer(int rows);
    void render_band(int top, int bottom);
    std::pair<Line, int> locate(int update_top);
    LineDrawing line_drawing();
    void place_sound_bar(Line line, QPoint& pen);
    void scroll_bars(int distance);
    void hide_bars(bool all); // else those out of view
    void invalidate(int top, int bottom);
    void invalidate_all();
    void invalidate_line(const SHST_TShowString& line);

    // Places.
    bool fully_visible(Line line);
    std::optional<show_form::ClickHit> click_hit(Line line, QPoint p, const LineDrawing& drawing);

    // Structure.
    void after_structure_change();
    void change_heights_in_place(const std::function<void()>& change);
    void rewrap_if_width_changed();
    void update_scroll_range();
    bool apply_fold(Line box, bool only_unfold, bool only_fold);
    int fold_key_of(Line box);
    void mend_family_numbers();
    DisplayCursor cursor() { return DisplayCursor(display.lines()); }

    // The cursor.
    void set_current_line(Line line);
    void refresh_headers();
    void move_current(bool forward);
    void focus_current_bar();
    void fold_current(bool only_unfold, bool only_fold);
    void map_key();
    void pictures_key();
    void go_to_first_family();
    void go_to_last_stop();
    bool key(int key, Qt::KeyboardModifiers modifiers);
    void click(QPoint point);
    void hover(QPoint point);
    void act(const show_form::ClickHit& hit, QPoint point);
    void act_on_media_mark(const show_form::ClickHit& hit);

    QString status_text();
    void refresh_status(bool always);
    void beep();
    QPoint popup_point(QPoint point);
    int client_height() const { return form.viewport()->height(); }
    int scroll_bar_height() { return display.environment().geometry.horizontal_scroll_bar_height; }
};

} // namespace pemmaro
