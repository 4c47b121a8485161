#pragma once
// The seam between the displays that show a species' small picture and the
// cache that loads the pictures: a display acquires a species' picture when
// the species unfolds and releases it when the species folds again.

#include <QImage>
#include <QPoint>
#include <optional>
#include <utility>

namespace pemmaro {

struct Tspecies;

class SmallPictureSource {
public:
    virtual ~SmallPictureSource() = default;
    // The picture's size (width, height) when the species has one that can be
    // shown; counts one more user.
    virtual std::optional<std::pair<int, int>> acquire(Tspecies& species) = 0;
    // Counts one user less.
    virtual void release(Tspecies& species) = 0;
    // The picture while some display holds it; none otherwise.
    virtual const QImage* picture(const Tspecies& species) const = 0;

    // Whether the point lies on the picture placed with its top-left corner there.
    bool hit(const Tspecies& species, QPoint top_left, QPoint point) const {
        const QImage* image = picture(species);
        if (image == nullptr)
            return false;
        const QPoint at = point - top_left;
        return at.x() >= 0 && at.x() <= image->width() && at.y() >= 0 && at.y() <= image->height();
    }
};

} // namespace pemmaro
