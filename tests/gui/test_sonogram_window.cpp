#include "TestContext.h"
#include "TestSupport.h"
#include "data/DataSet.h"
#include "platform/FileIO.h"
#include "sound/SonogramWindow.h"
#include "sound/SoundBars.h"
#include "sound/SoundPlayers.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <sndfile.h>
#include <vector>

using namespace pemmaro;
using namespace pemmaro::test;

namespace {

const char* const sonogram_texts =
    "$[KZ_SONOGRAM]\r\nSono&gram\r\nSonogram\r\n"
    "Play a recording to see its sonogram.\r\n&Picture\r\n"
    "&Export as PNG\r\n&Copy\r\n&View\r\n&Window Size\r\n"
    "&Frequency Range\r\n&Dynamic Range\r\nsamples\r\n"
    "The sound could not be read.\r\nThe picture was not saved as\r\n"
    "PNG pictures (*.png)\r\n";

void click(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A copied audio CD track of 4 s (a warbling whistle) played by the real
// devices on the silent output, which keeps real time.
class SonogramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("PEMMARO_SILENT_AUDIO", "1");
        context_.texts = Ttextfile_handler(sonogram_texts);
        context_.settings.path = folder_.file("Pemmaro.ini");
        write_file(folder_.file("cd/04 Reeds.wav"), "");
        SF_INFO info{};
        info.samplerate = 44100;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(folder_.file("cd/04 Reeds.wav").c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<short> samples(4 * 44100);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double t = static_cast<double>(i) / 44100;
            samples[i] = static_cast<short>(
                9000 * std::sin(2 * std::numbers::pi * (3000 * t + 80 * std::sin(12 * t))));
        }
        sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(file);

        cd_.on_hard_disk = true;
        cd_.hard_disk_directory = folder_.path() + "cd";
        cut_.is_sound_file = false;
        cut_.audio_cd = &cd_;
        cut_.track = 4;
        cut_.length_ms = 4000;
        species_.scientific_name = "Acrocephalus palustris";
        item_.cut_part = &cut_;
        item_.species = &species_;
        species_.first_recording_item = &other_item_;
        other_item_.next_item_of_species = &item_;
        SoundBarOptions options;
        options.recording_item = &item_;
        bar_ = new Tsound_bar(&surface_, 10, 10, std::move(options));
        form_.view().resize(600, 200);
    }

    bool sonogram_done() {
        return QTest::qWaitFor([this] { return form_.sonogram() && form_.sonogram()->finished(); },
                               5000);
    }

    TempDir folder_;
    ScopedResponder responder_;
    TestContext context_;
    TaudioCD cd_;
    Tcutpart cut_;
    Tspecies species_;
    Tcupaitem other_item_, item_;
    QWidget surface_;
    Tsound_bar* bar_ = nullptr; // owned by the surface
    TSonogramForm form_{context_};
};

} // namespace

TEST_F(SonogramWindow, OpensFromTheBarAndFollowsAndSeeksThePlayback) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier);
    QCoreApplication::sendEvent(bar_->button(), &key);
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(form_.sound_bar(), bar_);
    EXPECT_TRUE(bar_->is_opened());
    EXPECT_FALSE(bar_->is_playing()) << "showing a sonogram plays nothing";
    ASSERT_TRUE(sonogram_done());
    EXPECT_FALSE(form_.sonogram()->failed());
    EXPECT_NEAR(form_.sonogram()->seconds(), 4.0, 0.01);
    EXPECT_NE(form_.windowTitle().indexOf("Acrocephalus palustris 2"), -1);

    // Space in the pane plays; the cursor follows the playback.
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QCoreApplication::sendEvent(&form_, &space);
    ASSERT_TRUE(bar_->is_playing());
    ASSERT_TRUE(QTest::qWaitFor([this] { return form_.view().cursor().value_or(0) > 0.3; }, 3000));

    // A click seeks within one analysis step of the time under the mouse,
    // and playing goes on from there; a drag seeks too.
    SonogramView& view = form_.view();
    const int hop_ms = static_cast<int>(std::ceil(1000 * form_.sonogram()->seconds_per_column()));
    const int x = view.plot_area().left() + view.plot_area().width() * 3 / 4;
    click(&view, QEvent::MouseButtonPress, QPoint(x, view.plot_area().center().y()),
          Qt::LeftButton);
    EXPECT_TRUE(bar_->is_playing());
    const double clicked = view.time_at(x);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return form_.view().cursor().value_or(0) > clicked + 0.2; }, 2000))
        << "played on from the clicked point";
    bar_->pause();
    int ms = 0;
    ASSERT_TRUE(bar_->player().GetPosition(ms));
    EXPECT_GE(ms, view.time_at(x) * 1000 - hop_ms);
    EXPECT_LT(ms, view.time_at(x) * 1000 + 800);

    const int back = view.plot_area().left() + view.plot_area().width() / 5;
    click(&view, QEvent::MouseMove, QPoint(back, 50), Qt::LeftButton);
    ASSERT_TRUE(bar_->player().GetPosition(ms));
    EXPECT_NEAR(ms, view.time_at(back) * 1000, hop_ms);
    EXPECT_EQ(bar_->current_position(), ms / 100);
    form_.frame();
    EXPECT_NEAR(*view.cursor(), ms / 1000.0, 0.1);

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&form_, &escape);
    EXPECT_FALSE(form_.isVisible());
}

TEST_F(SonogramWindow, ExportWritesAPictureOfTheViewAndReportsAFailure) {
    // Opened from the bar's context menu.
    QString item;
    QTimer::singleShot(0, [&item] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            item = menu->actions().front()->text();
            menu->actions().front()->trigger();
            menu->close();
        }
    });
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(3, 3),
                                  bar_->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(bar_, &right_click);
    EXPECT_EQ(item, "Sono&gram");
    EXPECT_EQ(form_.sound_bar(), bar_);
    ASSERT_TRUE(sonogram_done());
    EXPECT_EQ(form_.default_file_name(), "Acrocephalus palustris 2.png");
    const std::string path = folder_.file("Acrocephalus palustris 2.png");
    ASSERT_TRUE(form_.export_png(QString::fromStdString(path)));
    const QImage written(QString::fromStdString(path), "PNG");
    EXPECT_EQ(written.size(), form_.view().size());
    // The warble, between 2 and 4 kHz, is the lightest part of the middle column.
    const QRect plot = form_.view().plot_area();
    int lightest = plot.top();
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        if (QColor(written.pixel(plot.center().x(), y)).lightness() >
            QColor(written.pixel(plot.center().x(), lightest)).lightness())
            lightest = y;
    const double hz = (plot.bottom() - lightest) * 11000.0 / plot.height();
    EXPECT_GT(hz, 2000);
    EXPECT_LT(hz, 4000);
    EXPECT_TRUE(responder_.responder.requests.empty());

    EXPECT_FALSE(form_.export_png(QString::fromStdString(folder_.file("missing/dir/x.png"))));
    ASSERT_EQ(responder_.responder.requests.size(), 1U);

    // Replacing it on a full disk fails with the message and keeps the picture.
    const std::string before = read_file(path);
    set_file_fault([](FileWrite operation, const std::string&) {
        return operation == FileWrite::write ? ENOSPC : 0;
    });
    const bool replaced = form_.export_png(QString::fromStdString(path));
    set_file_fault(nullptr);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(responder_.responder.requests.size(), 2U);
    EXPECT_TRUE(read_file(path) == before);
    EXPECT_FALSE(exists(path + ".saving"));
}
