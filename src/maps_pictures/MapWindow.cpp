#include "maps_pictures/MapWindow.h"

#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/Product.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "data/DataSet.h"
#include "maps_pictures/MapComposition.h"
#include "maps_pictures/PictureFiles.h"
#include "maps_pictures/SiteDescriptions.h"
#include "platform/Ansi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <array>

namespace pemmaro {

namespace {

constexpr int scroll_wait_ms = 100;
constexpr int ok_button_offset = 10;
constexpr int ok_button_width = 75;
constexpr int dialog_frame = 3;
constexpr int separator_room = 7; // the line 5 below the distribution, 1 wide
constexpr int text_block_room = 6;

struct KeyScroll {
    int key;
    bool vertical;
    int increments;
};
constexpr std::array<KeyScroll, 6> key_scrolls = {{
    {Qt::Key_PageUp, true, -10},
    {Qt::Key_PageDown, true, 10},
    {Qt::Key_Up, true, -1},
    {Qt::Key_Down, true, 1},
    {Qt::Key_Left, false, -1},
    {Qt::Key_Right, false, 1},
}};

constexpr double maximize_share = 0.95;
constexpr int tick_near = 2;
constexpr int tick_far = 4;
constexpr QRgb tick_colour = qRgb(255, 0, 0);

int scroll_bar_extent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

int title_bar_height() {
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

// The client area a window can have on the screen.
QSize largest_client_size() {
    const QRect area = work_area();
    return {area.width() - 2 * dialog_frame, area.height() - 2 * dialog_frame - title_bar_height()};
}

// The frame's top-left moved left and up (but not beyond the work area's own
// top-left) so that the window lies within the work area.
QPoint kept_on_screen(QPoint top_left, QSize frame) {
    const QRect area = work_area();
    const int x = std::max(area.left(), std::min(top_left.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(top_left.y(), area.bottom() + 1 - frame.height()));
    return {x, y};
}

// The baseline of a text line whose row starts at top.
int baseline(int top, int line_height) {
    const QFontMetrics& metrics = text_measurer().metrics(line_height, false, false);
    return top + line_height - std::max(metrics.descent(), 1);
}

} // namespace

TMapForm::TMapForm(const CoreContext& context, UrlOpener open_url, QWidget* parent)
    : TFormWithUnderlinedItems(open_url, parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , context_(context)
    , open_url_(std::move(open_url)) {
    setObjectName("TMapForm");
    setFocusPolicy(Qt::StrongFocus);
    OK_Button = new QPushButton("OK", this);
    OK_Button->setObjectName("OK_Button");
    // The window takes the keys itself, Enter and Escape included.
    OK_Button->setFocusPolicy(Qt::NoFocus);
    connect(OK_Button, &QPushButton::clicked, this, &QWidget::close);
    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TMapForm::TimerTimer);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {vertical_, horizontal_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setTracking(true);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { invalidate_canvas(); });
    }
}

int TMapForm::line_height() const {
    return pemmaro::line_height(text_measurer(), context_.fonts);
}

void TMapForm::ShowMap(const Tspecies* species, const Tlocality* locality, bool free_on_close,
                       const std::string& title) {
    Species = species;
    Locality = locality;
    FreeOnClose = free_on_close;
    setAttribute(Qt::WA_DeleteOnClose, FreeOnClose);
    HasDistributionText = species && !species->taxa_text_4.empty();
    HasText = HasDistributionText || locality;
    HasMapFile = species && has_map_file(*species);
    MainMap = map_record_for(species, locality);
    LocalityOnMap = false;
    if (locality) {
        LocalityDegrees = pemmaro::LocalityDegrees(*locality);
        const MapPoint point = GeoToPixel(MainMap, LocalityDegrees);
        LocalityPoint = point.point;
        LocalityOnMap = point.on_map;
    }

    const QSize largest = largest_client_size();
    content_width_ = MainMap.LeftMargin + MainMap.MapWidth + MainMap.RightMargin;
    const MapTextFonts fonts{context_.fonts.normal(),
                             context_.fonts.font(FontStyle::bold, 0, FontColour::black),
                             text_measurer()};
    Text = layout_map_text(species, locality, context_.texts, fonts,
                           std::min(content_width_, largest.width()));
    content_height_ = MainMap.TopMargin + MainMap.MapHeight + MainMap.BottomMargin - 1 +
                      (Text.has_separator() ? separator_room : 0) +
                      Text.line_count() * line_height() + (HasText ? text_block_room : 0);
    vertical_shown_ = content_height_ > largest.height();
    const int bar = scroll_bar_extent();
    const int wanted_width = content_width_ + (vertical_shown_ ? bar : 0);
    horizontal_shown_ = wanted_width > largest.width();
    const QSize client(std::min(wanted_width, largest.width()),
                       std::min(content_height_ + (horizontal_shown_ ? bar : 0), largest.height()));

    std::string caption = title;
    if (locality)
        caption += ", " + locality->name;
    if (!caption.empty())
        setWindowTitle(to_qstring(caption));

    // A window set up again starts from the top; a long text scrolls down later.
    vertical_->setValue(0);
    horizontal_->setValue(0);
    const int frame_height = client.height() + 2 * dialog_frame + title_bar_height();
    size_window(client, frame_height >= maximize_share * work_area().height());

    MapComposition composition;
    composition.map = &MainMap;
    composition.species = species;
    if (HasMapFile)
        composition.distribution_file =
            distribution_map_file(*species, 1, context_.product.capabilities, base_directory());
    if (locality && LocalityOnMap)
        composition.locality = LocalityPoint;
    MapBitmap = ComposeMap(composition);

    WaitingForScroll = vertical_shown_ && HasText;
    if (WaitingForScroll)
        Timer->start(scroll_wait_ms);
    invalidate_canvas();
}

void TMapForm::size_window(QSize client, bool maximize) {
    vertical_->setVisible(vertical_shown_);
    horizontal_->setVisible(horizontal_shown_);
    if (maximize) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(client);
        setWindowState(Qt::WindowMaximized);
    } else {
        setWindowState(Qt::WindowNoState);
        setFixedSize(client);
        const QSize frame(client.width() + 2 * dialog_frame,
                          client.height() + 2 * dialog_frame + title_bar_height());
        QPoint top_left = pos();
        if (!isVisible() && parentWidget()) {
            const QRect owner = parentWidget()->window()->frameGeometry();
            top_left = owner.center() - QPoint(frame.width() / 2, frame.height() / 2);
        }
        move(kept_on_screen(top_left, frame));
    }
    lay_out_controls();
}

void TMapForm::lay_out_controls() {
    const int bar = scroll_bar_extent();
    const int view_width = width() - (vertical_shown_ ? bar : 0);
    const int view_height = height() - (horizontal_shown_ ? bar : 0);
    vertical_->setGeometry(view_width, 0, bar, view_height);
    horizontal_->setGeometry(0, view_height, view_width, bar);
    vertical_->setRange(0, vertical_shown_ ? std::max(0, content_height_ - view_height) : 0);
    vertical_->setPageStep(std::max(1, view_height));
    vertical_->setSingleStep(line_height());
    horizontal_->setRange(0, horizontal_shown_ ? std::max(0, content_width_ - view_width) : 0);
    horizontal_->setPageStep(std::max(1, view_width));
    horizontal_->setSingleStep(line_height());
    const int button_height = OK_Button->sizeHint().height();
    OK_Button->setGeometry(view_width - ok_button_offset - ok_button_width, ok_button_offset,
                           ok_button_width, button_height);
}

QPoint TMapForm::map_origin() const {
    if (isMaximized()) {
        const int view_width = width() - (vertical_shown_ ? scroll_bar_extent() : 0);
        return {(view_width - MainMap.MapWidth) / 2, MainMap.TopMargin};
    }
    return {MainMap.LeftMargin, MainMap.TopMargin};
}

int TMapForm::vertical_scroll_position() const {
    return vertical_->value();
}

int TMapForm::horizontal_scroll_position() const {
    return horizontal_->value();
}

void TMapForm::paint_canvas(QPainter& painter) {
    if (WaitingForScroll)
        return;
    painter.translate(-horizontal_scroll_position(), -vertical_scroll_position());
    const QPoint origin = map_origin();
    painter.drawImage(origin, MapBitmap);
    if (Locality && LocalityOnMap)
        paint_tick_marks(painter, origin);
    paint_text(painter);
}

void TMapForm::paint_tick_marks(QPainter& painter, QPoint origin) const {
    painter.setPen(QColor(tick_colour));
    const int x = origin.x() + LocalityPoint.x();
    const int y = origin.y() + LocalityPoint.y();
    const int top = origin.y();
    const int bottom = origin.y() + MainMap.MapHeight - 1;
    const int reach_up = std::min(tick_far, MainMap.TopMargin);
    const int reach_down = std::min(tick_far, MainMap.BottomMargin);
    const int reach_left = std::min(tick_far, origin.x());
    if (reach_up >= tick_near)
        painter.drawLine(x, top - reach_up, x, top - tick_near);
    if (reach_down >= tick_near)
        painter.drawLine(x, bottom + tick_near, x, bottom + reach_down);
    if (reach_left >= tick_near)
        painter.drawLine(origin.x() - reach_left, y, origin.x() - tick_near, y);
}

void TMapForm::paint_text(QPainter& painter) {
    if (!HasText)
        return;
    const int h = line_height();
    TextDrawing drawing;
    drawing.font = &context_.fonts.normal();
    drawing.line_height = h;
    drawing.link_colour = screen_properties().screen_green;
    int top = MainMap.TopMargin + MainMap.MapHeight + MainMap.BottomMargin;
    const auto draw_row = [&](const MapTextRow& row, int left, const DisplayFont& heading_font) {
        QPoint pen(left, baseline(top, h));
        TextDrawing heading = drawing;
        heading.font = &heading_font;
        draw_marked_up_text(painter, pen, row.heading, heading);
        pen = QPoint(left + row.heading_width, baseline(top, h) + (row.text.lines - 1) * h);
        draw_marked_up_text(painter, pen, row.text.text, drawing);
        top += row.text.lines * h;
        return pen.y();
    };
    if (Text.HasDistributionText)
        draw_row(Text.distribution, distribution_text_left,
                 context_.fonts.font(FontStyle::bold, 0, FontColour::black));
    if (Text.has_separator()) {
        const int right =
            width() - (vertical_shown_ ? scroll_bar_extent() : 0) + horizontal_scroll_position();
        painter.setPen(Qt::black);
        painter.drawLine(MainMap.LeftMargin, top + 5, right, top + 5);
        top += separator_room;
    }
    for (std::size_t index = 0; index < Text.locality_rows.size(); ++index) {
        const int last_baseline =
            draw_row(Text.locality_rows[index], locality_text_left, context_.fonts.normal());
        if (index == 0)
            LinkTop = last_baseline + 1;
    }
}

bool TMapForm::IsItemUnderMouse(int x, int y) {
    if (!Locality || Locality->description_file.empty())
        return false;
    const QImage& painted = canvas(); // paints first, which places LinkTop
    if (y > LinkTop)
        return false;
    const int scroll = vertical_scroll_position();
    const int font_height = text_measurer().text_height(context_.fonts.normal());
    return IsOverUnderline(painted, x, y - scroll, font_height, LinkTop - scroll,
                           screen_properties().screen_green);
}

void TMapForm::open_site_description_of(const Tlocality& locality) {
    open_site_description(locality, {open_url_, [this] { invalidate_canvas(); }});
}

void TMapForm::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (Locality && IsItemUnderMouse(at.x(), at.y() + vertical_scroll_position()))
        open_site_description_of(*Locality);
    QWidget::mousePressEvent(event);
}

bool TMapForm::scroll_by_key(int key) {
    const auto found = std::find_if(key_scrolls.begin(), key_scrolls.end(),
                                    [key](const KeyScroll& entry) { return entry.key == key; });
    if (found == key_scrolls.end())
        return false;
    QScrollBar* bar = found->vertical ? vertical_ : horizontal_;
    // Only content larger than the window scrolls.
    if (bar->isVisible())
        bar->setValue(bar->value() + found->increments * bar->singleStep());
    return true;
}

void TMapForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        close();
    } else if (key == Qt::Key_H && (event->modifiers() & Qt::ControlModifier)) {
        if (Locality)
            open_site_description_of(*Locality);
    } else if (!scroll_by_key(key)) {
        TFormWithUnderlinedItems::keyPressEvent(event);
    }
}

void TMapForm::TimerTimer() {
    Timer->stop();
    vertical_->setValue(vertical_->maximum());
    WaitingForScroll = false;
    invalidate_canvas();
}

void TMapForm::resizeEvent(QResizeEvent* event) {
    TFormWithUnderlinedItems::resizeEvent(event);
    lay_out_controls();
}

void TMapForm::showEvent(QShowEvent* event) {
    TFormWithUnderlinedItems::showEvent(event);
    setFont(qt_font(context_.fonts.normal()));
}

void TMapForm::closeEvent(QCloseEvent* event) {
    TFormWithUnderlinedItems::closeEvent(event);
    Timer->stop();
    MapBitmap = QImage();
}

TMapForm* open_species_map(const CoreContext& context, UrlOpener open_url, QWidget* owner,
                           const Tspecies& species, const Tlocality* locality,
                           const std::string& title) {
    auto* window = new TMapForm(context, std::move(open_url), owner);
    window->ShowMap(&species, locality, true, title);
    window->show();
    return window;
}

} // namespace pemmaro
