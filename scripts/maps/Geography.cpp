#include "Geography.h"

#include "data/SolvaraAreas.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace pemmaro::maps {

namespace {

QPolygonF ring_of(const QJsonArray& values, const std::string& where) {
    if (values.size() < 6 || values.size() % 2 != 0)
        throw GeographyError(where + ": a ring needs three points or more");
    QPolygonF ring;
    ring.reserve(values.size() / 2);
    for (qsizetype i = 0; i < values.size(); i += 2)
        ring << QPointF(values[i].toDouble(), values[i + 1].toDouble());
    return ring;
}

LandPiece piece_of(const QJsonObject& object, std::size_t number) {
    LandPiece piece;
    piece.country = object["country"].toString().toStdString();
    piece.part = object["part"].toString().toStdString();
    const std::string where = "piece " + std::to_string(number) + " (" + piece.country + ")";
    const std::string code = object["item"].toString().toStdString();
    piece.item = code.empty() ? no_item : item_index(code);
    if (!code.empty() && piece.item == no_item)
        throw GeographyError(where + ": unknown item " + code);
    for (const QJsonValue ring : object["rings"].toArray())
        piece.rings.push_back(ring_of(ring.toArray(), where));
    if (piece.rings.empty())
        throw GeographyError(where + ": no outline");
    return piece;
}

} // namespace

int item_index(std::string_view code) {
    for (std::size_t i = 0; i < TSolvaraArea::AreaItemCodes.size(); ++i) {
        if (TSolvaraArea::AreaItemCodes[i] == code)
            return static_cast<int>(i);
    }
    return no_item;
}

Geography load_geography(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw GeographyError(path + ": " + file.errorString().toStdString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        throw GeographyError(path + ": " + error.errorString().toStdString());
    const QJsonObject root = document.object();
    Geography geography;
    geography.source = root["source"].toString().toStdString();
    const QJsonArray pieces = root["pieces"].toArray();
    for (const QJsonValue piece : pieces)
        geography.pieces.push_back(piece_of(piece.toObject(), geography.pieces.size() + 1));
    if (geography.pieces.empty())
        throw GeographyError(path + ": no pieces of land");
    return geography;
}

} // namespace pemmaro::maps
