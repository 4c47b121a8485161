#include "LargeDisc.h"

#include "common/CoreContext.h"
#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/SettingsFile.h"
#include "data/DataLoading.h"
#include "platform/Log.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <memory>

namespace pemmaro::bench {

void prepare_large_disc() {
    set_log_silenced(true);
    QDir::setCurrent(PEMMARO_LARGE_DISC);
    settings_file().path = std::string(PEMMARO_LARGE_DISC) + "/Pemmaro.ini";
    settings_file().on_cd_rom = false;
    QFile language(PEMMARO_LARGE_DISC "/Pemmaro.txt");
    if (language.open(QIODevice::ReadOnly)) {
        const QByteArray content = language.readAll();
        textfile() = Ttextfile_handler(
            std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    }
    product() = product_settings_for(1061, std::vector<std::string>(7));
}

const Tdata& large_disc() {
    static const std::unique_ptr<Tdata> data = [] {
        prepare_large_disc();
        return load_data(program_context());
    }();
    return *data;
}

namespace {

std::unique_ptr<QApplication>& application() {
    static std::unique_ptr<QApplication> instance;
    return instance;
}

} // namespace

void ensure_gui_application() {
    static int argc = 1;
    static char name[] = "pemmaro_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application() = std::make_unique<QApplication>(argc, argv);
    }
}

void end_gui_application() {
    application().reset();
}

} // namespace pemmaro::bench
