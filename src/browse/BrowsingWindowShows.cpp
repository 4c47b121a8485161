// The browsing window's shows: the Show! command and the show window that
// plays recordings by itself (the sounds show, a play list).

#include "browse/BrowsingWindow.h"
#include "browse/DisplaySurface.h"
#include "browse/ShowWindowSteps.h"
#include "browse/WindowCaption.h"
#include "browse/WindowList.h"
#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/RecordingsAndPicturesList.h"
#include "data/VisibleSpecies.h"
#include "platform/Ansi.h"

#include <QAction>
#include <QMenuBar>
#include <QTimer>

namespace pemmaro {

void TChildForm::start_show() {
    if (show_window_ref_) {
        show_window_ref_->showNormal();
        show_window_ref_->raise();
        show_window_ref_->activateWindow();
        return;
    }
    if (!services_.run_show_settings_dialog)
        return;
    const bool any_show_picture = count_show_species(surface_->display().options().visible) > 0;
    const std::optional<ShowSettings> chosen =
        services_.run_show_settings_dialog(this, show_settings_, any_show_picture);
    if (!chosen)
        return;
    show_settings_ = *chosen;
    write_show_settings(services_.core->settings, show_settings_);
    start_show_with(show_settings_);
}

void TChildForm::start_show_with(const ShowSettings& settings) {
    show_settings_ = settings;
    if (settings.slides) {
        if (services_.start_slides_show)
            services_.start_slides_show(
                this, settings, surface_->display().options().visible,
                [this](const Tspecies& species, const std::optional<Trecord_ssp_data>& subspecies) {
                    return species_window_caption(species, subspecies,
                                                  surface_->display().options().name_options(),
                                                  services_.core->texts);
                },
                *pictures_list_);
        return;
    }
    // A child of the main window, like the other secondary windows, so that
    // it stays above it and ends with it.
    QWidget* owner = top_forms().main_child_form();
    auto* window = new TChildForm(services_, owner ? owner : this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->initialise(
        {.secondary = true,
         .copy_from = this,
         .restore_from_settings = false,
         .show = ShowWindowInit{settings.sound_quality_level, settings.sound_options, {}, this}});
    show_window_ref_ = window;
    window->show();
    window->raise();
    window->activateWindow();
}

void TChildForm::initialise_show_window(const ShowWindowInit& show) {
    show_opener_ = show.opener;
    menuBar()->hide();
    // A show window answers none of the menus' keys, nor the window keys.
    for (QAction* action : menuBar()->findChildren<QAction*>())
        action->setEnabled(false);
    for (QAction* action : actions())
        action->setEnabled(false);
    ShowFormActions& surface_actions = surface_->actions;
    surface_actions.find = nullptr;
    surface_actions.find_again = nullptr;
    surface_actions.switch_window = nullptr;
    auto* stop = new QAction(this);
    stop->setObjectName("stop_show");
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(stop, &QAction::triggered, this, &QWidget::close);
    addAction(stop);

    ShowWindowStepsServices steps;
    steps.play_list_next = show.play_list_next;
    steps.random = services_.show_random;
    steps.close_show = [this] {
        // Not from inside the tick that asked for it.
        QTimer::singleShot(0, this, &QWidget::close);
    };
    if (!show.play_list_next)
        steps.log_recording = [this](const Tspecies& species, int number) {
            if (show_opener_)
                show_opener_->pictures_list().AddRecording(species, number);
        };
    show_steps_ = std::make_unique<ShowWindowSteps>(*surface_, services_.core->product,
                                                    show.sound_quality_level, std::move(steps));
    show_handler_ = std::make_unique<Tsounds_demo_and_play_lists_handler>(
        static_cast<bool>(show.play_list_next), show.sound_options, *show_steps_);
    setWindowTitle(to_qstring(services_.core->texts.text(sound_demo::caption)));
}

void TChildForm::play_sounds_tick() {
    if (!show_handler_)
        return;
    if (const std::optional<int> delay = show_handler_->tick())
        Timer_play_sounds->start(*delay);
}

} // namespace pemmaro
