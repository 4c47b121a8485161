#pragma once
// What a sound bar plays and when it has played, without the widget: the
// player of the recording (a sound file of the data disc, a track copied from
// an audio CD to the hard disk, or a span of a track of the audio CD in the
// drive), where its sound is found, the thumb's range and place in tenths of
// seconds, and when a recording has ended (and whether the thumb goes back to
// the start then). The bar keeps the drawing, the keys and the timer that
// polls. User-interface thread only.

#include <functional>
#include <memory>
#include <optional>

namespace pemmaro {

struct Tcupaitem;
class TMCIDevicePlayer;
class SoundBarPlayback;

// At most one playback of a slot plays: starting one stops and closes the
// other. The program's sound bars share one slot.
class PlayingSlot {
public:
    PlayingSlot() = default;
    PlayingSlot(const PlayingSlot&) = delete;
    PlayingSlot& operator=(const PlayingSlot&) = delete;

    // The playback that plays, or was started last and only paused; none otherwise.
    SoundBarPlayback* playback() const { return playing_; }

private:
    friend class SoundBarPlayback;
    SoundBarPlayback* playing_ = nullptr;
};

// Tenths of a second, rounded half to even.
int tenths_of(int milliseconds);

class SoundBarPlayback {
public:
    enum class Kind { cut_part_file, sound_file, audio_cd };

    // The recording belongs to the data set. The slot and the exact-length flag
    // (the recording's length_from_file, cleared once a player measured the
    // length) must outlive the playback. position: the thumb at first.
    SoundBarPlayback(Tcupaitem& recording, PlayingSlot& slot, bool rewind_at_end,
                     bool* exact_length_flag, int position);
    ~SoundBarPlayback();
    SoundBarPlayback(const SoundBarPlayback&) = delete;
    SoundBarPlayback& operator=(const SoundBarPlayback&) = delete;

    // Called after the playback stopped and closed, also when another playback
    // of the slot started.
    std::function<void()> stopped;

    Kind kind() const { return kind_; }
    TMCIDevicePlayer& player() const { return *player_; }
    // The thumb and its last step (the recording's length), in tenths of seconds.
    int position() const { return position_; }
    int maximum() const { return maximum_; }
    // Moves the thumb, kept within the range; the player is not told.
    void set_position(int tenths);

    bool is_opened() const { return opened_; }
    bool is_playing() const { return playing_; }
    // Played to its end (and not started again since), or the thumb at the end.
    bool is_at_end() const;

    // Opens when needed, then pauses when playing, else plays; returns whether
    // the player is open afterwards.
    bool toggle();
    // Opens the player (asking for the base directory while a sound file of
    // the data disc is missing); the thumb's range becomes the length measured.
    bool open();
    // From the thumb, or from the start when the thumb is at the end.
    void start_playing();
    // Returns where the player stood, when it could tell.
    std::optional<int> pause();
    void stop_and_close();
    // The thumb was moved while playing: the player stops where it now stands,
    // and start_playing goes on from there.
    void stop_at_position();
    // Moves to a point finer than the thumb's tenths (the sonogram's click):
    // the thumb shows it, and playing goes on from the exact point when
    // start_playing is called while the thumb is still there.
    void seek_to(int milliseconds);

    struct Poll {
        bool media_gone = false;     // nothing to play any more: polling stops
        bool ended = false;          // stopped and closed at the end
        bool length_changed = false; // the player learnt the length since the open
        int shown_position = 0;      // what the position text shows, in tenths
    };
    // One poll of the player while it plays.
    Poll poll();

private:
    bool open_player(int& length);
    bool follow_length();
    bool has_ended(int position);
    void set_maximum(int tenths);
    void stop_others();

    Tcupaitem& recording_;
    PlayingSlot& slot_;
    bool rewind_at_end_ = false;
    bool* exact_length_flag_ = nullptr;
    Kind kind_;
    std::unique_ptr<TMCIDevicePlayer> player_;
    int position_ = 0;
    int maximum_ = 0;
    bool opened_ = false;
    bool playing_ = false;
    bool ended_ = false;
    std::optional<int> seek_ms_; // the exact point of the last seek_to
};

} // namespace pemmaro
