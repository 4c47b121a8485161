#include "MapDrawing.h"

#include <cmath>

namespace pemmaro::maps {

namespace {

// Long edges are split so they follow the bend of the map between points.
constexpr double longest_edge_degrees = 0.25;

QPointF enlarged(QPointF lon_lat, const Enlargement& enlargement) {
    return enlargement.anchor + (lon_lat - enlargement.anchor) * enlargement.factor;
}

bool inside_outline(QPointF point, const LandPiece& piece) {
    return piece.rings.front().containsPoint(point, Qt::OddEvenFill);
}

class Projector {
public:
    Projector(const LandPiece& piece, const Placement& placement)
        : placement_(placement) {
        if (!placement.enlarge)
            return;
        for (const Enlargement& e : region_enlargements()) {
            if (applies(e, piece))
                enlargement_ = &e;
        }
    }

    QPointF operator()(QPointF lon_lat) const {
        if (enlargement_ != nullptr)
            lon_lat = enlarged(lon_lat, *enlargement_);
        return GeoToPaintPoint(*placement_.map, {lon_lat.x(), lon_lat.y()}) -
               QPointF(placement_.origin);
    }

    QPolygonF ring(const QPolygonF& lon_lat) const {
        QPolygonF out;
        for (qsizetype i = 0; i < lon_lat.size(); ++i) {
            const QPointF from = lon_lat[i];
            const QPointF to = lon_lat[(i + 1) % lon_lat.size()];
            const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
            const int steps =
                std::max(1, static_cast<int>(std::ceil(length / longest_edge_degrees)));
            for (int step = 0; step < steps; ++step)
                out << (*this)(from + (to - from) * (static_cast<double>(step) / steps));
        }
        return out;
    }

private:
    const Placement& placement_;
    const Enlargement* enlargement_ = nullptr;
};

} // namespace

const std::vector<Enlargement>& region_enlargements() {
    static const std::vector<Enlargement> enlargements = {
        {item_index("SI"), {103.83, 1.33}, 2.8, {}},
        {item_index("HK"), {114.12, 22.2}, 2.5, {}},
        {item_index("PH"), {123.85, 10.4}, 1.6, QPointF(123.85, 10.4)}, // Cebu
        {item_index("PH"), {123.4, 12.35}, 1.8, QPointF(123.4, 12.35)}, // Masbate
    };
    return enlargements;
}

bool applies(const Enlargement& enlargement, const LandPiece& piece) {
    return enlargement.item == piece.item &&
           (!enlargement.piece_around || inside_outline(*enlargement.piece_around, piece));
}

QPainterPath land_path(const LandPiece& piece, const Placement& placement) {
    const Projector project(piece, placement);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& ring : piece.rings) {
        path.addPolygon(project.ring(ring));
        path.closeSubpath();
    }
    return path;
}

QPainterPath parallel_path(double latitude, double west, double east, const Placement& placement) {
    QPainterPath path;
    const int steps =
        std::max(1, static_cast<int>(std::ceil((east - west) / longest_edge_degrees)));
    for (int step = 0; step <= steps; ++step) {
        const double longitude = west + (east - west) * step / steps;
        const QPointF point =
            GeoToPaintPoint(*placement.map, {longitude, latitude}) - QPointF(placement.origin);
        if (step == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return path;
}

} // namespace pemmaro::maps
