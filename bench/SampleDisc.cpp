#include "SampleDisc.h"

#include "data/DataLoading.h"

#include <QDir>
#include <QFile>

namespace pemmaro::bench {

SampleDisc::SampleDisc()
    : product(product_settings_for(1061, std::vector<std::string>(7))) {
    QFile language(PEMMARO_SAMPLE_DISC_DIR "/Pemmaro.txt");
    if (language.open(QIODevice::ReadOnly)) {
        const QByteArray content = language.readAll();
        texts = Ttextfile_handler(
            std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    }
    common.startup_directory = PEMMARO_SAMPLE_DISC_DIR "/";
    const QString before = QDir::currentPath();
    QDir::setCurrent(PEMMARO_SAMPLE_DISC_DIR);
    data = load_data(context);
    QDir::setCurrent(before);
}

SampleDisc& sample_disc() {
    static SampleDisc disc;
    return disc;
}

} // namespace pemmaro::bench
