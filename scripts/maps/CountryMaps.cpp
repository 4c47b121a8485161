#include "CountryMaps.h"

#include "MapDrawing.h"

#include <QFont>
#include <QPainter>

namespace pemmaro::maps {

namespace {

const QColor sea(204, 228, 244);
const QColor land(241, 236, 214);
const QColor coast(70, 100, 130);
const QColor border(150, 120, 120);
const QColor graticule(170, 200, 225);
const QColor name_colour(90, 80, 70);

struct CountryName {
    const char* text;
    double longitude;
    double latitude;
};

// Where a country's name sits, whichever map shows it.
const CountryName country_names[] = {
    {"INDIA", 78.5, 22.0},        {"PAKISTAN", 68.5, 28.5},   {"NEPAL", 82.8, 28.6},
    {"BHUTAN", 89.6, 27.6},       {"BANGLADESH", 89.0, 24.0}, {"SRI LANKA", 80.1, 7.6},
    {"BURMA", 95.0, 21.0},        {"THAILAND", 100.0, 15.5},  {"LAOS", 102.5, 19.5},
    {"CAMBODIA", 104.0, 12.8},    {"VIETNAM", 105.3, 21.3},   {"MALAYSIA", 101.3, 4.6},
    {"SUMATRA", 100.5, -0.5},     {"JAVA", 109.0, -7.3},      {"BORNEO", 113.0, 0.5},
    {"SINGAPORE", 105.4, 1.3},    {"CHINA", 105.0, 33.0},     {"TAIWAN", 121.0, 23.6},
    {"PHILIPPINES", 121.5, 16.5}, {"HONG KONG", 114.6, 21.5}, {"SULAWESI", 120.5, -2.0},
};

void draw_graticule(QPainter& painter, const Placement& placement) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(graticule, 1));
    for (int latitude = -15; latitude <= 60; latitude += 5)
        painter.drawPath(parallel_path(latitude, 58, 140, placement));
    for (int longitude = 60; longitude <= 140; longitude += 5) {
        QPainterPath meridian;
        for (int step = 0; step <= 75; ++step) {
            const QPointF point =
                GeoToPaintPoint(*placement.map, {static_cast<double>(longitude), -15.0 + step});
            if (step == 0)
                meridian.moveTo(point);
            else
                meridian.lineTo(point);
        }
        painter.drawPath(meridian);
    }
}

void draw_names(QPainter& painter, const DATA_Tmap_data& map) {
    QFont font("Liberation Sans");
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(name_colour);
    const QFontMetrics metrics(font);
    for (const CountryName& name : country_names) {
        const QPointF at = GeoToPaintPoint(map, {name.longitude, name.latitude});
        const QString text = QString::fromLatin1(name.text);
        painter.drawText(at - QPointF(metrics.horizontalAdvance(text) / 2.0, 0), text);
    }
}

} // namespace

QImage draw_country_map(const Geography& geography, const DATA_Tmap_data& map) {
    QImage image(map.MapWidth, map.MapHeight, QImage::Format_RGB32);
    image.fill(sea);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const Placement placement{&map, {}, false};
    draw_graticule(painter, placement);
    painter.setPen(Qt::NoPen);
    painter.setBrush(land);
    QPainterPath all_land;
    for (const LandPiece& piece : geography.pieces)
        all_land.addPath(land_path(piece, placement));
    painter.drawPath(all_land);
    // Borders are where two countries' outlines run together; the coast
    // drawn over them afterwards covers the rest.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(border, 1));
    painter.drawPath(all_land);
    painter.setPen(QPen(coast, 1));
    painter.drawPath(all_land.simplified());
    draw_names(painter, map);
    return image;
}

} // namespace pemmaro::maps
