#pragma once
// The "My Audio CDs" dialog: per audio CD whether the user owns it (only
// recordings of owned CDs are shown) and whether its tracks were copied to a
// folder on the hard disk, with a button that chooses that folder. A chosen
// folder takes effect with OK, like the boxes. User-interface thread only.

#include "sound/AudioCdChoices.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;

namespace pemmaro {

struct SelectAudioCdsServices {
    int cd_audio_device_count = 0;
    // Opens the drive dialog over the given window.
    std::function<void(QWidget* over)> choose_drive;
    std::function<void()> show_help;
    // Returns the chosen folder, none when cancelled.
    std::function<std::optional<std::string>(QWidget* parent, const std::string& start)>
        choose_folder;
};

class TSelectAudioCDsDialog : public QDialog {
    Q_OBJECT

public:
    // The data set's CDs are changed only by an accepted run.
    TSelectAudioCDsDialog(Tdata& data_set, SelectAudioCdsServices services,
                          QWidget* parent = nullptr);
    ~TSelectAudioCDsDialog() override;

    // Runs modally, centred on its parent, with the owned set (by cd_index);
    // on OK the set and the CDs' hard-disk state are updated. Returns OK.
    bool run(NumberSet& used_audio_cds);

    struct Row {
        QCheckBox* owned = nullptr;
        QLabel* label = nullptr;
        QCheckBox* on_hard_disk = nullptr;
        QPushButton* choose_folder = nullptr;
    };
    std::vector<Row> rows; // in the order of the choices
    QLabel* label_show_CD = nullptr;
    QLabel* label_copy_on_HD = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* Button_help = nullptr;
    QPushButton* Button_select_CD_ROM_drive = nullptr;

    const std::vector<AudioCdChoice>& choices() const { return choices_; }
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* create_rows();
    void create_buttons();
    void set_tab_order();
    void choose_folder_of(std::size_t row);
    void show_choices();

    Tdata& data_;
    SelectAudioCdsServices services_;
    std::vector<AudioCdChoice> choices_;
};

} // namespace pemmaro
