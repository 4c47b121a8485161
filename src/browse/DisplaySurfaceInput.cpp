// The display surface's input: the keyboard cursor and its keys, clicks and
// the mouse cursor, the status text and the search for a species.

#include "browse/DisplayCursor.h"
#include "browse/DisplaySurfacePrivate.h"
#include "data/VisibleSpecies.h"
#include "platform/Ansi.h"

#include <QApplication>
#include <QScrollBar>

namespace pemmaro {

using namespace show_form;

namespace {

constexpr int examined_below_point = 15;
constexpr int selected_below_point = 10;

} // namespace

// ---- The cursor

void TShowForm::Private::set_current_line(Line line) {
    const std::optional<Line> old = display.current_line;
    display.current_line = line;
    refresh_headers();
    if (old && *old != line)
        invalidate_line(**old);
    invalidate_line(*line);
    if (line->kind == lkSoundBar) {
        focus_current_bar();
    } else if (QWidget* focused = QApplication::focusWidget();
               focused && form.viewport()->isAncestorOf(focused)) {
        form.setFocus(Qt::OtherFocusReason);
    }
    if (form.actions.current_line_changed) {
        const Tcupaitem* item =
            line->kind == lkSoundBar && line->sound_bar ? line->sound_bar->item : nullptr;
        form.actions.current_line_changed(item != nullptr,
                                          item != nullptr && item->cut_part->is_sound_file);
    }
    refresh_status(false);
}

void TShowForm::Private::refresh_headers() {
    family_header.reset();
    species_header.reset();
    if (!display.current_line)
        return;
    const DisplayCursor::Headers headers = cursor().headers_of(*display.current_line);
    family_header = headers.family;
    species_header = headers.species;
}

void TShowForm::Private::move_current(bool forward) {
    if (!display.current_line) {
        beep();
        return;
    }
    const std::optional<Line> target = cursor().next_stop(*display.current_line, forward);
    if (!target) {
        beep();
        return;
    }
    set_current_line(*target);
    if (!fully_visible(*target)) {
        const int offset = display.offset_of(*target);
        form.scroll_to(forward ? offset - 4 * page_step + 28 : offset - 7);
        ensure_rendered();
        focus_current_bar();
    }
}

void TShowForm::Private::focus_current_bar() {
    if (!display.current_line || (*display.current_line)->kind != lkSoundBar)
        return;
    ensure_rendered();
    const Line line = *display.current_line;
    if (SoundBarControl* bar = bar_of(*line); bar && fully_visible(line))
        bar->focus();
}

void TShowForm::Private::fold_current(bool only_unfold, bool only_fold) {
    if (!display.current_line)
        return;
    const Line line = *display.current_line;
    if (!fully_visible(line))
        return;
    if (const std::optional<Line> box = cursor().fold_box_for(line))
        apply_fold(*box, only_unfold, only_fold);
}

void TShowForm::Private::map_key() {
    if (!display.current_line) {
        beep();
        return;
    }
    const Line line = *display.current_line;
    if (line->kind == lkSoundBar || line->kind == lkRecordingLabel) {
        Tcupaitem* item = cursor().item_of(line);
        if (item && form.actions.open_map)
            form.actions.open_map(*item->species, item->cut_part->locality);
    } else if ((line->kind == lkSpeciesScientificName || line->kind == lkSpeciesOtherName) &&
               line->species) {
        if (!line->species->has_map_file && line->species->map_count == 0)
            beep();
        else if (form.actions.open_map)
            form.actions.open_map(*line->species, nullptr);
    } else {
        beep();
    }
}

void TShowForm::Private::pictures_key() {
    if (!display.current_line) {
        beep();
        return;
    }
    const Line line = *display.current_line;
    const LineKind kind = line->kind;
    if (kind != lkSpeciesScientificName && kind != lkSpeciesOtherName && kind != lkSoundBar &&
        kind != lkRecordingLabel) {
        beep();
        return;
    }
    if (line->species && line->species->first_big_picture && form.actions.open_pictures)
        form.actions.open_pictures(*line->species, nullptr);
}

void TShowForm::Private::go_to_first_family() {
    if (const auto first = display.first_family_name_line()) {
        set_current_line(*first);
        form.scroll_to(0);
    }
}

void TShowForm::Private::go_to_last_stop() {
    if (display.lines().empty())
        return;
    if (const std::optional<Line> stop = cursor().last_stop())
        set_current_line(*stop);
    form.scroll_to(form.verticalScrollBar()->maximum());
    focus_current_bar();
}

bool TShowForm::Private::key(int key, Qt::KeyboardModifiers modifiers) {
    if (form.actions.close_popups)
        form.actions.close_popups();
    ensure_rendered();
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool keypad = modifiers & Qt::KeypadModifier;
    bool handled = true;
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool backwards = key == Qt::Key_Backtab || shift;
        if (!control)
            move_current(!backwards);
        else if (form.actions.switch_window)
            form.actions.switch_window(!backwards);
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Left:
        move_current(false);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        move_current(true);
        break;
    case Qt::Key_PageUp:
        form.scroll_to(form.scroll_position() - client_height());
        break;
    case Qt::Key_PageDown:
        form.scroll_to(form.scroll_position() + client_height());
        break;
    case Qt::Key_Home:
        if (control)
            go_to_first_family();
        handled = control;
        break;
    case Qt::Key_End:
        if (control)
            go_to_last_stop();
        handled = control;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        fold_current(false, false);
        break;
    case Qt::Key_Plus:
        if (keypad)
            fold_current(true, false);
        else
            handled = false;
        break;
    case Qt::Key_Minus:
        if (keypad)
            fold_current(false, true);
        else
            handled = false;
        break;
    case Qt::Key_F:
        if (control && form.actions.find)
            form.actions.find();
        handled = control;
        break;
    case Qt::Key_F3:
        if (form.actions.find_again)
            form.actions.find_again();
        break;
    case Qt::Key_M:
        if (control)
            map_key();
        handled = control;
        break;
    case Qt::Key_P:
        if (control)
            pictures_key();
        handled = control;
        break;
    default:
        handled = false;
        break;
    }
    refresh_status(true);
    return handled;
}

// Examines the lines from the family row of the top line down to the point:
// the rows above select, the first place hit acts.
void TShowForm::Private::click(QPoint point) {
    ensure_rendered();
    if (!display.top_line)
        return;
    const QPoint p(point.x(), point.y() + buffer_top);
    const Line top_line = *display.top_line;
    Line line = top_line;
    int top = top_offset;
    while (line != display.lines().begin() && line->kind != lkFamilyBox) {
        --line;
        top -= line->advance;
    }
    const LineDrawing drawing = line_drawing();
    std::optional<Line> selected;
    std::optional<ClickHit> hit;
    bool drawn = false; // lines above the top line were not drawn in the last paint
    for (; line != display.end() && top <= p.y() + examined_below_point; ++line) {
        drawn = drawn || line == top_line;
        const int bottom = top + line->advance;
        top = bottom;
        if (is_header(line->kind) || line->kind == lkRecordingLabel) {
            if (bottom <= p.y() + selected_below_point)
                selected = is_header(line->kind) ? cursor().first_name_after(line) : line;
            continue;
        }
        if (drawn && !hit)
            hit = click_hit(line, p, drawing);
    }
    if (hit && hit->line->kind == lkDetailsBox && std::next(hit->line) != display.end() &&
        std::next(hit->line)->kind == lkRecordingLabel)
        selected = std::next(hit->line);
    if (selected)
        set_current_line(*selected);
    if (hit)
        act(*hit, point);
    if (!display.current_line) {
        if (const auto first = display.first_family_name_line())
            set_current_line(*first);
    }
    refresh_status(true);
}

// The pictures mark opens the pictures; the recordings mark (the right half
// when both are shown) toggles the species' fold box.
void TShowForm::Private::act_on_media_mark(const ClickHit& hit) {
    const SHST_TShowString& line = *hit.line;
    const bool pictures = (line.value & 0xFF) != 0;
    const bool recordings = ((line.value >> 8) & 0xFF) != 0;
    if (pictures && (!recordings || hit.left_half)) {
        if (form.actions.open_pictures && line.species)
            form.actions.open_pictures(*line.species, nullptr);
        return;
    }
    for (Line at = hit.line; at != display.lines().begin();) {
        --at;
        if (at->kind == lkSpeciesBox) {
            apply_fold(at, false, false);
            return;
        }
    }
}

void TShowForm::Private::act(const ClickHit& hit, QPoint point) {
    const ShowFormActions& actions = form.actions;
    SHST_TShowString& line = *hit.line;
    Tspecies* species = line.species;
    switch (line.kind) {
    case lkFamilyBox:
    case lkSpeciesBox:
    case lkDetailsBox:
        apply_fold(hit.line, false, false);
        break;
    case lkMediaMark:
        act_on_media_mark(hit);
        break;
    case lkSubspeciesPictures:
        if (actions.open_pictures && species)
            actions.open_pictures(*species, line.subspecies);
        break;
    case lkMapMark:
        if (actions.open_map && species)
            actions.open_map(*species, nullptr);
        break;
    case lkSmallPicture:
        if (actions.open_pictures && species && species->first_big_picture)
            actions.open_pictures(*species, nullptr);
        break;
    case lkThreatStatus:
        if (actions.open_threat_explanation)
            actions.open_threat_explanation(popup_point(point));
        break;
    case lkSpeciesText:
        if (actions.open_person && species && species->text_author)
            actions.open_person(*species->text_author, popup_point(point));
        break;
    case lkAudioCDLine:
        if (actions.open_audio_cd_information && line.audio_cd)
            actions.open_audio_cd_information(*line.audio_cd, popup_point(point));
        break;
    case lkRecordistLine:
        if (Tcupaitem* item = cursor().item_of(hit.line);
            item && item->cut_part->recordist && actions.open_person)
            actions.open_person(*item->cut_part->recordist, popup_point(point));
        break;
    case lkLocalityLine:
        if (Tcupaitem* item = cursor().item_of(hit.line); item && actions.open_map)
            actions.open_map(*item->species, item->cut_part->locality);
        break;
    default:
        break;
    }
}

void TShowForm::Private::hover(QPoint point) {
    ensure_rendered();
    bool over_clickable = false;
    if (display.top_line) {
        const QPoint p(point.x(), point.y() + buffer_top);
        const LineDrawing drawing = line_drawing();
        int top = top_offset;
        for (Line line = *display.top_line;
             line != display.end() && top <= p.y() + examined_below_point; ++line) {
            top += line->advance;
            if (click_hit(line, p, drawing)) {
                over_clickable = true;
                break;
            }
        }
    }
    if (over_clickable == hand_cursor)
        return;
    hand_cursor = over_clickable;
    form.viewport()->setCursor(over_clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

QString TShowForm::Private::status_text() {
    std::string text = " ";
    if (family_header) {
        if (const auto name = cursor().first_name_after(*family_header))
            text += without_markup((*name)->text);
    }
    if (species_header) {
        if (const auto name = cursor().first_name_after(*species_header))
            text += ", " + without_markup((*name)->text);
    }
    return to_qstring(text);
}

void TShowForm::Private::refresh_status(bool always) {
    QString text = status_text();
    if (!always && text == last_status)
        return;
    last_status = text;
    if (form.actions.status_text_changed)
        form.actions.status_text_changed(text);
}

void TShowForm::Private::beep() {
    if (form.actions.beep)
        form.actions.beep();
    else
        QApplication::beep();
}

QPoint TShowForm::Private::popup_point(QPoint point) {
    return form.viewport()->mapToGlobal(QPoint(point.x(), point.y() + 4));
}

bool TShowForm::go_to_species(const std::string& text, bool from_top, bool all_names) {
    TShowStrings& display = d_->display;
    d_->ensure_rendered();
    // From the top the search starts at the first family's first species.
    int start_family = 1;
    int start_species = 1;
    if (!from_top) {
        start_family = d_->family_header ? (*d_->family_header)->value : 1;
        start_species = d_->species_header ? (*d_->species_header)->value + 1 : 1;
    }
    const SHST_TShowStringsData& options = display.options();
    const NameChoice names = all_names ? NameChoice{true, true, true} : options.name_choice();
    const NameSearchResult found = find_name(text, options.systematic_order, start_family,
                                             start_species, options.visible, names);
    if (!found.found)
        return false;
    std::optional<Line> family = display.find_header(found.family_number);
    if (!family)
        return false;
    bool unfolded = false;
    if (found.species_number != 0) {
        const Line box = std::prev(*family);
        if (box->value == 0)
            unfolded = d_->apply_fold(box, true, false);
    }
    const std::optional<Line> header =
        display.find_header(found.family_number, found.species_number);
    if (!header)
        return false;
    // The line of the name that matched: the second one when it is not first.
    std::optional<Line> target = d_->cursor().first_name_after(*header);
    const bool species = found.species_number != 0;
    const LineKind matched_kind = found.matched == MatchedName::scientific
                                      ? (species ? lkSpeciesScientificName : lkFamilyScientificName)
                                      : (species ? lkSpeciesOtherName : lkFamilyOtherName);
    for (Line at = std::next(*header); at != display.end() && !is_fold_box(at->kind); ++at) {
        if (found.matched_in_other_names ? at->kind == lkSpeciesExtra : at->kind == matched_kind) {
            target = at;
            break;
        }
    }
    if (!target)
        return false;
    d_->set_current_line(*target);
    const int offset = display.offset_of(*target);
    if (unfolded || offset < display.painted_top + 10 || offset > display.painted_bottom - 10)
        scroll_to(offset - d_->page_step);
    d_->update_scroll_range();
    d_->invalidate_all();
    d_->focus_current_bar();
    return true;
}

void TShowForm::centre_current_line() {
    if (!d_->display.current_line)
        return;
    d_->ensure_rendered();
    const Line line = *d_->display.current_line;
    scroll_to(d_->display.offset_of(line) - (d_->client_height() - line->advance) / 2);
    d_->ensure_rendered();
    d_->focus_current_bar();
}

} // namespace pemmaro
