#pragma once
// The small picture of each species, shown beside its text in the line
// display: loaded when a display first needs it, shared by every display that
// shows it, freed when the last one lets it go. A picture looked for and not
// found is not looked for again until the base directory changes (the data
// set then clears the species' missing marks).
//
// Threads: user-interface thread only.

#include "data/SmallPictureSource.h"

#include <QImage>
#include <QPoint>
#include <unordered_map>

namespace pemmaro {

class TSmallPictures : public SmallPictureSource {
public:
    // The picture's size when it is there; counts one more user.
    std::optional<std::pair<int, int>> acquire(Tspecies& species) override;
    // Counts one user less; the picture goes with its last user.
    void release(Tspecies& species) override;

    const QImage* picture(const Tspecies& species) const override;
    std::size_t loaded_count() const { return pictures_.size(); }

private:
    struct Entry {
        QImage image;
        int users = 0;
    };
    std::unordered_map<const Tspecies*, Entry> pictures_;
};

// The program's cache, shared by all displays.
TSmallPictures& small_pictures();

} // namespace pemmaro
