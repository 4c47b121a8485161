#include "maps_pictures/BigPictureWindow.h"

#include "common/BaseDirectory.h"
#include "common/CoreContext.h"
#include "common/DataPaths.h"
#include "common/LanguageTexts.h"
#include "common/ScreenColours.h"
#include "common/TextLines.h"
#include "data/DataSet.h"
#include "maps_pictures/BigPictureLayout.h"
#include "maps_pictures/BigPictureSettings.h"
#include "maps_pictures/PictureFiles.h"
#include "maps_pictures/PictureInfoForm.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "widgets/PersonForm.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QDate>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

namespace pemmaro {

namespace {

constexpr char copyright_sign[] = "\xA9 "; // Windows-1252
constexpr int background_button_margin = 10;
// Room for the window's frame and title bar when the picture is fitted to the screen.
const QSize frame_allowance(16, 48);

QIcon glyph(const char* resource) {
    return QIcon(QPixmap(QStringLiteral(":/") + QString::fromLatin1(resource)));
}

int scroll_bar_extent(const QWidget& widget) {
    return widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
}

bool has_information(const Tbig_picture& picture) {
    return picture.locality || picture.picture_value != -1 || !picture.caption.empty();
}

// The work area of the screen the user works on: the one under the mouse.
QRect current_work_area() {
    if (const QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen->availableGeometry();
    return work_area();
}

std::optional<QColor> ask_for_colour(QWidget* window, const QColor& current) {
    QColorDialog::setCustomColor(0, QColor(255, 255, 238));
    QColorDialog::setCustomColor(1, QColor(238, 255, 255));
    const QColor chosen = QColorDialog::getColor(current, window);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

} // namespace

std::string big_picture_file(const Tbig_picture& picture) {
    const Tspecies& species = *picture.species;
    return base_directory() + big_picture_path(species.family_directory_name,
                                               std::to_string(species.unique_id),
                                               picture.picture_number);
}

TBitBtn_picture::TBitBtn_picture(const char* glyph_resource, const QString& hint, QWidget* parent)
    : QPushButton(parent) {
    setObjectName(QString::fromLatin1(glyph_resource));
    setIcon(glyph(glyph_resource));
    setFixedSize(picture_button_size, picture_button_size);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(hint);
}

void TBitBtn_picture::keyPressEvent(QKeyEvent* event) {
    if (QWidget* window = parentWidget())
        QCoreApplication::sendEvent(window, event);
}

struct TBigPictureForm::LoadedPicture {
    std::vector<std::uint8_t> bytes;
    QSize size;
    QImage image;
    int scale_denominator = 1;
};

TBigPictureForm::TBigPictureForm(const CoreContext& context, UrlOpener open_url, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , context_(context)
    , open_url_(std::move(open_url)) {
    setObjectName("TBigPictureForm");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    choose_colour = &ask_for_colour;
    const Ttextfile_handler& texts = context.texts;
    previous_button = new TBitBtn_picture("PREVIOUS_PICTURE_BUTTON",
                                          to_qstring(texts.text(kz_pictures::previous_hint)), this);
    next_button = new TBitBtn_picture("NEXT_PICTURE_BUTTON",
                                      to_qstring(texts.text(kz_pictures::next_hint)), this);
    information_button = new TBitBtn_picture(
        "INFORMATION_BUTTON", to_qstring(texts.text(kz_pictures::information_hint)), this);
    credit_button = new TBitBtn_picture("COPYRIGHT_BUTTON",
                                        to_qstring(texts.text(kz_pictures::credit_hint)), this);
    connect(previous_button, &QPushButton::clicked, this, [this] { step(false); });
    connect(next_button, &QPushButton::clicked, this, [this] { step(true); });
    connect(information_button, &QPushButton::clicked, this, &TBigPictureForm::show_information);
    connect(credit_button, &QPushButton::clicked, this, &TBigPictureForm::show_credit);
    background_color_button =
        new QPushButton(to_qstring(texts.text(kz_pictures::colour_caption)), this);
    background_color_button->setObjectName("background_color_button");
    background_color_button->setToolTip(to_qstring(texts.text(kz_pictures::colour_hint)));
    background_color_button->setFocusPolicy(Qt::NoFocus);
    background_color_button->adjustSize();
    connect(background_color_button, &QPushButton::clicked, this,
            &TBigPictureForm::choose_background_colour);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { update(); });
    }
    InfoWindow = new TPictureInfoForm(context, open_url_, this);
    PersonWindow = new TPersonForm(context, this);
}

TBigPictureForm::~TBigPictureForm() = default;

bool TBigPictureForm::SetUp(Tspecies& species, const Tsubspecies* subspecies_only,
                            Tbig_picture* picture, PictureTitleProvider title_provider) {
    Species = &species;
    SubspeciesOnly = subspecies_only != nullptr;
    Subspecies = subspecies_only;
    TitleProvider = std::move(title_provider);
    if (!picture)
        picture = neighbour_picture(species, subspecies_only, true, nullptr);
    if (!picture)
        return false;
    std::optional<LoadedPicture> loaded = load(*picture, true);
    if (!loaded)
        return false;
    take(std::move(*loaded), *picture);
    const QRect area = current_work_area();
    FitsEnlarged = fits_enlarged(picture_size_, area.size());
    return true;
}

void TBigPictureForm::show_as_set_up() {
    const QRect area = current_work_area();
    const QSize available = area.size() - frame_allowance;
    const QSize restored = restored_client_size(picture_size_, FitsEnlarged, area.size());
    if (shows_centred(picture_size_, available)) {
        resize(restored);
        move(kept_in_work_area(
                 QRect(area.center() - QPoint(restored.width(), restored.height()) / 2, restored),
                 area)
                 .topLeft());
        showMaximized();
    } else {
        const QSize whole = largest_whole_size(picture_size_, available);
        resize(whole);
        move(area.topLeft() +
             QPoint((area.width() - whole.width()) / 2,
                    (area.height() - frame_allowance.height() - whole.height()) / 2));
        show();
    }
    raise();
    activateWindow();
}

std::optional<TBigPictureForm::LoadedPicture> TBigPictureForm::load(const Tbig_picture& picture,
                                                                    bool ask_for_data) const {
    std::string path = big_picture_file(picture);
    if (ask_for_data) {
        const std::optional<std::string> found =
            locate_data_file([&picture] { return big_picture_file(picture); });
        if (!found)
            return std::nullopt;
        path = *found;
    }
    LoadedPicture loaded;
    PictureBytes content = read_picture_bytes(path);
    std::string error = content.error;
    if (error.empty()) {
        const std::optional<QSize> size = jpeg_size(content.bytes.data(), content.bytes.size());
        if (size && !size->isEmpty()) {
            // Decoded again at the scale the window needs once it knows its size.
            loaded.size = *size;
            loaded.scale_denominator = jpeg_scale_denominator(*size, shown_device_size(*size));
            JpegPicture decoded =
                decode_jpeg(content.bytes.data(), content.bytes.size(), loaded.scale_denominator);
            loaded.image = std::move(decoded.image);
            error = decoded.error;
        } else {
            error = "not a JPEG picture";
        }
    }
    if (loaded.image.isNull()) {
        if (ask_for_data)
            message(system_text("Can not show the picture \"" + path +
                                "\": " + (error.empty() ? std::string("no picture") : error) + "."),
                    MessageIcon::error);
        return std::nullopt;
    }
    loaded.bytes = std::move(content.bytes);
    return loaded;
}

void TBigPictureForm::take(LoadedPicture loaded, Tbig_picture& picture) {
    Picture = &picture;
    file_bytes_ = std::move(loaded.bytes);
    picture_size_ = loaded.size;
    image_ = std::move(loaded.image);
    scale_denominator_ = loaded.scale_denominator;
    scaled_ = QImage();
    AspectRatio = static_cast<double>(picture_size_.height()) / picture_size_.width();
    update_caption();
    lay_out();
    update();
}

bool TBigPictureForm::show_picture(Tbig_picture& picture) {
    std::optional<LoadedPicture> loaded = load(picture, false);
    if (!loaded)
        return false;
    take(std::move(*loaded), picture);
    return true;
}

void TBigPictureForm::step(bool forward) {
    close_popups();
    if (!Picture || !Species)
        return;
    if (Tbig_picture* neighbour = neighbour_picture(*Species, Subspecies, forward, Picture))
        show_picture(*neighbour);
}

bool TBigPictureForm::neighbour_shown(bool forward) const {
    if (NoNavigation || !Picture || !Species)
        return false;
    const Tbig_picture* neighbour = neighbour_picture(*Species, Subspecies, forward, Picture);
    return neighbour && resolve_existing_path(big_picture_file(*neighbour)).has_value();
}

void TBigPictureForm::update_caption() {
    std::string title =
        TitleProvider && Species ? TitleProvider(*Species, Picture->subspecies_ref) : std::string();
    if (Picture->photographer) {
        if (!title.empty())
            title += std::string(6, ' ');
        title += copyright_sign + Picture->photographer->key;
    }
    setWindowTitle(to_qstring(title));
}

bool TBigPictureForm::Zoomed() const {
    return isMaximized();
}

QSize TBigPictureForm::client_size() const {
    return {width() - (vertical_->isVisible() ? vertical_->width() : 0),
            height() - (horizontal_->isVisible() ? horizontal_->height() : 0)};
}

QRect TBigPictureForm::picture_rect() const {
    if (Zoomed())
        return own_size_picture_rect(picture_size_, client_size(),
                                     {horizontal_->value(), vertical_->value()});
    return scaled_picture_rect(picture_size_, client_size());
}

// How large a picture of that size is shown, in device pixels; before the
// window is shown, as it will open: the picture whole on the screen.
QSize TBigPictureForm::shown_device_size(QSize picture) const {
    QSize shown;
    if (!isVisible())
        shown = largest_whole_size(picture, current_work_area().size() - frame_allowance);
    else if (Zoomed())
        shown = picture;
    else
        shown = scaled_picture_rect(picture, client_size()).size();
    const double ratio = devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil(shown.width() * ratio)),
                 static_cast<int>(std::ceil(shown.height() * ratio)));
}

void TBigPictureForm::lay_out() {
    lay_out_scroll_bars();
    lay_out_buttons();
}

void TBigPictureForm::lay_out_scroll_bars() {
    const int extent = scroll_bar_extent(*this);
    ScrollBarNeeds needs;
    if (Zoomed())
        needs = scroll_bars_needed(picture_size_, size(), {extent, extent});
    horizontal_->setVisible(needs.horizontal);
    vertical_->setVisible(needs.vertical);
    const QSize client = client_size();
    horizontal_->setGeometry(0, height() - extent, client.width(), extent);
    vertical_->setGeometry(width() - extent, 0, extent, client.height());
    auto set_range = [](QScrollBar* bar, bool needed, int picture, int view) {
        const QSignalBlocker quiet(bar);
        if (!needed) {
            bar->setRange(0, 0);
            return;
        }
        bar->setRange(0, std::max(0, picture - view));
        bar->setPageStep(view);
        bar->setValue((picture - view) / 2);
    };
    set_range(horizontal_, needs.horizontal, picture_size_.width(), client.width());
    set_range(vertical_, needs.vertical, picture_size_.height(), client.height());
}

void TBigPictureForm::lay_out_buttons() {
    if (!Picture)
        return;
    const QSize client = client_size();
    const int top = picture_buttons_top(client.height());
    const bool information = ShowInfoButton && has_information(*Picture);
    previous_button->move(navigation_button_left(client.width(), 1, information), top);
    next_button->move(navigation_button_left(client.width(), 2, information), top);
    previous_button->setVisible(neighbour_shown(false));
    next_button->setVisible(neighbour_shown(true));
    information_button->move(information_button_left(client.width()), top);
    information_button->setVisible(information);
    credit_button->move(credit_button_left(client.width()), top);
    credit_button->setVisible(Picture->photographer != nullptr);
    background_color_button->move(background_button_margin, client.height() -
                                                                background_button_margin -
                                                                background_color_button->height());
    background_color_button->setVisible(background_button_fits(
        client.width(), picture_rect().width(), background_color_button->width()));
}

void TBigPictureForm::decode_for(QSize device_size) {
    const int wanted = jpeg_scale_denominator(picture_size_, device_size);
    if (wanted >= scale_denominator_ || file_bytes_.empty())
        return;
    JpegPicture decoded = decode_jpeg(file_bytes_.data(), file_bytes_.size(), wanted);
    if (decoded.image.isNull())
        return;
    image_ = std::move(decoded.image);
    scale_denominator_ = wanted;
}

const QImage& TBigPictureForm::scaled_picture(QSize device_size) {
    decode_for(device_size);
    if (image_.size() == device_size)
        return image_;
    if (scaled_.size() != device_size || scaled_from_ != image_.cacheKey()) {
        scaled_ = image_.scaled(device_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_from_ = image_.cacheKey();
    }
    return scaled_;
}

void TBigPictureForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), big_picture_settings().background);
    if (!image_.isNull()) {
        const QRect target = picture_rect();
        const double ratio = devicePixelRatioF();
        const QSize device(static_cast<int>(std::lround(target.width() * ratio)),
                           static_cast<int>(std::lround(target.height() * ratio)));
        QImage shown = scaled_picture(device);
        shown.setDevicePixelRatio(ratio);
        painter.drawImage(target.topLeft(), shown);
    }
}

void TBigPictureForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lay_out();
}

void TBigPictureForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        lay_out();
}

void TBigPictureForm::close_popups() {
    InfoWindow->hide();
    PersonWindow->hide();
}

void TBigPictureForm::show_information() {
    close_popups();
    if (!Picture)
        return;
    const std::string title =
        TitleProvider && Species ? TitleProvider(*Species, Picture->subspecies_ref) : std::string();
    const QSize client = client_size();
    InfoWindow->Show(mapToGlobal(QPoint(client.width() - 80, client.height() - 25)),
                     picture_information_text(*Picture, context_.texts), Picture->locality, title,
                     Species);
}

void TBigPictureForm::show_credit() {
    close_popups();
    if (!Picture || !Picture->photographer)
        return;
    const QSize client = client_size();
    PersonWindow->ShowPerson(mapToGlobal(QPoint(client.width() - 75, client.height() - 40)),
                             *Picture->photographer, true);
}

void TBigPictureForm::choose_background_colour() {
    close_popups();
    if (!choose_colour)
        return;
    const std::optional<QColor> chosen = choose_colour(this, big_picture_settings().background);
    if (!chosen)
        return;
    big_picture_settings().background = *chosen;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TBigPictureForm*>(window))
            window->update();
    }
}

void TBigPictureForm::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_C:
        if (control && !PersonWindow->isVisible())
            show_credit();
        break;
    case Qt::Key_I:
        if (control && !InfoWindow->isVisible())
            show_information();
        break;
    case Qt::Key_M:
        if (control && InfoWindow->isVisible())
            InfoWindow->open_map();
        break;
    case Qt::Key_Escape:
        if (InfoWindow->isVisible() || PersonWindow->isVisible())
            close_popups();
        else
            close();
        break;
    case Qt::Key_Left:
        close_popups();
        if (previous_button->isVisible())
            step(false);
        break;
    case Qt::Key_Right:
        close_popups();
        if (next_button->isVisible())
            step(true);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TBigPictureForm::mousePressEvent(QMouseEvent* event) {
    close_popups();
    QWidget::mousePressEvent(event);
}

TBigPictureForm* ShowBigPictures(const CoreContext& context, UrlOpener open_url, Tspecies& species,
                                 const Tsubspecies* subspecies_only,
                                 PictureTitleProvider title_provider) {
    give_colour_warning_if_due(context.settings, context.texts,
                               screen_properties().screen_colour_count,
                               QDate::currentDate().month());
    auto window = std::make_unique<TBigPictureForm>(context, std::move(open_url));
    if (!window->SetUp(species, subspecies_only, nullptr, std::move(title_provider)))
        return nullptr;
    TBigPictureForm* shown = window.release();
    shown->show_as_set_up();
    return shown;
}

} // namespace pemmaro
