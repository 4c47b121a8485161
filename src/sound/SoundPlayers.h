#pragma once
// Players: one recording played through one media device. A sound bar owns one
// player and drives it; every position and length across a player's interface
// is in integer milliseconds from the start of the recording's span.
//
// Threads: user-interface thread only. Every command returns at once; playing
// goes on in the device layer and its end is found by polling the position.

#include "platform/AudioOutput.h"
#include "platform/MediaDevices.h"
#include "platform/MessageText.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pemmaro {

struct Tcutpart;

// CD times, a frame being 1/75 s; integer arithmetic, remainders dropped.
std::uint32_t msf_to_ms(std::uint32_t msf);
std::uint32_t ms_to_tmsf(std::uint32_t ms, std::uint32_t track);

// The text of a device error as the user reads it: the context, the code and
// the device layer's text for it, then the detail the device gave, if any.
MessageText mci_error_message(const MessageText& context, MciError error,
                              const std::string& detail = {});

// Asked before a CD span plays, with the CD's name, its stored identity and
// the identity of the disc in the drive; false: the span must not play.
using DiscCheck = std::function<bool(const std::string& cd_name, const std::string& stored_identity,
                                     const std::string& identity_read)>;

class TMCIDevicePlayer {
public:
    TMCIDevicePlayer() = default;
    virtual ~TMCIDevicePlayer();
    TMCIDevicePlayer(const TMCIDevicePlayer&) = delete;
    TMCIDevicePlayer& operator=(const TMCIDevicePlayer&) = delete;

    virtual bool Play(bool from_start) = 0;
    virtual bool SeekTo(int position);
    virtual bool GetPosition(int& position) = 0;
    virtual bool Close();
    virtual bool IsMediaPresent() = 0;
    virtual void ShowError(const MessageText& context, MciError error);
    // The recording's whole span as the output plays it, for analysis on a
    // worker thread; false (and nothing reported) when the device cannot tell.
    virtual bool SpanSamples(audio::SourceFactory& factory);

    // The device commands; each returns true on success and reports a failure
    // that is not silent with ShowError. An empty element means none.
    bool OpenDevice(std::optional<std::uint32_t> device_type, const std::string& element,
                    bool shareable, bool silent, bool& file_problem);
    bool SetTimeFormat(mci::TimeFormat format, bool silent = false);
    // track 0: the item of the whole medium.
    bool QueryStatus(std::uint32_t track, mci::StatusItem item, std::uint32_t& value, bool silent);
    bool PlayRange(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to);
    bool Stop();
    bool IsInPlayMode();

    MciDeviceId device_id() const { return device_id_; }
    bool playing() const { return playing_; }

protected:
    // Seeks to a target in the device's current time format.
    bool SendSeek(std::uint32_t target);
    // [from, to] in the device's current time format; silent.
    bool DeviceSamples(std::uint32_t from, std::uint32_t to, audio::SourceFactory& factory);

private:
    MciDeviceId device_id_ = 0;
    bool playing_ = false;
    // What the device said beyond the error number, while ShowError reports an open.
    std::string error_detail_;
};

// A span of a sound file (a track of an audio CD kept on the hard disk).
class TSoundFilePlayer : public TMCIDevicePlayer {
public:
    // length: the wanted length on entry, the length that will really play on
    // return (shortened to what is left of the file). A failed open may leave
    // the device open; Close or the destructor ends it.
    bool Open(const std::string& file_name, int span_start, int& length, bool& file_problem);

    bool Play(bool from_start) override;
    bool SeekTo(int position) override;
    bool GetPosition(int& position) override;
    bool IsMediaPresent() override { return true; }
    bool SpanSamples(audio::SourceFactory& factory) override;

    // The device may learn the file's length only after the open (MPEG layer
    // 3 is counted by a worker): takes the length it reports now. True when
    // the span's length changed; length is then the new one.
    bool RefreshLength(int& length);

    int file_length() const { return file_length_; }
    int span_start() const { return span_start_; }
    int span_end() const { return span_end_; }

private:
    int file_length_ = 0;
    int span_start_ = 0;
    int span_end_ = 0;
    int current_ = 0;
    int wanted_length_ = 0; // the length asked for at the open
};

// A whole compressed sound file of the data set.
class TCutPartFilePlayer : public TSoundFilePlayer {
public:
    // On success length becomes the file's own length; on failure it is kept.
    bool Open(const std::string& file_name, bool ask_for_codec, int& length, bool& file_problem);
    void ShowError(const MessageText& context, MciError error) override;

private:
    bool ask_for_codec_ = false;
};

// A span of a track of the audio CD in a CD-ROM drive.
class TAudioCDTrackPlayer : public TMCIDevicePlayer {
public:
    ~TAudioCDTrackPlayer() override;

    // drive_number counts the CD audio devices from 1. The recording must
    // outlive the player (it belongs to the data set). length as for files.
    bool Open(int drive_number, const Tcutpart& recording, DiscCheck disc_check, int& length);

    bool Play(bool from_start) override;
    bool SeekTo(int position) override;
    bool GetPosition(int& position) override;
    bool Close() override;
    bool IsMediaPresent() override;
    bool SpanSamples(audio::SourceFactory& factory) override;

    std::uint32_t track() const { return track_; }
    int track_start() const { return track_start_; }
    int span_start() const { return span_start_; }
    int span_end() const { return span_end_; }

private:
    bool CheckDisc();

    const Tcutpart* recording_ = nullptr;
    std::uint32_t track_ = 0;
    int track_start_ = 0;
    int span_start_ = 0;
    int span_end_ = 0;
    int current_ = 0;
    DiscCheck disc_check_;
};

} // namespace pemmaro
