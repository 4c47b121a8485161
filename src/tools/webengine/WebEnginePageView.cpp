#include "tools/webengine/WebEnginePageView.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QQuickWindow>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <unistd.h>

namespace pemmaro {

namespace {

class WebEnginePageView final : public WebPageView {
public:
    explicit WebEnginePageView(QWidget* parent)
        : WebPageView(parent)
        , view_(new QWebEngineView(this)) {
        view_->setObjectName("QWebEngineView");
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        QObject::connect(view_, &QWebEngineView::loadFinished, this,
                         [this](bool ok) { report_load_finished(ok); });
    }

    void navigate(const QUrl& address) override { view_->load(address); }

private:
    QWebEngineView* view_;
};

// Qt WebEngine ends the whole process when its helper program is missing, so
// the program is told beforehand and opens the address elsewhere.
QString helper_process_path() {
    const QString configured = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!configured.isEmpty())
        return configured;
    return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/QtWebEngineProcess";
}

} // namespace

WebEnginePageViewFactory::WebEnginePageViewFactory() {
    // Chromium refuses to run its sandbox as root; the helper processes read this
    // when the first page is created, which is after this point.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Loaded after the application object, Qt WebEngine would find no shared
    // OpenGL context and crash at its first page: the program makes that
    // context before it loads this plugin (what QtWebEngineQuick::initialize
    // does, which may only run before the application exists).
    QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
}

QString WebEnginePageViewFactory::unavailable_reason() const {
    const QString helper = helper_process_path();
    if (!QFileInfo(helper).isExecutable())
        return "the Qt WebEngine helper program " + helper + " is missing";
    return {};
}

WebPageView* WebEnginePageViewFactory::create_page_view(QWidget* parent) {
    if (!unavailable_reason().isEmpty())
        return nullptr;
    return new WebEnginePageView(parent);
}

} // namespace pemmaro
