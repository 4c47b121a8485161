#include "sound/SonogramCache.h"

#include <algorithm>

namespace pemmaro {

SonogramCache::~SonogramCache() {
    for (auto& [key, entry] : entries_)
        entry.worker.request_stop();
}

std::shared_ptr<const Sonogram> SonogramCache::find(const void* recording, int window_size) {
    auto it = entries_.find({recording, window_size});
    if (it == entries_.end())
        return nullptr;
    it->second.last_use = ++uses_;
    return it->second.sonogram;
}

std::shared_ptr<const Sonogram> SonogramCache::sonogram(const void* recording, int window_size,
                                                        std::uint64_t frames,
                                                        const audio::SourceFactory& factory) {
    if (auto known = find(recording, window_size); known && !known->failed())
        return known;
    entries_.erase({recording, window_size}); // a failed read may succeed now
    stop_unfinished();
    auto made = std::make_shared<Sonogram>(window_size, frames);
    Entry& entry = entries_[{recording, window_size}];
    entry.sonogram = made;
    entry.last_use = ++uses_;
    entry.worker = std::jthread([made, factory](std::stop_token stop) {
        std::unique_ptr<audio::PcmSource> source = factory ? factory() : nullptr;
        compute_sonogram(source.get(), *made, stop);
    });
    keep_within_budget();
    return made;
}

void SonogramCache::stop_unfinished() {
    std::erase_if(entries_, [](const auto& item) { return !item.second.sonogram->finished(); });
}

void SonogramCache::keep_within_budget() {
    auto bytes = [](const Entry& entry) {
        return entry.sonogram->capacity() * static_cast<std::size_t>(entry.sonogram->bands());
    };
    std::size_t total = 0;
    for (const auto& [key, entry] : entries_)
        total += bytes(entry);
    while (total > byte_budget_) {
        auto oldest = entries_.end();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it->second.sonogram.use_count() == 1 &&
                (oldest == entries_.end() || it->second.last_use < oldest->second.last_use))
                oldest = it;
        if (oldest == entries_.end())
            return;
        total -= bytes(oldest->second);
        entries_.erase(oldest);
    }
}

} // namespace pemmaro
