#include "sound/SoundBarDrag.h"

#include "common/TextAndNumbers.h"
#include "data/DataSet.h"
#include "sound/SoundBars.h"

#include <QDrag>
#include <QMimeData>
#include <QPointer>

namespace pemmaro {

namespace {

QByteArray drag_data(const Tcupaitem& item, int number) {
    const std::string text = std::to_string(item.species->unique_id) + "," +
                             cut_part_reference_code(*item.cut_part) + "," + std::to_string(number);
    return QByteArray::fromStdString(text);
}

} // namespace

void start_sound_bar_drag(Tsound_bar& bar) {
    const Tcupaitem* item = bar.recording_item();
    if (!item || !item->species || !item->cut_part)
        return;
    // Qt owns the drag once it has run.
    auto* drag = new QDrag(&bar);
    auto* mime = new QMimeData;
    mime->setData(recording_mime_type, drag_data(*item, bar.drag_value()));
    drag->setMimeData(mime);
    drag->setDragCursor(sound_bar_drag_cursor().pixmap(), Qt::IgnoreAction);
    drag->exec(Qt::CopyAction);
}

std::optional<TPlayListInfo> dropped_recording(const QMimeData& mime, const Tdata& data) {
    if (!mime.hasFormat(recording_mime_type))
        return std::nullopt;
    const std::string text = mime.data(recording_mime_type).toStdString();
    const std::size_t first = text.find(',');
    const std::size_t second = text.rfind(',');
    if (first == std::string::npos || second == first)
        return std::nullopt;
    const IntConversion id = text_to_int(text.substr(0, first), 0);
    const IntConversion number = text_to_int(text.substr(second + 1), 0);
    const Tspecies* species = id.error ? nullptr : data.species_by_id(static_cast<int>(id.value));
    const Tcutpart* cut_part =
        data.cut_part_by_reference_code(text.substr(first + 1, second - first - 1));
    if (!species || !cut_part || number.error)
        return std::nullopt;
    for (Tcupaitem* item = species->first_recording_item; item; item = item->next_item_of_species) {
        if (item->cut_part == cut_part)
            return TPlayListInfo{item, static_cast<int>(number.value), 1};
    }
    return std::nullopt;
}

} // namespace pemmaro
