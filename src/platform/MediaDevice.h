#pragma once
// One open media device behind an identifier; the registry of MediaDevices.cpp
// hands each command to it. Called by the thread that opened it only.

#include "platform/AudioOutput.h"
#include "platform/MediaDevices.h"

namespace pemmaro {

class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    virtual MciError set_time_format(mci::TimeFormat format) = 0;
    virtual MciError status(mci::StatusItem item, std::uint32_t track, std::uint32_t& value) = 0;
    virtual MciError seek(std::uint32_t to) = 0;
    virtual MciError play(std::optional<std::uint32_t> from, std::optional<std::uint32_t> to) = 0;
    virtual MciError stop() = 0;
    // The source of [from, to] (in the current time format) as play would make
    // it; the factory may run on any thread, also after the device closed.
    virtual MciError samples(std::uint32_t /*from*/, std::uint32_t /*to*/,
                             audio::SourceFactory& /*factory*/) {
        return mci::unsupported_function;
    }
};

} // namespace pemmaro
