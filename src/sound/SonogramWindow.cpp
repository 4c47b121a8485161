#include "sound/SonogramWindow.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"
#include "platform/FileIO.h"
#include "platform/Messages.h"
#include "sound/SonogramPicture.h"
#include "sound/SoundBars.h"
#include "sound/SoundPlayers.h"

#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace pemmaro {

namespace {

TSonogramForm* the_form = nullptr;

// About one frame of a 60 Hz screen.
constexpr int frame_interval_ms = 16;
// The cursor runs on by the clock at most this far past the last position
// the player reported (the output hands its frames over in 23 ms pieces).
constexpr int longest_run_on_ms = 60;

const QColor cursor_colour(255, 48, 48);

// A sonogram takes a byte per 44.1 kHz frame: the first half hour of a longer
// recording (an audio CD track played whole) is shown, in 80 MB.
constexpr std::uint64_t longest_analysed_ms = 30 * 60 * 1000;

// The recording's number among its species' recordings, from 1; 0 if not found.
int recording_number(const Tcupaitem& item) {
    int number = 1;
    for (const Tcupaitem* other = item.species ? item.species->first_recording_item : nullptr;
         other != nullptr; other = other->next_item_of_species, ++number)
        if (other == &item)
            return number;
    return 0;
}

} // namespace

TSonogramForm* sonogram_form() {
    return the_form;
}

// ---- SonogramView

SonogramView::SonogramView(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(240, 120);
    setCursor(Qt::PointingHandCursor);
}

void SonogramView::set_sonogram(std::shared_ptr<const Sonogram> sonogram,
                                const SonogramSettings& settings) {
    sonogram_ = std::move(sonogram);
    settings_ = settings;
    redraw();
}

void SonogramView::set_hint(const QString& hint) {
    hint_ = hint;
    if (!sonogram_)
        redraw();
}

double SonogramView::seconds() const {
    return sonogram_ ? sonogram_->seconds() : 0;
}

QRect SonogramView::plot_area() const {
    return sonogram_plot_area(size());
}

double SonogramView::time_at(int x) const {
    return sonogram_time_at(plot_area(), seconds(), x);
}

int SonogramView::x_at(double time) const {
    return sonogram_x_at(plot_area(), seconds(), time);
}

void SonogramView::redraw() {
    picture_ = QImage(size(), QImage::Format_RGB32);
    const QRect plot = plot_area();
    drawn_seconds_ = seconds();
    drawn_to_x_ = plot.left();
    {
        QPainter painter(&picture_);
        if (!sonogram_) {
            painter.fillRect(rect(), palette().color(QPalette::Window));
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                             hint_);
            update();
            return;
        }
        draw_sonogram_frame(painter, size(), plot, drawn_seconds_, settings_);
    }
    follow_worker();
    update();
}

void SonogramView::follow_worker() {
    if (!sonogram_ || picture_.isNull())
        return;
    if (seconds() != drawn_seconds_) { // the worker found the real length
        redraw();
        return;
    }
    const QRect plot = plot_area();
    const double ready_seconds =
        static_cast<double>(sonogram_->columns_ready()) * sonogram_->seconds_per_column();
    const int reached = sonogram_->finished() ? plot.right() + 1
                                              : sonogram_x_at(plot, drawn_seconds_, ready_seconds);
    if (reached <= drawn_to_x_)
        return;
    // The last column drawn may have been only partly ready.
    const int first = std::max(plot.left(), drawn_to_x_ - 1);
    draw_sonogram_levels(picture_, plot, *sonogram_, settings_, drawn_seconds_, first, reached - 1);
    drawn_to_x_ = reached;
    update(QRect(first, plot.top(), reached - first, plot.height()));
}

void SonogramView::set_cursor(std::optional<double> seconds) {
    auto strip = [this](std::optional<double> at) {
        if (!at || !sonogram_)
            return QRect();
        const QRect plot = plot_area();
        return QRect(x_at(*at) - 1, plot.top(), 3, plot.height());
    };
    const QRect before = strip(cursor_);
    cursor_ = seconds;
    const QRect after = strip(cursor_);
    if (before == after)
        return;
    update(before);
    update(after);
}

void SonogramView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_, event->rect());
    if (!cursor_ || !sonogram_)
        return;
    const QRect plot = plot_area();
    const int x = x_at(*cursor_);
    painter.setPen(cursor_colour);
    painter.drawLine(x, plot.top(), x, plot.bottom());
}

void SonogramView::resizeEvent(QResizeEvent*) {
    redraw();
}

void SonogramView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        seek_at(event->position().toPoint().x());
}

void SonogramView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        seek_at(event->position().toPoint().x());
}

void SonogramView::seek_at(int x) {
    if (!sonogram_ || !seek)
        return;
    const QRect plot = plot_area();
    seek(time_at(std::clamp(x, plot.left(), plot.right())));
}

// ---- TSonogramForm

TSonogramForm::TSonogramForm(const CoreContext& core, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , core_(core)
    , settings_(read_sonogram_settings(core.settings)) {
    setObjectName("sonogram_form");
    setWindowTitle(to_qstring(core_.texts.text(kz_sonogram::caption)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    menu_bar_ = new QMenuBar(this);
    layout->setMenuBar(menu_bar_);
    view_ = new SonogramView(this);
    view_->setObjectName("sonogram_view");
    view_->set_hint(to_qstring(core_.texts.text(kz_sonogram::nothing_to_show)));
    view_->seek = [this](double seconds) { seek(seconds); };
    layout->addWidget(view_);
    create_menus();
    resize(900, 340);
    timer_ = new QTimer(this);
    timer_->setInterval(frame_interval_ms);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &TSonogramForm::frame);
    the_form = this;
}

TSonogramForm::~TSonogramForm() {
    if (the_form == this)
        the_form = nullptr;
}

Tsound_bar* TSonogramForm::sound_bar() const {
    return bar_;
}

QString TSonogramForm::menu_caption() const {
    return to_qstring(core_.texts.text(kz_sonogram::menu_item));
}

void TSonogramForm::create_menus() {
    auto caption = [this](const TextLine& line, const char* suffix = "") {
        return to_qstring(core_.texts.text(line) + suffix);
    };
    QMenu* picture = menu_bar_->addMenu(caption(kz_sonogram::picture_menu));
    QAction* export_png = picture->addAction(caption(kz_sonogram::export_png, "..."));
    export_png->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(export_png, &QAction::triggered, this, &TSonogramForm::export_with_dialog);
    QAction* copy = picture->addAction(caption(kz_sonogram::copy));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &TSonogramForm::copy_to_clipboard);

    QMenu* view = menu_bar_->addMenu(caption(kz_sonogram::view_menu));
    const QString samples = caption(kz_sonogram::samples);
    std::vector<std::pair<QString, int>> sizes;
    for (int size : {256, 512, 1024})
        sizes.emplace_back(QString::number(size) + " " + samples, size);
    add_choices(view->addMenu(caption(kz_sonogram::window_size)), sizes, settings_.window_size,
                [](SonogramSettings& s, int size) { s.window_size = size; });
    std::vector<std::pair<QString, int>> ranges;
    for (int highest : {5500, 8000, 11000, 16000, 22050})
        ranges.emplace_back(QString("0 - %1 kHz").arg(highest / 1000.0), highest);
    add_choices(view->addMenu(caption(kz_sonogram::frequency_range)), ranges,
                settings_.lowest_hz == 0 ? settings_.highest_hz : -1,
                [](SonogramSettings& s, int highest) {
                    s.lowest_hz = 0;
                    s.highest_hz = highest;
                });
    std::vector<std::pair<QString, int>> levels;
    for (int db : {50, 70, 90, 110})
        levels.emplace_back(QString("%1 dB").arg(db), db);
    add_choices(view->addMenu(caption(kz_sonogram::dynamic_range)), levels,
                settings_.dynamic_range_db,
                [](SonogramSettings& s, int db) { s.dynamic_range_db = db; });
}

void TSonogramForm::add_choices(QMenu* menu, const std::vector<std::pair<QString, int>>& choices,
                                int current, std::function<void(SonogramSettings&, int)> apply) {
    auto* group = new QActionGroup(menu);
    for (const auto& [label, value] : choices) {
        QAction* action = menu->addAction(label);
        action->setCheckable(true);
        action->setChecked(value == current);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, apply, value = value] {
            SonogramSettings changed = settings_;
            apply(changed, value);
            set_settings(changed);
        });
    }
}

void TSonogramForm::show_for(Tsound_bar& bar) {
    if (!bar.is_opened())
        bar.open();
    attach(bar);
    show();
    raise();
    activateWindow();
    timer_->start();
}

void TSonogramForm::attach(Tsound_bar& bar) {
    bar_ = &bar;
    last_reported_ms_ = -1;
    unreadable_ = false;
    std::string title = core_.texts.text(kz_sonogram::caption);
    if (const Tcupaitem* item = bar.recording_item(); item && item->species)
        title +=
            " - " + item->species->scientific_name + " " + std::to_string(recording_number(*item));
    setWindowTitle(to_qstring(title));
    load_sonogram();
}

void TSonogramForm::load_sonogram() {
    sonogram_.reset();
    const Tcupaitem* item = bar_ ? bar_->recording_item() : nullptr;
    if (item && item->cut_part) {
        const void* recording = item->cut_part;
        sonogram_ = cache_.find(recording, settings_.window_size);
        audio::SourceFactory samples;
        if ((!sonogram_ || sonogram_->failed()) && bar_->is_opened() &&
            bar_->player().SpanSamples(samples)) {
            const auto length = std::min<std::uint64_t>(
                static_cast<std::uint64_t>(std::max(0, item->cut_part->length_ms)),
                longest_analysed_ms);
            const std::uint64_t frames = length * audio::output_rate / 1000 + 1;
            sonogram_ = cache_.sonogram(recording, settings_.window_size, frames, samples);
        }
        if (sonogram_ && sonogram_->failed())
            sonogram_.reset();
    }
    unreadable_ = !sonogram_ && bar_ && bar_->is_opened();
    if (unreadable_)
        view_->set_hint(to_qstring(core_.texts.text(kz_sonogram::sound_unreadable)));
    else
        view_->set_hint(to_qstring(core_.texts.text(kz_sonogram::nothing_to_show)));
    view_->set_sonogram(sonogram_, settings_);
    view_->set_cursor(cursor_seconds());
}

void TSonogramForm::set_settings(const SonogramSettings& settings) {
    if (settings == settings_)
        return;
    const bool new_analysis = settings.window_size != settings_.window_size;
    settings_ = settings;
    write_sonogram_settings(core_.settings, settings_);
    if (new_analysis)
        load_sonogram();
    else
        view_->set_sonogram(sonogram_, settings_);
}

void TSonogramForm::frame() {
    if (Tsound_bar* playing = playing_sound_bar();
        playing != nullptr && playing != bar_ && playing->is_playing())
        attach(*playing);
    if (sonogram_ && sonogram_->finished() && sonogram_->failed()) {
        sonogram_.reset();
        unreadable_ = true;
        view_->set_hint(to_qstring(core_.texts.text(kz_sonogram::sound_unreadable)));
        view_->set_sonogram(nullptr, settings_);
    }
    if (bar_ && !sonogram_ && !unreadable_ && bar_->is_opened())
        load_sonogram();
    view_->follow_worker();
    view_->set_cursor(cursor_seconds());
}

std::optional<double> TSonogramForm::cursor_seconds() {
    if (!bar_ || !sonogram_)
        return std::nullopt;
    int ms = 0;
    if (!bar_->is_playing() || !bar_->player().GetPosition(ms)) {
        last_reported_ms_ = -1;
        return bar_->current_position() / 10.0;
    }
    if (ms != last_reported_ms_) {
        last_reported_ms_ = ms;
        since_report_.restart();
    }
    const auto run_on = std::min<qint64>(since_report_.elapsed(), longest_run_on_ms);
    return std::min((ms + static_cast<double>(run_on)) / 1000.0, sonogram_->seconds());
}

void TSonogramForm::seek(double seconds) {
    if (!bar_)
        return;
    bar_->seek_to(static_cast<int>(std::lround(seconds * 1000)));
    last_reported_ms_ = -1;
    view_->set_cursor(seconds);
}

QImage TSonogramForm::picture() const {
    if (!sonogram_)
        return view_->picture();
    return sonogram_picture(*sonogram_, settings_, view_->size());
}

bool TSonogramForm::export_png(const QString& path) {
    // Encoded first and written whole, so a full disk never leaves half a
    // picture in place of one the user chose to replace.
    QByteArray png;
    QBuffer buffer(&png);
    if (buffer.open(QIODevice::WriteOnly) && picture().save(&buffer, "PNG") &&
        replace_file(QFile::encodeName(path).toStdString(),
                     std::string_view(png.constData(), static_cast<std::size_t>(png.size()))) == 0)
        return true;
    message(core_.texts.text(kz_sonogram::not_saved) + " " +
                system_text(QDir::toNativeSeparators(path).toStdString()),
            MessageIcon::error);
    return false;
}

std::string TSonogramForm::default_file_name() const {
    const Tcupaitem* item = bar_ ? bar_->recording_item() : nullptr;
    if (!item || !item->species)
        return to_ansi(windowTitle()) + ".png";
    return item->species->scientific_name + " " + std::to_string(recording_number(*item)) + ".png";
}

void TSonogramForm::export_with_dialog() {
    const QString start = QDir::home().filePath(to_qstring(default_file_name()));
    const QString path =
        QFileDialog::getSaveFileName(this, to_qstring(core_.texts.text(kz_sonogram::caption)),
                                     start, to_qstring(core_.texts.text(kz_sonogram::png_files)));
    if (path.isEmpty())
        return;
    export_png(path.endsWith(".png", Qt::CaseInsensitive) ? path : path + ".png");
}

void TSonogramForm::copy_to_clipboard() {
    QGuiApplication::clipboard()->setImage(picture());
}

void TSonogramForm::hideEvent(QHideEvent*) {
    timer_->stop();
}

void TSonogramForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && bar_) {
        if (!event->isAutoRepeat())
            bar_->toggle();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace pemmaro
