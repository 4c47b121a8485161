#include "browse/NameOptionsDialog.h"

#include "browse/DisplaySurface.h"
#include "common/LanguageTexts.h"
#include "platform/Ansi.h"
#include "widgets/DialogButtons.h"
#include "widgets/WindowPlacement.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>
#include <optional>

namespace pemmaro {

namespace {

constexpr std::uint8_t scientific_first = 1;
constexpr std::uint8_t other_language_first = 2;

// Where the window stood when the dialog opened, to be put back on Cancel.
struct SurfacePlace {
    std::optional<std::ptrdiff_t> current_line; // position in the line list
    int scroll = 0;
};

SurfacePlace place_of(TShowForm& surface) {
    SurfacePlace place;
    TShowStrings& display = surface.display();
    if (display.current_line)
        place.current_line = std::distance(display.lines().begin(), *display.current_line);
    place.scroll = surface.scroll_position();
    return place;
}

// The names are as they were, so the lines are too: the same positions hold
// the same lines.
void go_back_to(TShowForm& surface, const SurfacePlace& place) {
    TShowStrings& display = surface.display();
    if (place.current_line && *place.current_line < std::ssize(display.lines()))
        surface.set_current_line(std::next(display.lines().begin(), *place.current_line));
    surface.scroll_to(place.scroll);
}

} // namespace

TNameOptionsDialog::TNameOptionsDialog(const Ttextfile_handler& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TNameOptionsDialog");
    setWindowTitle(to_qstring(texts.text(kz_names_db::caption)));
    OtherLanguageCheckbox =
        new QCheckBox(to_qstring(texts.text(kz_names_db::show_other_language_names)), this);
    OtherLanguageCheckbox->setObjectName("OtherLanguageCheckbox");
    ScientificCheckbox =
        new QCheckBox(to_qstring(texts.text(kz_names_db::show_scientific_names)), this);
    ScientificCheckbox->setObjectName("ScientificCheckbox");
    InFirstPositionLabel = new QLabel(to_qstring(texts.text(kz_names_db::in_first_position)), this);
    InFirstPositionLabel->setObjectName("InFirstPositionLabel");
    OtherLanguageMainRadioButton =
        new QRadioButton(to_qstring(texts.text(kz_names_db::other_language_name_first)), this);
    OtherLanguageMainRadioButton->setObjectName("OtherLanguageMainRadioButton");
    ScientificMainRadioButton =
        new QRadioButton(to_qstring(texts.text(kz_names_db::scientific_name_first)), this);
    ScientificMainRadioButton->setObjectName("ScientificMainRadioButton");
    const OkCancelButtons answer = make_ok_cancel_buttons(*this, "OKBtn", "CancelBtn");
    OKBtn = answer.ok;
    CancelBtn = answer.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OtherLanguageCheckbox);
    layout->addWidget(ScientificCheckbox);
    layout->addSpacing(8);
    layout->addWidget(InFirstPositionLabel);
    layout->addWidget(OtherLanguageMainRadioButton);
    layout->addWidget(ScientificMainRadioButton);
    layout->addLayout(answer.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OtherLanguageCheckbox, &QCheckBox::clicked, this,
            &TNameOptionsDialog::other_language_clicked);
    connect(ScientificCheckbox, &QCheckBox::clicked, this, &TNameOptionsDialog::scientific_clicked);
    connect(OtherLanguageMainRadioButton, &QRadioButton::clicked, this,
            &TNameOptionsDialog::other_language_main_clicked);
    connect(ScientificMainRadioButton, &QRadioButton::clicked, this,
            &TNameOptionsDialog::scientific_main_clicked);
}

void TNameOptionsDialog::run(TShowForm& surface, const QFont& font) {
    surface_ = &surface;
    const std::uint32_t opening = surface.display().options().name_options();
    const SurfacePlace place = place_of(surface);
    show_options(opening);
    setFont(font);
    OtherLanguageCheckbox->setFocus();
    centre_on(*this, *surface.window());
    if (exec() != QDialog::Accepted) {
        surface.apply_name_options(opening);
        go_back_to(surface, place);
    }
    surface_ = nullptr;
}

void TNameOptionsDialog::show_options(std::uint32_t name_options) {
    updating_ = true;
    const bool scientific = (name_options & 0xFF) != 0;
    const bool other_language = ((name_options >> 8) & 0xFF) != 0;
    const bool other_first = ((name_options >> 16) & 0xFF) == other_language_first;
    OtherLanguageCheckbox->setChecked(other_language);
    ScientificCheckbox->setChecked(scientific);
    OtherLanguageMainRadioButton->setChecked(other_first);
    ScientificMainRadioButton->setChecked(!other_first);
    updating_ = false;
}

// At least one kind of name is always shown, and the kind that stands first
// is always one of them.
void TNameOptionsDialog::other_language_clicked() {
    if (updating_)
        return;
    if (!OtherLanguageCheckbox->isChecked()) {
        ScientificCheckbox->setChecked(true);
        ScientificMainRadioButton->setChecked(true);
    }
    apply();
}

void TNameOptionsDialog::scientific_clicked() {
    if (updating_)
        return;
    if (!ScientificCheckbox->isChecked()) {
        OtherLanguageCheckbox->setChecked(true);
        OtherLanguageMainRadioButton->setChecked(true);
    }
    apply();
}

void TNameOptionsDialog::other_language_main_clicked() {
    if (updating_)
        return;
    OtherLanguageCheckbox->setChecked(true);
    apply();
}

void TNameOptionsDialog::scientific_main_clicked() {
    if (updating_)
        return;
    ScientificCheckbox->setChecked(true);
    apply();
}

std::uint32_t TNameOptionsDialog::chosen() const {
    return pack_name_options(ScientificCheckbox->isChecked(), OtherLanguageCheckbox->isChecked(),
                             OtherLanguageMainRadioButton->isChecked() ? other_language_first
                                                                       : scientific_first);
}

void TNameOptionsDialog::apply() {
    if (surface_)
        surface_->apply_name_options(chosen());
}

} // namespace pemmaro
