#pragma once
// Plays a play list: each recording in the list's order, as often as its row
// says, with the pause of the sound options between recordings (none between
// the plays of one row). It plays in the sound bars' slot, so a sound bar the
// user starts ends the play list's playing, and the other way round.
// User-interface thread only; the player is polled every 200 ms.

#include "sound/PlayList.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace pemmaro {

class PlayingSlot;
class SoundBarPlayback;

class PlayListPlayback : public QObject {
    Q_OBJECT

public:
    // The list and the slot must outlive the playback; endless_loop is asked
    // each time a row ends, so the user may change it while the list plays.
    PlayListPlayback(TPlayList& list, PlayingSlot& slot, TSoundOptions options,
                     std::function<bool()> endless_loop, QObject* parent = nullptr);
    ~PlayListPlayback() override;

    // From the row (0: from the first one).
    void start(int row);
    void stop();
    bool is_playing() const { return running_; }

signals:
    // A row's recording has started playing.
    void row_started(int row);
    // The end of the list, a recording that could not be played, or another
    // sound that took the output; not after stop().
    void finished();

private:
    void play_next();
    void play_pending();
    void poll();
    void end();

    TPlayList& list_;
    PlayingSlot& slot_;
    TSoundOptions options_;
    std::function<bool()> endless_loop_;
    std::unique_ptr<SoundBarPlayback> playback_;
    std::optional<PlayListNext> pending_; // waits for the pause before it
    QTimer poll_timer_;
    QTimer pause_timer_;
    bool running_ = false;
    bool first_ = true;
    bool closing_ = false; // our own stop: not an interruption
};

} // namespace pemmaro
