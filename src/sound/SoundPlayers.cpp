#include "sound/SoundPlayers.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "data/DataSet.h"
#include "platform/Messages.h"
#include "sound/AudioCdDrive.h"

#include <algorithm>
#include <climits>

namespace pemmaro {

namespace {

// mciGetErrorString fills a buffer of 129 characters.
constexpr std::size_t error_text_limit = 128;
// The cut part player asks for the whole file.
constexpr int whole_file_length = 100000000;

MciError low_word(MciError error) {
    return error & 0xFFFF;
}

int to_int(std::uint32_t value) {
    return value > static_cast<std::uint32_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

std::uint32_t to_device_ms(int ms) {
    return ms < 0 ? 0 : static_cast<std::uint32_t>(ms);
}

// The span ends at the wanted length or at the end of the medium, whichever
// comes first, and never before it starts.
int span_end_within(int span_start, int length, int medium_length) {
    const long long wanted = static_cast<long long>(span_start) + std::max(length, 0);
    const long long end = std::min<long long>(wanted, medium_length);
    return static_cast<int>(std::max<long long>(end, span_start));
}

// A sound bar's last step may stand for up to 50 ms beyond the span, which the
// device would refuse.
int within_span(int position, int span_length) {
    return std::clamp(position, 0, std::max(span_length, 0));
}

MessageText open_context(std::optional<std::uint32_t> device_type, const std::string& element) {
    MessageText context = "mci_Open, ";
    if (device_type && (*device_type & 0xFFFF) == mci::devtype_cd_audio)
        context += "Device type = CD Audio, ";
    if (!element.empty())
        context += "Element name = \"" + system_text(element) + "\", ";
    return context;
}

// A missing file is for the caller to look for elsewhere. A file that is there
// but does not play (invalid_file) stays where it is whatever the base
// directory, and no driver of this system fails to load for a file.
bool is_file_problem(MciError error, bool has_element) {
    return has_element && low_word(error) == mci::file_not_found;
}

const char* const codec_question_english =
    "Apparently, no MPEG layer 3 audio decompression codec is installed on your system. Do you "
    "want to install it now?";
const char* const codec_question_spanish =
    "Aparentemente, su computadora no cuenta con un descompresor de sonidos comprimidos con "
    "\"MPEG layer 3\". \xbf"
    "Desea instalarlo ahora?";
// No codec installer exists here: the system's decoder plays these files.
const char* const decoder_advice_english =
    "MPEG layer 3 sounds are played by the system's MPEG audio decoder. Please install it with "
    "your system's package manager (libsndfile with MP3 support, or the mpg123 package), then "
    "play the recording again.";
const char* const decoder_advice_spanish =
    "Los sonidos comprimidos con \"MPEG layer 3\" se reproducen con el decodificador de audio "
    "MPEG del sistema. Por favor, inst\xe1lelo con el gestor de paquetes de su sistema "
    "(libsndfile con soporte de MP3, o el paquete mpg123) y vuelva a reproducir la "
    "grabaci\xf3n.";

} // namespace

std::uint32_t msf_to_ms(std::uint32_t msf) {
    return (mci::msf_minutes(msf) * 60 + mci::msf_seconds(msf)) * 1000 +
           mci::msf_frames(msf) * 1000 / 75;
}

std::uint32_t ms_to_tmsf(std::uint32_t ms, std::uint32_t track) {
    const std::uint32_t minutes = ms / 60000;
    const std::uint32_t seconds = (ms / 1000) % 60;
    const std::uint32_t frames = (ms % 1000) * 75 / 1000;
    return track | minutes << 8 | seconds << 16 | frames << 24;
}

MessageText mci_error_message(const MessageText& context, MciError error,
                              const std::string& detail) {
    const std::optional<std::string> text = mci_error_text(error);
    MessageText shown =
        text && !text->empty()
            ? context + " " + std::to_string(error) + ": " + text->substr(0, error_text_limit)
            : context + " Unknown Error " + std::to_string(error);
    if (!detail.empty())
        shown += " " + system_text(detail);
    return shown;
}

// ---- TMCIDevicePlayer

TMCIDevicePlayer::~TMCIDevicePlayer() {
    TMCIDevicePlayer::Close();
}

void TMCIDevicePlayer::ShowError(const MessageText& context, MciError error) {
    message(mci_error_message(context, error, error_detail_), MessageIcon::error);
}

bool TMCIDevicePlayer::OpenDevice(std::optional<std::uint32_t> device_type,
                                  const std::string& element, bool shareable, bool silent,
                                  bool& file_problem) {
    file_problem = false;
    // A device left open by an earlier failed open would otherwise never close.
    if (device_id_ != 0)
        Close();
    mci::OpenParameters parameters;
    parameters.device_type = device_type;
    if (!element.empty())
        parameters.element = element;
    parameters.shareable = shareable;
    MciDeviceId device = 0;
    std::string detail;
    const MciError error = media_devices().open(parameters, device, detail);
    playing_ = false;
    if (error == 0) {
        device_id_ = device;
        return true;
    }
    if (is_file_problem(error, !element.empty())) {
        file_problem = true;
    } else if (!silent) {
        error_detail_ = std::move(detail);
        ShowError(open_context(device_type, element), error);
        error_detail_.clear();
    }
    return false;
}

bool TMCIDevicePlayer::SetTimeFormat(mci::TimeFormat format, bool silent) {
    const MciError error = media_devices().set_time_format(device_id_, format);
    if (error != 0 && !silent)
        ShowError("mci_Set", error);
    return error == 0;
}

bool TMCIDevicePlayer::QueryStatus(std::uint32_t track, mci::StatusItem item, std::uint32_t& value,
                                   bool silent) {
    const MciError error = media_devices().status(device_id_, item, track, value);
    if (error != 0 && !silent)
        ShowError("mci_Status", error);
    return error == 0;
}

bool TMCIDevicePlayer::SeekTo(int position) {
    return SendSeek(to_device_ms(position));
}

bool TMCIDevicePlayer::SendSeek(std::uint32_t target) {
    if (device_id_ == 0)
        return true;
    const MciError error = media_devices().seek(device_id_, target);
    if (error != 0)
        ShowError("mci_Seek to", error);
    return error == 0;
}

bool TMCIDevicePlayer::PlayRange(std::optional<std::uint32_t> from,
                                 std::optional<std::uint32_t> to) {
    if (device_id_ == 0)
        return true;
    const MciError error = media_devices().play(device_id_, from, to);
    if (error != 0) {
        ShowError("mci_Play", error);
        return false;
    }
    playing_ = true;
    return true;
}

bool TMCIDevicePlayer::SpanSamples(audio::SourceFactory&) {
    return false;
}

bool TMCIDevicePlayer::DeviceSamples(std::uint32_t from, std::uint32_t to,
                                     audio::SourceFactory& factory) {
    return device_id_ != 0 && media_devices().samples(device_id_, from, to, factory) == 0;
}

bool TMCIDevicePlayer::Stop() {
    if (device_id_ == 0)
        return false;
    if (!playing_)
        return true;
    const MciError error = media_devices().stop(device_id_);
    playing_ = false;
    if (error != 0) {
        ShowError("mci_Stop", error);
        Close();
    }
    return error == 0;
}

bool TMCIDevicePlayer::Close() {
    playing_ = false;
    if (device_id_ == 0)
        return false;
    const MciError error = media_devices().close(device_id_);
    device_id_ = 0;
    if (error != 0)
        ShowError("mci_Close", error);
    return error == 0;
}

bool TMCIDevicePlayer::IsInPlayMode() {
    std::uint32_t mode = 0;
    return QueryStatus(0, mci::StatusItem::mode, mode, false) && mode == mci::mode_play;
}

// ---- TSoundFilePlayer

bool TSoundFilePlayer::Open(const std::string& file_name, int span_start, int& length,
                            bool& file_problem) {
    span_start_ = span_start;
    current_ = span_start;
    file_problem = false;
    std::uint32_t file_length = 0;
    const bool opened = OpenDevice(std::nullopt, file_name, false, false, file_problem) &&
                        SetTimeFormat(mci::TimeFormat::milliseconds) &&
                        QueryStatus(0, mci::StatusItem::length, file_length, false);
    if (!opened)
        return false;
    file_length_ = to_int(file_length);
    wanted_length_ = length;
    span_end_ = span_end_within(span_start_, length, file_length_);
    length = span_end_ - span_start_;
    return true;
}

bool TSoundFilePlayer::RefreshLength(int& length) {
    std::uint32_t file_length = 0;
    if (device_id() == 0 || !QueryStatus(0, mci::StatusItem::length, file_length, true) ||
        to_int(file_length) == file_length_)
        return false;
    const int old_length = span_end_ - span_start_;
    file_length_ = to_int(file_length);
    span_end_ = span_end_within(span_start_, wanted_length_, file_length_);
    current_ = std::min(current_, span_end_);
    length = span_end_ - span_start_;
    return length != old_length;
}

bool TSoundFilePlayer::Play(bool from_start) {
    if (from_start)
        current_ = span_start_;
    return PlayRange(to_device_ms(current_), to_device_ms(span_end_));
}

bool TSoundFilePlayer::SpanSamples(audio::SourceFactory& factory) {
    return DeviceSamples(to_device_ms(span_start_), to_device_ms(span_end_), factory);
}

bool TSoundFilePlayer::SeekTo(int position) {
    const int target = span_start_ + within_span(position, span_end_ - span_start_);
    if (!TMCIDevicePlayer::SeekTo(target))
        return false;
    current_ = target;
    return true;
}

bool TSoundFilePlayer::GetPosition(int& position) {
    std::uint32_t value = 0;
    if (!QueryStatus(0, mci::StatusItem::position, value, true)) {
        position = 0;
        return false;
    }
    position = to_int(value) - span_start_;
    return true;
}

// ---- TCutPartFilePlayer

bool TCutPartFilePlayer::Open(const std::string& file_name, bool ask_for_codec, int& length,
                              bool& file_problem) {
    ask_for_codec_ = ask_for_codec;
    // The stated length of a compressed file is only an estimate: play all of it.
    int whole = whole_file_length;
    if (!TSoundFilePlayer::Open(file_name, 0, whole, file_problem))
        return false;
    length = whole;
    return true;
}

void TCutPartFilePlayer::ShowError(const MessageText& context, MciError error) {
    if (!ask_for_codec_ || low_word(error) != mci::wave_outputs_unsuitable) {
        TSoundFilePlayer::ShowError(context, error);
        return;
    }
    const bool spanish = product().edition_spanish;
    const MessageAnswer answer = message(spanish ? codec_question_spanish : codec_question_english,
                                         MessageIcon::question, MessageButtons::yes_no);
    if (answer == MessageAnswer::yes)
        message(spanish ? decoder_advice_spanish : decoder_advice_english,
                MessageIcon::information);
}

// ---- TAudioCDTrackPlayer

TAudioCDTrackPlayer::~TAudioCDTrackPlayer() {
    TAudioCDTrackPlayer::Close();
}

bool TAudioCDTrackPlayer::Open(int drive_number, const Tcutpart& recording, DiscCheck disc_check,
                               int& length) {
    track_ = static_cast<std::uint32_t>(std::max(recording.track, 0));
    span_start_ = recording.offset_ms;
    current_ = span_start_;
    recording_ = &recording;
    disc_check_ = std::move(disc_check);

    // The virtual changer loads the expected disc; real drives ignore this.
    media_devices().want_disc(recording.audio_cd ? recording.audio_cd->media_text_3 : "");
    const std::uint32_t ordinal = static_cast<std::uint32_t>(std::max(drive_number, 1) - 1);
    bool file_problem = false;
    if (!OpenDevice(ordinal << 16 | mci::devtype_cd_audio, "", true, false, file_problem) ||
        !SetTimeFormat(mci::TimeFormat::msf)) {
        Close();
        return false;
    }

    std::uint32_t present = 0;
    if (!QueryStatus(0, mci::StatusItem::media_present, present, false)) {
        Close();
        return false;
    }
    if (present == 0) {
        message(text(audio_cd::no_disc_insert_cd), MessageIcon::error);
        Close();
        return false;
    }
    std::uint32_t track_position = 0;
    std::uint32_t track_length = 0;
    if (!CheckDisc() || !QueryStatus(track_, mci::StatusItem::position, track_position, false) ||
        !QueryStatus(track_, mci::StatusItem::length, track_length, false)) {
        Close();
        return false;
    }
    track_start_ = to_int(msf_to_ms(track_position));
    span_end_ = span_end_within(span_start_, length, to_int(msf_to_ms(track_length)));
    length = span_end_ - span_start_;
    return true;
}

bool TAudioCDTrackPlayer::CheckDisc() {
    const std::optional<std::string> identity = read_disc_identity(*this, false);
    if (!identity)
        return false;
    if (!disc_check_)
        return true;
    const TaudioCD* cd = recording_ ? recording_->audio_cd : nullptr;
    return disc_check_(cd ? cd->media_text_2 : "", cd ? cd->media_text_3 : "", *identity);
}

bool TAudioCDTrackPlayer::Play(bool from_start) {
    if (!IsMediaPresent() || !CheckDisc() || !SetTimeFormat(mci::TimeFormat::tmsf))
        return false;
    if (from_start)
        current_ = span_start_;
    return PlayRange(ms_to_tmsf(to_device_ms(current_), track_),
                     ms_to_tmsf(to_device_ms(span_end_), track_));
}

bool TAudioCDTrackPlayer::SpanSamples(audio::SourceFactory& factory) {
    return IsMediaPresent() && SetTimeFormat(mci::TimeFormat::tmsf, true) &&
           DeviceSamples(ms_to_tmsf(to_device_ms(span_start_), track_),
                         ms_to_tmsf(to_device_ms(span_end_), track_), factory);
}

bool TAudioCDTrackPlayer::GetPosition(int& position) {
    position = 0;
    if (!IsMediaPresent() || !playing())
        return false;
    std::uint32_t value = 0;
    if (!SetTimeFormat(mci::TimeFormat::msf) ||
        !QueryStatus(0, mci::StatusItem::position, value, true))
        return false;
    current_ = to_int(msf_to_ms(value)) - track_start_;
    position = current_ - span_start_;
    return true;
}

bool TAudioCDTrackPlayer::SeekTo(int position) {
    if (!IsMediaPresent())
        return false;
    position = within_span(position, span_end_ - span_start_);
    bool succeeded = true;
    if (playing()) {
        int now = 0;
        if (!GetPosition(now))
            succeeded = false;
        else if (now != position)
            succeeded = SetTimeFormat(mci::TimeFormat::tmsf) &&
                        SendSeek(ms_to_tmsf(to_device_ms(span_start_ + position), track_));
    }
    current_ = span_start_ + position;
    return succeeded;
}

bool TAudioCDTrackPlayer::IsMediaPresent() {
    std::uint32_t present = 0;
    return QueryStatus(0, mci::StatusItem::media_present, present, false) && present != 0;
}

bool TAudioCDTrackPlayer::Close() {
    if (device_id() == 0)
        return true;
    Stop();
    return TMCIDevicePlayer::Close();
}

} // namespace pemmaro
