#pragma once
// The information window about an audio CD: its title and, when the CD has a
// web page, a sentence with a link to it. A borderless pop-up, one per
// browsing window, opened from the audio CD line of a recording; a key or a
// click closes it. User-interface thread only.

#include "widgets/UnderlinedItemsForm.h"

#include <QPoint>
#include <string>

namespace pemmaro {

class Ttextfile_handler;
struct TaudioCD;

// media_text_1, then, when the CD has a web address, a line break and
// "AUDIO_CD_3" line 1, the underlined bold line 2 and line 3.
std::string about_audio_cd_text(const TaudioCD& cd, const Ttextfile_handler& texts);

class TAboutAudioCDForm : public TFormWithUnderlinedItems {
    Q_OBJECT

public:
    TAboutAudioCDForm(UrlOpener open_url, QWidget* parent);

    // Shows the CD at the point (screen coordinates), kept 5 pixels inside
    // the parent window's client area.
    void ShowAboutAudioCD(QPoint position, const TaudioCD& cd, const Ttextfile_handler& texts);

    // The text as wrapped for the window.
    const std::string& wrapped_text() const { return text_; }

protected:
    void paint_canvas(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::string text_;
    int lines_ = 1;
    int line_height_ = 15;
};

// Shows the window of the browsing window, made at its first use.
void open_audio_cd_information(QWidget* window, const TaudioCD& cd, QPoint position,
                               UrlOpener open_url);

} // namespace pemmaro
