// The display surface: painting from its back buffer, placing the sound bars,
// folding and the surface's events.

#include "browse/DisplaySurface.h"

#include "browse/DisplayBitmaps.h"
#include "browse/DisplaySurfacePrivate.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace pemmaro {

using namespace show_form;

namespace {

constexpr int first_line_margin = 150; // text and bitmaps reach above their line's top
constexpr int last_line_margin = 15;
constexpr int text_below_pen = 12; // the baseline of a line's text
constexpr int scroll_range_extra = 100;
constexpr int family_fold_factor = 80000;

// A sound bar is placed with its top scroll_bar_height - 2 above the pen of
// its line: a row of texts in the viewport's font, then 16 pixels of button and
// scroll bar, with a one-pixel frame round the whole.
int sound_bar_reach(const QWidget& viewport, int scroll_bar_height) {
    const int text_row = QFontMetrics(viewport.font()).height() + 1;
    return -(scroll_bar_height - 2) + text_row + 16 + 1;
}

bool is_highlighted_kind(LineKind kind) {
    return is_name_line(kind) || kind == lkSpeciesExtra || kind == lkRecordingLabel;
}

} // namespace

TShowForm::Private::Private(TShowForm& owner, const Tdata& data, const CoreContext& context,
                            DisplaySurfaceServices surface_services)
    : form(owner)
    , services(std::move(surface_services))
    , display(TShowStrings::Environment{
          &data, &context, &text_measurer(),
          DisplayGeometry{owner.width(), owner.style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                          owner.style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                          screen_properties().screen_colour_count},
          display_bitmap_sizes(), services.small_pictures}) {}

// ---- Drawing

void TShowForm::Private::ensure_rendered() {
    QWidget* viewport = form.viewport();
    const qreal ratio = viewport->devicePixelRatioF();
    const QSize size = viewport->size();
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    const int scroll = form.scroll_position();
    if (size.isEmpty())
        return;
    if (buffer.size() != pixels || buffer.devicePixelRatio() != ratio) {
        buffer = QImage(pixels, QImage::Format_RGB32);
        buffer.setDevicePixelRatio(ratio);
        buffer_top = scroll;
        dirty.assign(1, {-everything, everything});
    } else if (scroll != buffer_top) {
        // Rows still on screen move with the scroll; only the strip that came
        // into view is drawn again.
        const int shift = buffer_top - scroll;
        if (std::abs(shift) < size.height() && ratio == std::floor(ratio)) {
            shift_buffer(shift * static_cast<int>(ratio));
            if (shift > 0)
                dirty.emplace_back(scroll, buffer_top);
            else
                dirty.emplace_back(buffer_top + size.height(), scroll + size.height());
        } else {
            dirty.assign(1, {-everything, everything});
        }
        buffer_top = scroll;
    }
    if (dirty.empty())
        return;

    display.painted_top = buffer_top;
    display.painted_bottom = buffer_top + size.height();
    if (!display.lines().empty()) {
        const auto [top, offset] = locate(buffer_top);
        display.top_line = top;
        top_offset = offset;
    }
    std::vector<std::pair<int, int>> bands;
    bands.swap(dirty);
    std::sort(bands.begin(), bands.end());
    std::vector<std::pair<int, int>> merged;
    for (auto [top, bottom] : bands) {
        top = std::max(top, display.painted_top);
        bottom = std::min(bottom, display.painted_bottom);
        if (top >= bottom)
            continue;
        if (!merged.empty() && top <= merged.back().second)
            merged.back().second = std::max(merged.back().second, bottom);
        else
            merged.emplace_back(top, bottom);
    }
    for (const auto& [top, bottom] : merged)
        render_band(top, bottom);
    hide_bars(false);
}

void TShowForm::Private::shift_buffer(int rows) {
    const qsizetype stride = buffer.bytesPerLine();
    const int height = buffer.height();
    uchar* bits = buffer.bits();
    if (rows > 0)
        std::memmove(bits + rows * stride, bits,
                     static_cast<std::size_t>((height - rows) * stride));
    else if (rows < 0)
        std::memmove(bits, bits - rows * stride,
                     static_cast<std::size_t>((height + rows) * stride));
}

// The first line whose drawing can reach the band starting at update_top.
std::pair<Line, int> TShowForm::Private::locate(int update_top) {
    LineList& lines = display.lines();
    Line line = display.top_line ? *display.top_line : lines.begin();
    int top = display.top_line ? top_offset : 0;
    const int margin_top = update_top - first_line_margin;
    while (line != lines.begin() && top > margin_top) {
        --line;
        top -= line->advance;
    }
    while (std::next(line) != lines.end() && top + line->advance < margin_top) {
        top += line->advance;
        ++line;
    }
    return {line, top};
}

LineDrawing TShowForm::Private::line_drawing() {
    return {&display.core().fonts,
            display.line_height(),
            screen_properties().screen_green,
            display.options().squeeze_horizontal,
            display.environment().bitmaps,
            services.small_pictures};
}

void TShowForm::Private::render_band(int top, int bottom) {
    QPainter painter(&buffer);
    painter.translate(0, -buffer_top);
    const QRect band(0, top, form.viewport()->width(), bottom - top);
    painter.setClipRect(band);
    painter.fillRect(band, form.palette().color(QPalette::Base));
    if (display.lines().empty())
        return;
    const LineDrawing drawing = line_drawing();
    const auto [first, first_top] = locate(top);
    LinePen pen{QPoint(0, first_top), &display.core().fonts.normal()};
    const std::optional<Line> current = display.current_line;
    bool current_drawn = false;
    for (Line line = first; line != display.end() && pen.at.y() <= bottom + last_line_margin;
         ++line) {
        draw_display_line(painter, *line, pen, drawing);
        if (line->kind == lkSoundBar)
            place_sound_bar(line, pen.at);
        current_drawn = current_drawn || (current && *current == line);
    }
    if (active && current_drawn && is_highlighted_kind((*current)->kind) && fully_visible(*current))
        draw_highlighted_line(painter, **current, drawing);
}

void TShowForm::Private::place_sound_bar(Line line, QPoint& pen) {
    SoundBarRecord& record = *line->sound_bar;
    const int top = pen.y() - buffer_top - scroll_bar_height() + 2;
    SoundBarControl* bar = bar_of(*line);
    if (bar == nullptr) {
        if (!services.make_sound_bar)
            return;
        SoundBarOptions options;
        options.recording_item = record.item;
        options.exact_length_flag = &record.item->cut_part->length_from_file;
        options.compact = display.options().squeeze_horizontal ? 1 : 0;
        options.show_texts = true;
        options.rewind_at_end = true;
        options.stored_position = &record.last_position;
        options.line_identifier = record.fold_key;
        // The bar goes with its line, so the line outlives every call.
        options.select_item = [this, line] { set_current_line(line); };
        options.automatic_dragging = dragging;
        // The number the line shows, which the play list shows after the name.
        options.drag_value = record.recording_number;
        bar = services.make_sound_bar(form.viewport(), pen.x(), top, std::move(options));
        record.control = std::make_unique<SoundBarHolder>(bar);
        bars.add(bar);
    } else if (bar->bar_top() != top) {
        bar->move_by(top - bar->bar_top());
    }
    if (bar->widget().isHidden()) {
        bar->widget().show();
        placed_bars.push_back({&bar->widget(), bar});
    }
    pen.rx() += bar->bar_width();
}

void TShowForm::Private::scroll_bars(int distance) {
    for (const ShownBar& shown : placed_bars) {
        if (shown.alive)
            shown.bar->move_by(distance);
    }
}

// Decided when the buffer is drawn: a bar shown is one whose line lies in the
// rows the buffer keeps, so it is there when those rows come back.
void TShowForm::Private::hide_bars(bool all) {
    const int height = client_height();
    std::erase_if(placed_bars, [&](const ShownBar& shown) {
        if (!shown.alive)
            return true;
        const SoundBarControl& bar = *shown.bar;
        if (!all && bar.bar_top() + bar.bar_height() >= 0 && bar.bar_top() <= height)
            return false;
        // A hidden focus would travel on to the next control: it stays here.
        if (const QWidget* focused = QApplication::focusWidget();
            focused && shown.alive->isAncestorOf(focused))
            form.setFocus(Qt::OtherFocusReason);
        shown.alive->hide();
        return true;
    });
}

void TShowForm::Private::invalidate(int top, int bottom) {
    dirty.emplace_back(top, bottom);
    const int view_top = std::max(top - form.scroll_position(), 0);
    const int view_bottom = std::min(static_cast<long long>(bottom) - form.scroll_position(),
                                     static_cast<long long>(client_height()));
    if (view_bottom > view_top)
        form.viewport()->update(0, view_top, form.viewport()->width(), view_bottom - view_top);
}

void TShowForm::Private::invalidate_all() {
    dirty.assign(1, {-everything, everything});
    form.viewport()->update();
}

void TShowForm::Private::invalidate_line(const SHST_TShowString& line) {
    const int h = display.line_height();
    invalidate(line.drawn_y - h, line.drawn_y + line.advance + text_below_pen + h);
}

// ---- Places

// The line's bottom is not more than 10 pixels above the painted area and no
// line before it ends within 5 pixels of the area's bottom.
bool TShowForm::Private::fully_visible(Line line) {
    if (!display.top_line)
        return false;
    int top = top_offset;
    for (Line at = *display.top_line; at != display.end(); ++at) {
        const int bottom = top + at->advance;
        if (at == line)
            return bottom >= display.painted_top - 10;
        if (bottom > display.painted_bottom - 5)
            return false;
        top = bottom;
    }
    return false;
}

std::optional<ClickHit> TShowForm::Private::click_hit(Line line, QPoint p,
                                                      const LineDrawing& drawing) {
    if (is_bitmap_line(line->kind)) {
        if (line->bitmap == bitmap_invisible_box)
            return std::nullopt;
        if (const auto left_half = bitmap_hit(*line, p, drawing))
            return ClickHit{line, *left_half};
        return std::nullopt;
    }
    if (small_picture_hit(*line, p, drawing) ||
        link_hit(*line, p, DrawnPixels{&buffer, buffer_top}, drawing))
        return ClickHit{line};
    return std::nullopt;
}

// ---- Structure

void TShowForm::Private::after_structure_change() {
    if (!display.top_line && !display.lines().empty())
        display.top_line = display.lines().begin();
    top_offset = display.top_line ? display.offset_of(*display.top_line) : 0;
    total_height = display.total_height();
    update_scroll_range();
    refresh_headers();
}

// Lines changed their heights but none came or went: the line at the top
// edge stays there, and the bars are placed again as their lines are drawn.
void TShowForm::Private::change_heights_in_place(const std::function<void()>& change) {
    const int scroll = form.scroll_position();
    std::optional<Line> anchor;
    int within = 0;
    int top = 0;
    for (Line line = display.lines().begin(); line != display.end(); ++line) {
        if (top + line->advance > scroll) {
            anchor = line;
            within = scroll - top;
            break;
        }
        top += line->advance;
    }
    const QWidget* focused = QApplication::focusWidget();
    const bool bar_focused = focused && form.viewport()->isAncestorOf(focused);
    change();
    hide_bars(true);
    after_structure_change();
    invalidate_all();
    if (anchor)
        form.scroll_to(display.offset_of(*anchor) + std::min(within, (*anchor)->advance));
    if (bar_focused)
        focus_current_bar();
}

void TShowForm::Private::rewrap_if_width_changed() {
    if (display.wrapped_width() != display.environment().geometry.client_width)
        change_heights_in_place([this] { display.rewrap(); });
}

void TShowForm::Private::update_scroll_range() {
    QScrollBar* bar = form.verticalScrollBar();
    bar->setPageStep(std::max(1, client_height()));
    bar->setSingleStep(std::max(1, page_step));
    bar->setRange(0, std::max(0, total_height + scroll_range_extra - client_height()));
}

int TShowForm::Private::fold_key_of(Line box) {
    LineList& lines = display.lines();
    switch (box->kind) {
    case lkFamilyBox:
        return std::next(box)->value * family_fold_factor;
    case lkSpeciesBox:
        return (box->family_number * 400 + std::next(box)->value) * 200;
    default:
        for (Line at = box; at != lines.begin(); --at) {
            if (at->kind == lkSoundBar && at->sound_bar)
                return at->sound_bar->fold_key;
        }
        return 0;
    }
}

// A copied display leaves the family numbers of its species boxes at 0; the
// fold keys of the bars unfolded later must still order by family.
void TShowForm::Private::mend_family_numbers() {
    int family = 0;
    for (SHST_TShowString& line : display.lines()) {
        if (line.kind == lkFamilyHeader)
            family = line.value;
        else if (line.kind == lkSpeciesBox)
            line.family_number = family;
    }
}

// Folds or unfolds; the bars below the row follow, the row and what lies
// below it is drawn again and the window scrolls to show what opened.
bool TShowForm::Private::apply_fold(Line box, bool only_unfold, bool only_fold) {
    const int key = fold_key_of(box);
    const int row_top = display.offset_of(box);
    const int height_before = total_height;
    const FoldResult result = display.toggle_fold(box, only_unfold, only_fold);
    if (!result.changed)
        return false;
    after_structure_change();
    bars.move_below(key, total_height - height_before);
    invalidate(row_top, everything);
    if (box->value == 1 && (box->kind == lkSpeciesBox || box->kind == lkDetailsBox)) {
        const int below =
            scroll_bar_height() + row_top + result.added_height + 10 - display.painted_bottom;
        const int amount =
            box->kind == lkSpeciesBox ? std::min(below, row_top - display.painted_top - 10) : below;
        if (amount > 0)
            form.scroll_to(form.scroll_position() + amount);
    }
    return true;
}

// ---- TShowForm

TShowForm::TShowForm(const Tdata& data_set, const CoreContext& context,
                     DisplaySurfaceServices services, QWidget* parent)
    : QAbstractScrollArea(parent)
    , d_(std::make_unique<Private>(*this, data_set, context, std::move(services))) {
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setTracking(true);
    viewport()->setMouseTracking(true);
    // Every pixel comes from the back buffer.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    // The sound bars write their texts in the surface's font.
    viewport()->setFont(qt_font(context.fonts.normal()));
    DisplayGeometry& geometry = d_->display.environment().geometry;
    geometry.sound_bar_reach = sound_bar_reach(*viewport(), geometry.horizontal_scroll_bar_height);
}

TShowForm::~TShowForm() = default;

void TShowForm::build_from_options(const SHST_TShowStringsData& options,
                                   const DisplayState& state) {
    TShowStrings& display = d_->display;
    display.build_from_options(options);
    display.unfold_families(state.unfolded_families);
    d_->after_structure_change();
    // The saved top row's header line stands at the top.
    d_->initial_scroll = 0;
    if (state.top_family != 1 || state.top_species != 0) {
        if (const auto header = display.find_header(state.top_family, state.top_species))
            d_->initial_scroll = display.offset_of(*header) + (*header)->advance;
    }
    std::optional<Line> header = display.find_header(state.current_family, state.current_species);
    if (!header)
        header = display.find_header(state.current_family);
    std::optional<Line> current = header ? d_->cursor().first_name_after(*header) : std::nullopt;
    if (!current)
        current = display.first_family_name_line();
    if (current)
        d_->set_current_line(*current);
    d_->invalidate_all();
    if (isVisible()) {
        scroll_to(*d_->initial_scroll);
        d_->initial_scroll.reset();
    }
}

void TShowForm::build_as_copy(const TShowForm& other) {
    d_->display.build_as_copy(other.d_->display);
    // The other window's paragraphs were wrapped at its own width.
    if (d_->display.wrapped_width() != d_->display.environment().geometry.client_width)
        d_->display.rewrap();
    d_->mend_family_numbers();
    d_->after_structure_change();
    if (d_->display.current_line)
        d_->set_current_line(*d_->display.current_line);
    d_->invalidate_all();
    d_->initial_scroll.reset();
    scroll_to(0);
}

TShowStrings& TShowForm::display() {
    return d_->display;
}

const TShowStrings& TShowForm::display() const {
    return d_->display;
}

void TShowForm::lines_changed() {
    // Where the lines went is unknown: each bar comes back with its line.
    d_->hide_bars(true);
    d_->mend_family_numbers();
    d_->after_structure_change();
    d_->invalidate_all();
}

void TShowForm::fold_all() {
    d_->display.fold_all();
    d_->after_structure_change();
    d_->invalidate_all();
    if (d_->display.current_line)
        d_->set_current_line(*d_->display.current_line);
    scroll_to(0);
}

void TShowForm::refresh_small_pictures() {
    d_->change_heights_in_place([this] { d_->display.add_missing_small_pictures(); });
}

void TShowForm::apply_name_options(std::uint32_t name_options) {
    d_->display.apply_name_options(name_options);
    d_->after_structure_change();
    d_->invalidate_all();
    // The name lines are new: the current one may be too.
    if (d_->display.current_line)
        d_->set_current_line(*d_->display.current_line);
    d_->refresh_status(true);
}

void TShowForm::set_current_line(Line line) {
    d_->set_current_line(line);
}

QString TShowForm::status_text() const {
    return d_->status_text();
}

DisplayState TShowForm::state_for_saving() const {
    d_->ensure_rendered();
    return d_->display.state_for_saving();
}

void TShowForm::set_soundbar_dragging(bool automatic) {
    d_->dragging = automatic;
    d_->bars.set_dragging(automatic);
}

void TShowForm::set_active(bool active) {
    if (d_->active == active)
        return;
    d_->active = active;
    if (const auto current = d_->display.current_line) {
        if (active)
            d_->set_current_line(*current);
        else
            d_->invalidate_line(**current);
    }
}

SoundBarRecord* TShowForm::current_sound_bar() {
    const auto current = d_->display.current_line;
    return current && (*current)->kind == lkSoundBar ? (*current)->sound_bar.get() : nullptr;
}

SoundBarControl* TShowForm::current_sound_bar_control() {
    const auto current = d_->display.current_line;
    return current ? bar_of(**current) : nullptr;
}

const QImage& TShowForm::back_buffer() const {
    return d_->buffer;
}

int TShowForm::scroll_position() const {
    return verticalScrollBar()->value();
}

void TShowForm::scroll_to(int position) {
    verticalScrollBar()->setValue(position);
}

int TShowForm::page_step() const {
    return d_->page_step;
}

void TShowForm::paintEvent(QPaintEvent* event) {
    d_->ensure_rendered();
    if (d_->buffer.isNull())
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const qreal ratio = d_->buffer.devicePixelRatio();
    painter.drawImage(
        area, d_->buffer,
        QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    d_->refresh_status(false);
}

void TShowForm::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    d_->page_step = viewport()->height() / 4;
    d_->display.environment().geometry.client_width = viewport()->width();
    // Wrapping every paragraph of a large unfolded display again takes a few
    // milliseconds, so it keeps up with a resize as it happens.
    d_->rewrap_if_width_changed();
    d_->update_scroll_range();
    d_->invalidate_all();
}

void TShowForm::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    d_->update_scroll_range();
    if (d_->initial_scroll) {
        scroll_to(*d_->initial_scroll);
        d_->initial_scroll.reset();
    }
}

void TShowForm::wheelEvent(QWheelEvent* event) {
    // A notch scrolls a few text lines, not a quarter page per line.
    const double notches = event->angleDelta().y() / 120.0;
    const int distance = static_cast<int>(
        std::lround(notches * QApplication::wheelScrollLines() * d_->display.line_height()));
    if (distance != 0)
        scroll_to(scroll_position() - distance);
    event->accept();
}

void TShowForm::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    set_active(true);
}

void TShowForm::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    // The focus may have gone to a sound bar on the surface, or to a menu.
    const QWidget* focused = QApplication::focusWidget();
    if (event->reason() != Qt::PopupFocusReason && !(focused && isAncestorOf(focused)))
        set_active(false);
}

void TShowForm::scrollContentsBy(int, int dy) {
    // The pop-ups would no longer stand by what they belong to.
    if (dy != 0 && actions.close_popups)
        actions.close_popups();
    // The bars are children of the surface and scroll with it.
    d_->scroll_bars(dy);
    viewport()->update();
}

void TShowForm::mouseMoveEvent(QMouseEvent* event) {
    d_->hover(event->position().toPoint());
}

void TShowForm::mousePressEvent(QMouseEvent* event) {
    // A click anywhere closes the pop-ups; one on a link opens its own.
    if (actions.close_popups)
        actions.close_popups();
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    d_->click(event->position().toPoint());
}

void TShowForm::keyPressEvent(QKeyEvent* event) {
    if (d_->key(event->key(), event->modifiers()))
        event->accept();
    else
        event->ignore();
}

bool TShowForm::focusNextPrevChild(bool next) {
    d_->key(next ? Qt::Key_Tab : Qt::Key_Backtab, next ? Qt::NoModifier : Qt::ShiftModifier);
    return true;
}

} // namespace pemmaro
