#include "sound/SoundBarPlayback.h"

#include "common/BaseDirectory.h"
#include "common/DataPaths.h"
#include "common/TextAndNumbers.h"
#include "data/DataSet.h"
#include "data/SoundFilePaths.h"
#include "platform/Messages.h"
#include "sound/AudioCdDrive.h"
#include "sound/SoundPlayers.h"

#include <algorithm>

namespace pemmaro {

namespace {

bool is_mpeg_layer_3(int compression_number) {
    return compression_number >= 5 && compression_number <= 9;
}

SoundBarPlayback::Kind kind_of(const Tcutpart& cut) {
    if (cut.is_sound_file)
        return SoundBarPlayback::Kind::cut_part_file;
    if (cut.audio_cd && cut.audio_cd->on_hard_disk)
        return SoundBarPlayback::Kind::sound_file;
    return SoundBarPlayback::Kind::audio_cd;
}

std::unique_ptr<TMCIDevicePlayer> player_for(SoundBarPlayback::Kind kind) {
    switch (kind) {
    case SoundBarPlayback::Kind::cut_part_file:
        return std::make_unique<TCutPartFilePlayer>();
    case SoundBarPlayback::Kind::sound_file:
        return std::make_unique<TSoundFilePlayer>();
    case SoundBarPlayback::Kind::audio_cd:
        break;
    }
    return std::make_unique<TAudioCDTrackPlayer>();
}

} // namespace

int tenths_of(int milliseconds) {
    return round_half_even(milliseconds / 100.0);
}

SoundBarPlayback::SoundBarPlayback(Tcupaitem& recording, PlayingSlot& slot, bool rewind_at_end,
                                   bool* exact_length_flag, int position)
    : recording_(recording)
    , slot_(slot)
    , rewind_at_end_(rewind_at_end)
    , exact_length_flag_(exact_length_flag)
    , kind_(kind_of(*recording.cut_part))
    , player_(player_for(kind_))
    , maximum_(std::max(0, tenths_of(recording.cut_part->length_ms))) {
    set_position(position);
}

SoundBarPlayback::~SoundBarPlayback() {
    if (slot_.playing_ == this)
        slot_.playing_ = nullptr;
}

void SoundBarPlayback::set_position(int tenths) {
    position_ = std::clamp(tenths, 0, maximum_);
}

void SoundBarPlayback::set_maximum(int tenths) {
    maximum_ = std::max(0, tenths);
    set_position(position_);
}

bool SoundBarPlayback::is_at_end() const {
    return !playing_ && (ended_ || position_ >= maximum_ - 1);
}

void SoundBarPlayback::stop_others() {
    if (SoundBarPlayback* other = slot_.playing_; other != nullptr && other != this)
        other->stop_and_close();
}

bool SoundBarPlayback::toggle() {
    if (!opened_)
        open();
    if (opened_) {
        if (playing_)
            pause();
        else
            start_playing();
    }
    return opened_;
}

bool SoundBarPlayback::open() {
    stop_others();
    Tcutpart& cut = *recording_.cut_part;
    if (!open_player(cut.length_ms))
        return false;
    opened_ = true;
    if (exact_length_flag_)
        *exact_length_flag_ = false;
    set_maximum(tenths_of(cut.length_ms));
    if (position_ != 0)
        player_->SeekTo(position_ * 100);
    return true;
}

bool SoundBarPlayback::open_player(int& length) {
    const Tcutpart& cut = *recording_.cut_part;
    switch (kind_) {
    case Kind::cut_part_file: {
        auto& player = static_cast<TCutPartFilePlayer&>(*player_);
        // A missing file usually means that the disc is elsewhere.
        while (true) {
            bool file_problem = false;
            if (player.Open(cut_part_sound_file_path(cut, base_directory()),
                            is_mpeg_layer_3(cut.compression_number), length, file_problem))
                return true;
            if (!file_problem || !ask_for_base_directory())
                return false;
        }
    }
    case Kind::sound_file: {
        const std::optional<std::string> file =
            copied_track_path(cut.audio_cd->hard_disk_directory, cut.track);
        bool file_problem = false;
        if (file && static_cast<TSoundFilePlayer&>(*player_).Open(*file, cut.offset_ms, length,
                                                                  file_problem))
            return true;
        // No base directory can help here: the copy lies where the user put it.
        if (!file || file_problem)
            message(missing_copied_track_text(*cut.audio_cd, cut.track), MessageIcon::error);
        return false;
    }
    case Kind::audio_cd:
        return static_cast<TAudioCDTrackPlayer&>(*player_).Open(chosen_audio_cd_drive(), cut,
                                                                audio_cd_disc_check(), length);
    }
    return false;
}

void SoundBarPlayback::start_playing() {
    if (!opened_)
        return;
    stop_others();
    const bool at_end = position_ >= maximum_ - 1;
    const bool exact = seek_ms_ && *seek_ms_ / 100 == position_;
    if (at_end)
        set_position(0);
    else
        player_->SeekTo(exact ? *seek_ms_ : position_ * 100);
    seek_ms_.reset();
    if (!player_->Play(at_end)) {
        stop_and_close();
        return;
    }
    playing_ = true;
    ended_ = false;
    slot_.playing_ = this;
}

std::optional<int> SoundBarPlayback::pause() {
    if (!opened_ || !playing_)
        return std::nullopt;
    player_->Stop();
    std::optional<int> reached;
    if (int ms = 0; player_->GetPosition(ms)) {
        reached = ms / 100;
        set_position(*reached);
    }
    playing_ = false;
    return reached;
}

void SoundBarPlayback::stop_and_close() {
    if (!opened_)
        return;
    player_->Close();
    opened_ = false;
    playing_ = false;
    // Another playback may have become the playing one meanwhile.
    if (slot_.playing_ == this)
        slot_.playing_ = nullptr;
    if (stopped)
        stopped();
}

void SoundBarPlayback::stop_at_position() {
    if (!playing_)
        return;
    player_->Stop();
    player_->SeekTo(position_ * 100);
}

void SoundBarPlayback::seek_to(int milliseconds) {
    const int ms = std::clamp(milliseconds, 0, maximum_ * 100);
    set_position(ms / 100);
    seek_ms_ = ms;
    if (!opened_)
        return;
    if (playing_)
        player_->Stop();
    player_->SeekTo(ms);
}

SoundBarPlayback::Poll SoundBarPlayback::poll() {
    Poll result;
    if (!player_->IsMediaPresent()) {
        result.media_gone = true;
        return result;
    }
    result.length_changed = follow_length();
    int ms = 0;
    const int position = player_->GetPosition(ms) ? ms / 100 : position_;
    set_position(position);
    result.shown_position = position;
    if (!has_ended(position))
        return result;
    if (rewind_at_end_) {
        set_position(0);
        result.shown_position = 0;
    }
    ended_ = true;
    result.ended = true;
    stop_and_close();
    return result;
}

bool SoundBarPlayback::follow_length() {
    if (kind_ == Kind::audio_cd)
        return false;
    int length = 0;
    if (!static_cast<TSoundFilePlayer&>(*player_).RefreshLength(length))
        return false;
    recording_.cut_part->length_ms = length;
    set_maximum(tenths_of(length));
    return true;
}

bool SoundBarPlayback::has_ended(int position) {
    // A span cut short at the end of its file, or a sound that stopped early,
    // never brings the thumb to its last step: the device has stopped all the same.
    if (!player_->IsInPlayMode())
        return true;
    switch (kind_) {
    case Kind::cut_part_file:
        return position >= maximum_ - 1;
    case Kind::sound_file:
        return position >= maximum_;
    case Kind::audio_cd:
        return false;
    }
    return true;
}

} // namespace pemmaro
