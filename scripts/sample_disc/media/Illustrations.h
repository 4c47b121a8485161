#pragma once
// Stylised bird illustrations for the small and big pictures, and the JPEG
// encoder that stores them. Plumage and shape come from the species'
// identifiers; pose, background and light from the picture.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <vector>

namespace pemmaro::media {

struct BirdLook {
    QColor body, wing, head, breast, beak, cheek;
    bool has_cheek_patch = false;
    bool has_crest = false;
    double crest = 0;
    double beak_length = 0.4;
    double beak_depth = 0.15;
    double tail_length = 0.8;
    double head_size = 0.36;
    double body_length = 1.6;
};

BirdLook look_for_species(int unique_id, int species_id);

inline constexpr int small_picture_width = 120;
inline constexpr int small_picture_height = 90;
inline constexpr int big_picture_width = 640;
inline constexpr int big_picture_height = 480;
// The few pictures that show a photograph's full size (the benchmarks time them).
inline constexpr int large_picture_width = 1600;
inline constexpr int large_picture_height = 1200;

QImage small_picture(const BirdLook& look, std::uint64_t seed);
// caption: the strip at the bottom (species name).
QImage big_picture(const BirdLook& look, std::uint64_t seed, const QString& caption,
                   QSize size = QSize(big_picture_width, big_picture_height));

// Baseline JPEG through libjpeg.
std::vector<std::uint8_t> encode_jpeg(const QImage& image, int quality);

} // namespace pemmaro::media
