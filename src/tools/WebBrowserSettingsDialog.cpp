#include "tools/WebBrowserSettingsDialog.h"

#include "common/LanguageTexts.h"
#include "common/QtTextMeasurer.h"
#include "common/SettingsFile.h"
#include "common/TextEngine.h"
#include "common/WebBrowserSettings.h"
#include "platform/Ansi.h"
#include "tools/WebBrowserWindow.h"
#include "widgets/DialogButtons.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace pemmaro {

namespace {

TWebBrowserSettingsDialog* the_dialog = nullptr;

} // namespace

TWebBrowserSettingsDialog::TWebBrowserSettingsDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName("TWebBrowserSettingsDialog");
    setModal(true);
    setWindowTitle(to_qstring(text(browser_settings_dialog::caption)));

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::Box);
    bevel->setFrameShadow(QFrame::Sunken);
    CheckBox_use_integrated_browser =
        new QCheckBox(to_qstring(text(browser_settings_dialog::use_integrated_browser)), bevel);
    CheckBox_use_integrated_browser->setObjectName("CheckBox_use_integrated_browser");
    CheckBox_use_only_one_window =
        new QCheckBox(to_qstring(text(browser_settings_dialog::use_only_one_window)), bevel);
    CheckBox_use_only_one_window->setObjectName("CheckBox_use_only_one_window");
    auto* boxes = new QVBoxLayout(bevel);
    boxes->addWidget(CheckBox_use_integrated_browser);
    boxes->addWidget(CheckBox_use_only_one_window);

    const OkCancelButtons answer = make_ok_cancel_buttons(*this, "OKButton", "CancelButton");
    OKButton = answer.ok;
    CancelButton = answer.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addLayout(answer.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckBox_use_integrated_browser, &QCheckBox::clicked, this,
            &TWebBrowserSettingsDialog::apply_enabling_rule);

    if (!the_dialog)
        the_dialog = this;
}

TWebBrowserSettingsDialog::~TWebBrowserSettingsDialog() {
    if (the_dialog == this)
        the_dialog = nullptr;
}

void TWebBrowserSettingsDialog::showEvent(QShowEvent* event) {
    // The text size option may have changed the font since the last time.
    setFont(qt_font(display_fonts().normal()));
    CheckBox_use_only_one_window->setChecked(use_only_one_web_browser_window());
    CheckBox_use_integrated_browser->setChecked(use_integrated_web_browser());
    apply_enabling_rule();
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TWebBrowserSettingsDialog::apply_enabling_rule() {
    CheckBox_use_only_one_window->setEnabled(CheckBox_use_integrated_browser->isChecked());
}

void TWebBrowserSettingsDialog::accept() {
    use_integrated_web_browser() = CheckBox_use_integrated_browser->isChecked();
    use_only_one_web_browser_window() = CheckBox_use_only_one_window->isChecked();
    namespace keys = web_browser_settings;
    write_flag(keys::section, keys::use_integrated_web_browser, use_integrated_web_browser());
    write_flag(keys::section, keys::use_only_one_web_browser_window,
               use_only_one_web_browser_window());
    QDialog::accept();
}

TWebBrowserSettingsDialog* web_browser_settings_dialog() {
    return the_dialog;
}

} // namespace pemmaro
