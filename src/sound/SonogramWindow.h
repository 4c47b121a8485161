#pragma once
// The sonogram pane: the sonogram of the recording that plays (or whose sound
// bar asked for it last), filled in while a worker computes it, with a cursor
// that follows the playback; a click or a drag on it seeks the recording.
// Its menus export the picture as a PNG file, copy it to the clipboard and
// choose the window size, frequency range and dynamic range (kept in the
// settings file). One pane for the program, hidden rather than closed.
//
// Threads: user-interface thread only; the sonograms are computed by the
// workers of its SonogramCache.

#include "sound/Sonogram.h"
#include "sound/SonogramCache.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QTimer;

namespace pemmaro {

struct CoreContext;
class Tsound_bar;

// The plot: paints a cached picture of the sonogram and the cursor over it.
class SonogramView : public QWidget {
    Q_OBJECT

public:
    explicit SonogramView(QWidget* parent = nullptr);

    // Shows the sonogram (none: only the hint text).
    void set_sonogram(std::shared_ptr<const Sonogram> sonogram, const SonogramSettings& settings);
    void set_hint(const QString& hint);
    // Draws the columns the worker finished since the last call.
    void follow_worker();
    // The cursor at a time in seconds (none: no cursor); repaints only the
    // strips it leaves and enters.
    void set_cursor(std::optional<double> seconds);
    std::optional<double> cursor() const { return cursor_; }

    // The plot's time at a point of the view, and the point of a time.
    double time_at(int x) const;
    int x_at(double seconds) const;
    QRect plot_area() const;
    const QImage& picture() const { return picture_; }

    // Called with the time clicked or dragged to.
    std::function<void(double seconds)> seek;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void redraw();
    double seconds() const;
    void seek_at(int x);

    std::shared_ptr<const Sonogram> sonogram_;
    SonogramSettings settings_;
    QString hint_;
    QImage picture_;
    int drawn_to_x_ = 0; // pixel columns drawn so far, from the plot's left
    double drawn_seconds_ = 0;
    std::optional<double> cursor_;
};

class TSonogramForm : public QWidget {
    Q_OBJECT

public:
    // The core gives the texts and the settings file; it must outlive the pane.
    explicit TSonogramForm(const CoreContext& core, QWidget* parent = nullptr);
    ~TSonogramForm() override;

    // Shows the pane with the bar's recording, opening the bar's player when needed.
    void show_for(Tsound_bar& bar);
    QString menu_caption() const;

    SonogramView& view() { return *view_; }
    Tsound_bar* sound_bar() const;
    std::shared_ptr<const Sonogram> sonogram() const { return sonogram_; }
    const SonogramSettings& settings() const { return settings_; }
    void set_settings(const SonogramSettings& settings);

    // The picture as exported: the sonogram with its axes at the view's size.
    QImage picture() const;
    // Writes the picture; a message tells when it cannot.
    bool export_png(const QString& path);
    // Asks for a file (the species and the recording's number as its name).
    void export_with_dialog();
    void copy_to_clipboard();
    // The file name offered first.
    std::string default_file_name() const;

    // One frame: follows the bar that plays, the worker and the cursor.
    void frame();

protected:
    void hideEvent(QHideEvent* event) override;
    // Space plays or pauses the recording, Escape closes the pane.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void create_menus();
    void add_choices(QMenu* menu, const std::vector<std::pair<QString, int>>& choices, int current,
                     std::function<void(SonogramSettings&, int)> apply);
    void attach(Tsound_bar& bar);
    void load_sonogram();
    std::optional<double> cursor_seconds();
    void seek(double seconds);

    const CoreContext& core_;
    SonogramSettings settings_;
    SonogramCache cache_;
    QMenuBar* menu_bar_ = nullptr; // child widget
    SonogramView* view_ = nullptr; // child widget
    QTimer* timer_ = nullptr;      // child object
    QPointer<Tsound_bar> bar_;
    std::shared_ptr<const Sonogram> sonogram_;
    // The player's position arrives in steps of the output's chunks: the
    // cursor runs on from the last step by the clock.
    int last_reported_ms_ = -1;
    bool unreadable_ = false; // the bar's sound could not be read: not tried again
    QElapsedTimer since_report_;
};

// The program's pane, while there is one (it registers itself).
TSonogramForm* sonogram_form();

} // namespace pemmaro
