#include "tools/AboutForm.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/QtTextMeasurer.h"
#include "common/ScreenColours.h"
#include "common/TextDrawing.h"
#include "common/TextLines.h"
#include "platform/Ansi.h"
#include "widgets/PersonForm.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <cstdint>

namespace pemmaro {

namespace {

constexpr int margin = 10;
constexpr int indent_step = 20;
constexpr int pop_up_below_click = 4;
// A screen of so few colours shows the window without its picture.
constexpr int fewest_colours_for_pictures = 25;

QRect available_screen_area() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TAboutForm::TAboutForm(const Tdata& data_set, const CoreContext& context, QImage picture,
                       UrlOpener open_url, QWidget* parent)
    : TFormWithUnderlinedItems(std::move(open_url), parent,
                               Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , context_(context)
    , text_(about_text(data_set, context.texts, context.product))
    , maker_address_(maker_address(context.texts)) {
    setObjectName("TAboutForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (screen_properties().screen_colour_count > fewest_colours_for_pictures)
        picture_ = std::move(picture);
    setWindowTitle(to_qstring(context.product.product_title + " " +
                              context.texts.text(kz_about::caption_suffix)));
    setFont(qt_font(context.fonts.normal()));
    Url = maker_address_;
    HasUrl = !Url.empty();
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setFocusPolicy(Qt::StrongFocus);
    connect(OKButton, &QPushButton::clicked, this, &QWidget::close);
    scroll_bar_ = new QScrollBar(Qt::Vertical, this);
    scroll_bar_->setObjectName("scroll_bar");
    scroll_bar_->hide();
    connect(scroll_bar_, &QScrollBar::valueChanged, this, [this] {
        close_person_form();
        update();
    });
    lay_out();
}

TAboutForm::~TAboutForm() = default;

int TAboutForm::width_of(const AboutLine& line) const {
    // Bold is the widest style a line may use.
    const DisplayFont& bold = context_.fonts.font(FontStyle::bold, 0, FontColour::black);
    return line.indent * indent_step + text_measurer().text_width(bold, without_markup(line.text));
}

// Places the lines one below the other from the row on; returns the widest.
int TAboutForm::place_column(const std::vector<const AboutLine*>& lines, int x, int first_row) {
    int widest = 0;
    int row = first_row;
    for (const AboutLine* line : lines) {
        const int baseline = margin + (row + 1) * line_height_;
        const int left = x + line->indent * indent_step;
        placed_.push_back({line->text, QPoint(left, baseline)});
        if (line->person) {
            // From just below the row above's underline down to this row's own.
            const int right = left + text_measurer().text_width(context_.fonts.normal(),
                                                                without_markup(line->text));
            clickable_rows_.push_back(
                {baseline - line_height_ + 2, baseline + 1, left, right, line->person});
        }
        widest = std::max(widest, line->text.empty() ? 0 : width_of(*line));
        ++row;
    }
    return widest;
}

// The title lines, the credit groups in two columns of about equal length,
// the closing lines.
void TAboutForm::lay_out() {
    line_height_ = line_height(text_measurer(), context_.fonts);
    text_left_ = picture_.isNull() ? 2 * margin : picture_.width() + 3 * margin;
    placed_.clear();
    clickable_rows_.clear();
    const auto pointers = [](const std::vector<AboutLine>& lines) {
        std::vector<const AboutLine*> result;
        for (const AboutLine& line : lines)
            result.push_back(&line);
        return result;
    };
    static const AboutLine gap;
    const auto rows_of = [&](std::size_t from, std::size_t to) {
        std::vector<const AboutLine*> result;
        for (std::size_t g = from; g < to; ++g) {
            if (g > from)
                result.push_back(&gap);
            for (const AboutLine& line : text_.groups[g])
                result.push_back(&line);
        }
        return result;
    };
    std::size_t split = 0;
    std::size_t tallest = SIZE_MAX;
    for (std::size_t k = 0; k <= text_.groups.size(); ++k) {
        const std::size_t rows =
            std::max(rows_of(0, k).size(), rows_of(k, text_.groups.size()).size());
        if (rows < tallest) {
            tallest = rows;
            split = k;
        }
    }
    int row = 0;
    int widest = place_column(pointers(text_.head), text_left_, row);
    row += static_cast<int>(text_.head.size()) + 1;
    const std::vector<const AboutLine*> left = rows_of(0, split);
    const std::vector<const AboutLine*> right = rows_of(split, text_.groups.size());
    const int left_width = place_column(left, text_left_, row);
    const int right_x = text_left_ + left_width + 3 * margin;
    const int right_width = place_column(right, right_x, row);
    widest = std::max({widest, left_width, right_x - text_left_ + right_width});
    row += static_cast<int>(tallest) + 1;
    widest = std::max(widest, place_column(pointers(text_.foot), text_left_, row));
    row += static_cast<int>(text_.foot.size());

    const QSize button = OKButton->sizeHint();
    const int text_bottom = margin + (row + 1) * line_height_;
    const int picture_bottom = picture_.isNull() ? 0 : picture_.height() + 2 * margin;
    content_size_ = QSize(text_left_ + widest + 2 * margin + button.width() + margin,
                          std::max({text_bottom, picture_bottom, button.height() + 2 * margin}));
    size_window();
}

// A window taller than the screen scrolls, and opens maximised.
void TAboutForm::size_window() {
    const QRect screen = available_screen_area();
    const int frame = 40; // the title bar and borders of a window manager
    QSize window = content_size_;
    const bool scrolls = content_size_.height() > screen.height() - frame;
    if (scrolls) {
        window.setHeight(screen.height() - frame);
        window.rwidth() += scroll_bar_->sizeHint().width();
    }
    scroll_bar_->setVisible(scrolls);
    resize(window);
    move(screen.topLeft() +
         QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2));
}

void TAboutForm::exec() {
    setWindowModality(Qt::ApplicationModal);
    if (scroll_bar_->isVisible())
        showMaximized();
    else
        show();
    OKButton->setFocus();
    QEventLoop loop;
    connect(this, &TAboutForm::closed, &loop, &QEventLoop::quit);
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
}

int TAboutForm::vertical_scroll_position() const {
    return scroll_bar_->isVisible() ? scroll_bar_->value() : 0;
}

const TPersonForm* TAboutForm::shown_person_form() const {
    return person_form_ && person_form_->isVisible() ? person_form_.data() : nullptr;
}

void TAboutForm::paint_canvas(QPainter& painter) {
    if (!picture_.isNull())
        painter.drawImage(QPoint(margin, margin), picture_);
    TextDrawing drawing;
    drawing.font = &context_.fonts.normal();
    drawing.line_height = line_height_;
    drawing.link_colour = screen_properties().screen_green;
    for (const PlacedLine& line : placed_) {
        QPoint pen = line.pen;
        draw_marked_up_text(painter, pen, line.text, drawing);
    }
}

void TAboutForm::mousePressEvent(QMouseEvent* event) {
    close_person_form();
    const QPoint at = event->position().toPoint();
    const int y = at.y() + vertical_scroll_position();
    for (const ClickableRow& row : clickable_rows_) {
        if (y >= row.first && y <= row.last && at.x() >= row.left && at.x() <= row.right &&
            IsItemUnderMouse(at.x(), y)) {
            if (!person_form_)
                person_form_ = new TPersonForm(context_, this);
            person_form_->ShowPerson(mapToGlobal(at + QPoint(0, pop_up_below_click)), *row.person,
                                     false);
            return;
        }
    }
    // Any other underlined item is the maker's address.
    TFormWithUnderlinedItems::mousePressEvent(event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    close_person_form();
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        break;
    default:
        TFormWithUnderlinedItems::keyPressEvent(event);
    }
}

void TAboutForm::resizeEvent(QResizeEvent* event) {
    TFormWithUnderlinedItems::resizeEvent(event);
    const int bar_width = scroll_bar_->isVisible() ? scroll_bar_->sizeHint().width() : 0;
    const QSize button = OKButton->sizeHint();
    OKButton->setGeometry(width() - bar_width - margin - button.width(), margin, button.width(),
                          button.height());
    scroll_bar_->setGeometry(width() - bar_width, 0, bar_width, height());
    scroll_bar_->setRange(0, std::max(0, content_size_.height() - height()));
    scroll_bar_->setPageStep(height());
    scroll_bar_->setSingleStep(line_height_);
}

void TAboutForm::changeEvent(QEvent* event) {
    TFormWithUnderlinedItems::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        close_person_form();
}

void TAboutForm::closeEvent(QCloseEvent* event) {
    close_person_form();
    TFormWithUnderlinedItems::closeEvent(event);
    emit closed();
}

void TAboutForm::close_person_form() {
    if (person_form_)
        person_form_->hide();
}

} // namespace pemmaro
