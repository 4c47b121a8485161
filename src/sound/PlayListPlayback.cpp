#include "sound/PlayListPlayback.h"

#include "data/DataSet.h"
#include "sound/SoundBarPlayback.h"

namespace pemmaro {

namespace {

constexpr int poll_interval_ms = 200;
constexpr int short_pause_ms = 10;

} // namespace

PlayListPlayback::PlayListPlayback(TPlayList& list, PlayingSlot& slot, TSoundOptions options,
                                   std::function<bool()> endless_loop, QObject* parent)
    : QObject(parent)
    , list_(list)
    , slot_(slot)
    , options_(options)
    , endless_loop_(std::move(endless_loop)) {
    poll_timer_.setInterval(poll_interval_ms);
    connect(&poll_timer_, &QTimer::timeout, this, &PlayListPlayback::poll);
    pause_timer_.setSingleShot(true);
    connect(&pause_timer_, &QTimer::timeout, this, &PlayListPlayback::play_pending);
}

PlayListPlayback::~PlayListPlayback() {
    stop();
}

void PlayListPlayback::start(int row) {
    stop();
    list_.start_playing(row);
    running_ = true;
    first_ = true;
    play_next();
}

void PlayListPlayback::stop() {
    running_ = false;
    poll_timer_.stop();
    pause_timer_.stop();
    closing_ = true;
    if (playback_)
        playback_->stop_and_close();
    closing_ = false;
    playback_.reset();
    pending_.reset();
}

void PlayListPlayback::play_next() {
    if (!running_)
        return;
    pending_ = list_.next_recording(endless_loop_());
    if (!pending_ || !pending_->info.recording_item || !pending_->info.recording_item->cut_part) {
        end();
        return;
    }
    // The pause comes before a recording: none before the first and between
    // the plays of one row.
    const bool pause = !first_ && !pending_->repeat;
    first_ = false;
    if (pause)
        pause_timer_.start(options_.seconds_between_sounds * 1000 + short_pause_ms);
    else
        play_pending();
}

void PlayListPlayback::play_pending() {
    if (!running_ || !pending_)
        return;
    const PlayListNext next = *pending_;
    pending_.reset();
    playback_.reset();
    Tcupaitem& item = *next.info.recording_item;
    playback_ =
        std::make_unique<SoundBarPlayback>(item, slot_, false, &item.cut_part->length_from_file, 0);
    playback_->stopped = [this] {
        // Another sound took the output: the list stops once this call is over.
        if (!closing_ && running_)
            QTimer::singleShot(0, this, [this] { end(); });
    };
    if (!playback_->open()) {
        end();
        return;
    }
    playback_->start_playing();
    if (!playback_->is_playing()) {
        end();
        return;
    }
    emit row_started(next.row);
    poll_timer_.start();
}

void PlayListPlayback::poll() {
    if (!playback_ || !running_)
        return;
    closing_ = true;
    const SoundBarPlayback::Poll result = playback_->poll();
    closing_ = false;
    if (!result.ended && !result.media_gone)
        return;
    poll_timer_.stop();
    if (result.media_gone) {
        end();
        return;
    }
    play_next();
}

void PlayListPlayback::end() {
    if (!running_)
        return;
    stop();
    emit finished();
}

} // namespace pemmaro
