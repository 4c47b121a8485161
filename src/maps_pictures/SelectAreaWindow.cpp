#include "maps_pictures/SelectAreaWindow.h"

#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/TextLines.h"
#include "data/SolvaraAreas.h"
#include "maps_pictures/RegionSeedPoints.h"
#include "platform/Ansi.h"
#include "platform/ProgramResources.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace pemmaro {

namespace {

constexpr int button_width = 73;
constexpr int button_gap = 15;
constexpr int button_bottom_gap = 5;
// Left of this the region map has only India's west, under the buttons' row.
constexpr int region_click_left = 80;

RegionAreaSelection* the_selection = nullptr;

QImage map_resource(const std::string& name) {
    ensure_program_resources();
    return QImage(QStringLiteral(":/") + QString::fromStdString(name));
}

std::vector<std::vector<QPoint>> region_seeds() {
    return {region_seed_points.begin(), region_seed_points.end()};
}

} // namespace

TSelectAreaForm::TSelectAreaForm(std::string bitmap_resource_name,
                                 const std::vector<std::vector<QPoint>>& seed_points,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , BitmapResourceName(std::move(bitmap_resource_name)) {
    setObjectName("TSelectAreaForm");
    setModal(true);
    map_ = std::make_unique<AreaSelectionCanvas>(
        map_resource(BitmapResourceName), seed_points,
        [this](int index) { return IsItemSelectable(index); });
    setFixedSize(map_->MapBitmap().size());
    Button_OK = new QPushButton("OK", this);
    Button_OK->setObjectName("Button_OK");
    Button_OK->setDefault(true);
    connect(Button_OK, &QPushButton::clicked, this, &QDialog::accept);
    Button_Cancel = new QPushButton("&Cancel", this);
    Button_Cancel->setObjectName("Button_Cancel");
    connect(Button_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TSelectAreaForm::~TSelectAreaForm() = default;

bool TSelectAreaForm::IsItemSelectable(int) const {
    return true;
}

void TSelectAreaForm::done(int result) {
    // OK with nothing selected leaves the window open, without a word.
    if (result != QDialog::Rejected && !map_->any_selected())
        return;
    QDialog::done(result);
}

void TSelectAreaForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setFont(qt_font(display_fonts().normal()));
}

void TSelectAreaForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), map_->canvas());
}

void TSelectAreaForm::mousePressEvent(QMouseEvent* event) {
    map_clicked(event->position().toPoint());
    QDialog::mousePressEvent(event);
}

void TSelectAreaForm::map_clicked(QPoint point) {
    if (map_->click(point))
        update();
}

TSolvaraSelectAreaForm::TSolvaraSelectAreaForm(const Ttextfile_handler& texts, QWidget* parent)
    : TSelectAreaForm("SOLVARA_MAP_BITMAP", region_seeds(), parent) {
    setObjectName("TSolvaraSelectAreaForm");
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setWindowTitle(to_qstring(texts.text(select_area::caption)));
    Button_clear_all = new QPushButton(to_qstring(texts.text(select_area::clear_all)), this);
    Button_clear_all->setObjectName("Button_clear_all");
    Button_select_all = new QPushButton(to_qstring(texts.text(select_area::select_all)), this);
    Button_select_all->setObjectName("Button_select_all");
    connect(Button_clear_all, &QPushButton::clicked, this,
            [this] { Button_clear_or_select_all_Click(false); });
    connect(Button_select_all, &QPushButton::clicked, this,
            [this] { Button_clear_or_select_all_Click(true); });
    // The items were painted by the base before this class could say which
    // of them the map shows.
    map().Paint();
}

bool TSolvaraSelectAreaForm::IsItemSelectable(int index) const {
    return TSolvaraArea::is_item_selectable(index);
}

void TSolvaraSelectAreaForm::Button_clear_or_select_all_Click(bool select_all) {
    map().clear_or_select_all(select_all);
    update();
}

void TSolvaraSelectAreaForm::showEvent(QShowEvent* event) {
    TSelectAreaForm::showEvent(event);
    lay_out_buttons();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect placed = frameGeometry();
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
}

void TSolvaraSelectAreaForm::map_clicked(QPoint point) {
    if (point.x() >= region_click_left)
        TSelectAreaForm::map_clicked(point);
}

void TSolvaraSelectAreaForm::lay_out_buttons() {
    const int height = Button_OK->sizeHint().height();
    const int top = this->height() - button_bottom_gap - height;
    int left = button_gap;
    for (QPushButton* button : {Button_clear_all, Button_select_all, Button_OK, Button_Cancel}) {
        button->setGeometry(left, top, button_width, height);
        left += button_width + button_gap;
    }
}

RegionAreaSelection::RegionAreaSelection(const Ttextfile_handler& texts)
    : texts_(texts) {
    the_selection = this;
}

RegionAreaSelection::~RegionAreaSelection() {
    if (the_selection == this)
        the_selection = nullptr;
}

int RegionAreaSelection::SelectInteractively(TSolvaraArea& area) {
    if (!window_)
        window_ = std::make_unique<TSolvaraSelectAreaForm>(texts_);
    window_->map().set_states(std::vector<bool>(area.Items.begin(), area.Items.end()));
    const int result = window_->exec();
    if (result == QDialog::Accepted) {
        for (int index = 0; index < TSolvaraArea::item_count; ++index)
            area.Items[static_cast<std::size_t>(index)] = window_->map().item(index).Selected;
    }
    return result;
}

RegionAreaSelection* region_area_selection() {
    return the_selection;
}

} // namespace pemmaro
