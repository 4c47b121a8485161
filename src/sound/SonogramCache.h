#pragma once
// The sonograms made this session, one per recording and window size, each
// filled by its own worker thread. Starting a new one stops the workers of the
// others still under way (their sonograms are dropped, to be made again when
// asked for), so that the one the user looks at gets the machine. Beyond the
// byte budget, the sonograms used longest ago and no longer held go first.
//
// Threads: the cache itself belongs to the user-interface thread; the
// sonograms it hands out are read safely while their worker fills them.

#include "platform/AudioOutput.h"
#include "sound/Sonogram.h"

#include <cstdint>
#include <map>
#include <memory>
#include <thread>
#include <utility>

namespace pemmaro {

class SonogramCache {
public:
    explicit SonogramCache(std::size_t byte_budget = std::size_t{256} << 20)
        : byte_budget_(byte_budget) {}
    ~SonogramCache();
    SonogramCache(const SonogramCache&) = delete;
    SonogramCache& operator=(const SonogramCache&) = delete;

    // recording: the identity of the recording (its record in the data set).
    // The sonogram made earlier, else a new one of room for frames frames that
    // a worker starts filling from the factory's source now.
    std::shared_ptr<const Sonogram> sonogram(const void* recording, int window_size,
                                             std::uint64_t frames,
                                             const audio::SourceFactory& factory);
    // The one made earlier, or none.
    std::shared_ptr<const Sonogram> find(const void* recording, int window_size);

    std::size_t size() const { return entries_.size(); }

private:
    using Key = std::pair<const void*, int>;
    struct Entry {
        std::shared_ptr<Sonogram> sonogram;
        std::uint64_t last_use = 0;
        std::jthread worker; // last: stops and joins before the sonogram goes
    };

    void stop_unfinished();
    void keep_within_budget();

    std::size_t byte_budget_;
    std::map<Key, Entry> entries_;
    std::uint64_t uses_ = 0;
};

} // namespace pemmaro
