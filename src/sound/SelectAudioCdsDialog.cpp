#include "sound/SelectAudioCdsDialog.h"

#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/TextEngine.h"
#include "data/DataSet.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace pemmaro {

namespace {

constexpr int least_width = 400;
constexpr int heading_left = 15;
constexpr int heading_top = 25;
constexpr int rows_below_headings = 10;

QRect screen_area() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// "&" + number + ": " + title: the number is the accelerator of the CD's box.
QString row_caption(const TaudioCD& cd) {
    return "&" + QString::number(cd.cd_index) + ": " +
           to_qstring(cd.media_text_1).replace("&", "&&");
}

QString folder_tip(const std::string& folder) {
    return QFile::decodeName(QByteArray::fromStdString(folder));
}

} // namespace

TSelectAudioCDsDialog::TSelectAudioCDsDialog(Tdata& data_set, SelectAudioCdsServices services,
                                             QWidget* parent)
    : QDialog(parent)
    , data_(data_set)
    , services_(std::move(services))
    , choices_(audio_cd_choices(data_set, NumberSet())) {
    setObjectName("TSelectAudioCDsDialog");
    setWindowTitle(to_qstring(text(my_audio_cds::caption)));
    setFont(qt_font(display_fonts().normal()));

    label_show_CD = new QLabel(to_qstring(text(my_audio_cds::show_cd)), this);
    label_show_CD->setObjectName("label_show_CD");
    label_copy_on_HD = new QLabel(to_qstring(text(my_audio_cds::copy_on_hard_disk)), this);
    label_copy_on_HD->setObjectName("label_copy_on_HD");
    auto* headings = new QHBoxLayout;
    headings->addWidget(label_show_CD);
    headings->addStretch();
    headings->addWidget(label_copy_on_HD);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(heading_left, heading_top, heading_left, heading_left);
    layout->addLayout(headings);
    layout->addSpacing(rows_below_headings);
    layout->addWidget(create_rows(), 1);
    create_buttons();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {OKButton, CancelButton, Button_help, Button_select_CD_ROM_drive})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    set_tab_order();
    resize(std::max(least_width, screen_area().width() * 2 / 3), sizeHint().height());
}

TSelectAudioCDsDialog::~TSelectAudioCDsDialog() = default;

QWidget* TSelectAudioCDsDialog::create_rows() {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(fontMetrics().height() / 2);
    grid->setColumnStretch(1, 1);
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        const TaudioCD& cd = *choices_[i].cd;
        Row row;
        row.owned = new QCheckBox(content);
        row.owned->setObjectName(QString("owned_%1").arg(cd.cd_index));
        row.label = new QLabel(row_caption(cd), content);
        row.label->setWordWrap(true);
        row.label->setBuddy(row.owned);
        row.label->installEventFilter(this);
        row.on_hard_disk = new QCheckBox(content);
        row.on_hard_disk->setObjectName(QString("on_hard_disk_%1").arg(cd.cd_index));
        row.choose_folder = new QPushButton("...", content);
        row.choose_folder->setObjectName(QString("choose_folder_%1").arg(cd.cd_index));
        row.choose_folder->setFixedWidth(25);
        row.choose_folder->setAutoDefault(false);
        const int r = static_cast<int>(i);
        grid->addWidget(row.owned, r, 0, Qt::AlignTop);
        grid->addWidget(row.label, r, 1);
        grid->addWidget(row.on_hard_disk, r, 2, Qt::AlignTop);
        grid->addWidget(row.choose_folder, r, 3, Qt::AlignTop);
        connect(row.owned, &QCheckBox::toggled, this,
                [this, i](bool checked) { choices_[i].owned = checked; });
        connect(row.on_hard_disk, &QCheckBox::toggled, this,
                [this, i](bool checked) { choices_[i].on_hard_disk = checked; });
        connect(row.choose_folder, &QPushButton::clicked, this, [this, i] { choose_folder_of(i); });
        rows.push_back(row);
    }
    grid->setRowStretch(static_cast<int>(choices_.size()), 1);

    // Many CDs scroll rather than push the buttons off the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(content);
    scroll->setMinimumHeight(
        std::min(content->sizeHint().height() + 2, screen_area().height() * 2 / 3));
    return scroll;
}

void TSelectAudioCDsDialog::create_buttons() {
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    Button_help = new QPushButton(to_qstring(text(my_audio_cds::help_button)), this);
    Button_help->setObjectName("Button_help");
    Button_select_CD_ROM_drive =
        new QPushButton(to_qstring(text(my_audio_cds::drive_button) + "..."), this);
    Button_select_CD_ROM_drive->setObjectName("Button_select_CD_ROM_drive");
    Button_select_CD_ROM_drive->setVisible(services_.cd_audio_device_count > 1);
    for (QPushButton* button : {CancelButton, Button_help, Button_select_CD_ROM_drive})
        button->setAutoDefault(false);
    connect(OKButton, &QPushButton::clicked, this, &TSelectAudioCDsDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &TSelectAudioCDsDialog::reject);
    connect(Button_help, &QPushButton::clicked, this, [this] {
        if (services_.show_help)
            services_.show_help();
    });
    connect(Button_select_CD_ROM_drive, &QPushButton::clicked, this, [this] {
        if (services_.choose_drive)
            services_.choose_drive(this);
    });
}

void TSelectAudioCDsDialog::set_tab_order() {
    std::vector<QWidget*> order;
    for (const Row& row : rows)
        order.insert(order.end(), {row.owned, row.on_hard_disk, row.choose_folder});
    order.insert(order.end(), {OKButton, CancelButton, Button_help, Button_select_CD_ROM_drive});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TSelectAudioCDsDialog::run(NumberSet& used_audio_cds) {
    choices_ = audio_cd_choices(data_, used_audio_cds);
    show_choices();
    if (QWidget* window = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(window->frameGeometry().center());
        move(frame.topLeft());
    }
    if (!rows.empty())
        rows.front().owned->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    apply_audio_cd_choices(choices_, used_audio_cds);
    return true;
}

void TSelectAudioCDsDialog::show_choices() {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // Copied first: setting a box writes the choice back.
        const AudioCdChoice choice = choices_[i];
        rows[i].owned->setChecked(choice.owned);
        rows[i].on_hard_disk->setChecked(choice.on_hard_disk);
        rows[i].choose_folder->setToolTip(folder_tip(choice.hard_disk_directory));
    }
}

void TSelectAudioCDsDialog::choose_folder_of(std::size_t row) {
    if (!services_.choose_folder)
        return;
    const std::optional<std::string> folder =
        services_.choose_folder(this, choices_[row].hard_disk_directory);
    if (!folder || folder->empty())
        return;
    choices_[row].hard_disk_directory = *folder;
    rows[row].choose_folder->setToolTip(folder_tip(*folder));
    // A CD whose copy's folder was just chosen is on the hard disk.
    rows[row].on_hard_disk->setChecked(true);
}

void TSelectAudioCDsDialog::accept() {
    if (const AudioCdChoice* missing = choice_without_folder(choices_)) {
        message(missing_folder_text(*missing->cd), MessageIcon::error);
        const auto row = static_cast<std::size_t>(missing - choices_.data());
        rows[row].choose_folder->setFocus();
        return;
    }
    QDialog::accept();
}

bool TSelectAudioCDsDialog::eventFilter(QObject* watched, QEvent* event) {
    // A click on a CD's title toggles its box, as on the box's own text.
    if (event->type() == QEvent::MouseButtonRelease) {
        for (const Row& row : rows) {
            if (watched == row.label) {
                row.owned->toggle();
                row.owned->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pemmaro
