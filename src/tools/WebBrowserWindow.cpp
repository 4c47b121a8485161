#include "tools/WebBrowserWindow.h"

#include "common/FileOperations.h"
#include "common/SettingsFile.h"
#include "common/WebBrowserSettings.h"
#include "platform/Ansi.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "tools/webengine/WebPageView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QPointer>
#include <QScreen>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <memory>
#include <optional>

// Exported by Qt GUI for Qt WebEngine; declared in a private header that
// Debian ships separately (qt6-base-private-dev).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace pemmaro {

namespace {

constexpr const char* plugin_file_name =
#ifdef PEMMARO_WEB_BROWSER_PLUGIN_FILE_NAME
    PEMMARO_WEB_BROWSER_PLUGIN_FILE_NAME;
#else
    "libpemmaro_webengine.so";
#endif

struct BrowserState {
    bool settings_read = false;
    bool use_integrated = true;
    bool use_only_one = true;

    QPointer<TWebBrowserForm> shared;
    std::vector<QPointer<TWebBrowserForm>> others;
    bool end_of_run_connected = false;

    WebPageViewFactory* installed_factory = nullptr;
    std::vector<std::string> candidates; // empty: the defaults
    bool plugin_tried = false;
    std::unique_ptr<QPluginLoader> loader; // never unloaded: a started engine cannot be
    WebPageViewFactory* plugin_factory = nullptr;
    std::string unavailable_reason;

    DesktopHandler desktop_handler;
};

BrowserState& state() {
    static BrowserState browser;
    return browser;
}

void read_settings() {
    BrowserState& browser = state();
    namespace keys = web_browser_settings;
    browser.use_integrated = read_flag(keys::section, keys::use_integrated_web_browser,
                                       keys::use_integrated_web_browser_default);
    browser.use_only_one = read_flag(keys::section, keys::use_only_one_web_browser_window,
                                     keys::use_only_one_web_browser_window_default);
    browser.settings_read = true;
}

// Addresses come from data texts (Windows-1252) and from file names (UTF-8).
QString address_text(const std::string& address) {
    // Stateless, so that a cut sequence at the end counts as an error too.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(address.data(), static_cast<qsizetype>(address.size())));
    return utf8.hasError() ? to_qstring(address) : text;
}

// A page file of a data disc may be named in other letter case, or with an anchor.
std::optional<QUrl> local_file_url(const std::string& address) {
    if (address.empty())
        return std::nullopt;
    if (std::optional<std::string> existing = resolve_existing_path(address))
        return QUrl::fromLocalFile(QFile::decodeName(existing->c_str()));
    const std::size_t hash = address.find('#');
    if (hash == std::string::npos || hash == 0)
        return std::nullopt;
    std::optional<std::string> existing = resolve_existing_path(address.substr(0, hash));
    if (!existing)
        return std::nullopt;
    QUrl url = QUrl::fromLocalFile(QFile::decodeName(existing->c_str()));
    url.setFragment(address_text(address.substr(hash + 1)));
    return url;
}

QUrl to_url(const std::string& address) {
    if (std::optional<QUrl> file = local_file_url(address))
        return *file;
    return QUrl::fromUserInput(address_text(address));
}

void open_with_desktop_handler(const std::string& address) {
    // The desktop handler would take "page.html#anchor" for a file name.
    std::string handed = address;
    if (address.find('#') != std::string::npos) {
        if (std::optional<QUrl> file = local_file_url(address))
            handed = file->toString(QUrl::FullyEncoded).toStdString();
    }
    if (state().desktop_handler)
        state().desktop_handler(handed);
    else
        open_document(handed);
}

// What Qt does in QGuiApplication's constructor when Qt::AA_ShareOpenGLContexts
// is set: one context that all later ones share with, which Qt WebEngine
// checks for as its library loads. Setting that attribute before the
// application exists would load the OpenGL driver at every start (about 60 MB
// and 50 ms under Xvfb), and setting it later only draws a warning, so the
// first page makes the context instead.
void make_global_share_context() {
    if (QOpenGLContext::globalShareContext() != nullptr || !qobject_cast<QGuiApplication*>(qApp))
        return;
    auto* context = new QOpenGLContext(qApp); // owned by the application
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
}

WebPageViewFactory* load_plugin() {
    BrowserState& browser = state();
    std::string failures;
    make_global_share_context();
    for (const std::string& candidate : web_browser_plugin_candidates()) {
        if (!QFileInfo::exists(QFile::decodeName(candidate.c_str())))
            continue;
        auto loader = std::make_unique<QPluginLoader>(QFile::decodeName(candidate.c_str()));
        QObject* instance = loader->instance();
        if (auto* factory = qobject_cast<WebPageViewFactory*>(instance)) {
            browser.loader = std::move(loader);
            return factory;
        }
        if (!failures.empty())
            failures += "; ";
        failures += instance ? candidate + " is not the browser plugin"
                             : loader->errorString().toStdString();
    }
    if (failures.empty()) {
        std::string searched;
        for (const std::string& candidate : web_browser_plugin_candidates())
            searched += (searched.empty() ? "" : ", ") + candidate;
        browser.unavailable_reason =
            "the browser plugin was not found (looked for " + searched + ")";
    } else {
        browser.unavailable_reason = failures;
    }
    return nullptr;
}

// The factory that makes page views, loading the plugin at the first call;
// none, with the reason logged once, when pages cannot be shown here.
WebPageViewFactory* page_view_factory() {
    BrowserState& browser = state();
    WebPageViewFactory* factory = browser.installed_factory;
    if (!factory) {
        if (!browser.plugin_tried) {
            browser.plugin_tried = true;
            browser.plugin_factory = load_plugin();
            if (!browser.plugin_factory)
                log_line(
                    "The integrated web browser cannot be used: " + browser.unavailable_reason +
                    ". Addresses open with the desktop's handler.");
        }
        factory = browser.plugin_factory;
    }
    if (!factory)
        return nullptr;
    const QString reason = factory->unavailable_reason();
    if (!reason.isEmpty()) {
        const std::string why = reason.toStdString();
        if (why != browser.unavailable_reason)
            log_line("The integrated web browser cannot be used: " + why +
                     ". Addresses open with the desktop's handler.");
        browser.unavailable_reason = why;
        return nullptr;
    }
    browser.unavailable_reason.clear();
    return factory;
}

// Pages must be gone before the application object, and the message loop's end
// comes before that in every run.
void destroy_windows_at_end_of_run() {
    BrowserState& browser = state();
    QCoreApplication* application = QCoreApplication::instance();
    if (browser.end_of_run_connected || !application)
        return;
    browser.end_of_run_connected = true;
    QObject::connect(application, &QCoreApplication::aboutToQuit, application,
                     &finalise_web_browser);
}

QSize normal_size() {
    QSize size(900, 680);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    return size;
}

} // namespace

bool& use_integrated_web_browser() {
    if (!state().settings_read)
        read_settings();
    return state().use_integrated;
}

bool& use_only_one_web_browser_window() {
    if (!state().settings_read)
        read_settings();
    return state().use_only_one;
}

void initialise_web_browser() {
    read_settings();
}

void finalise_web_browser() {
    BrowserState& browser = state();
    std::vector<QPointer<TWebBrowserForm>> windows = std::move(browser.others);
    browser.others.clear();
    windows.push_back(browser.shared);
    browser.shared = nullptr;
    for (const QPointer<TWebBrowserForm>& window : windows)
        delete window.data();
}

TWebBrowserForm::TWebBrowserForm(WebPageViewFactory& factory)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName("TWebBrowserForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WebBrowser = factory.create_page_view(this);
    if (WebBrowser) {
        WebBrowser->setObjectName("WebBrowser");
        WebBrowser->set_load_finished_handler([this](bool ok) { emit load_finished(ok); });
        layout->addWidget(WebBrowser);
    }
    resize(normal_size());
}

TWebBrowserForm* shared_browser_window() {
    return state().shared.data();
}

void show_url(TWebBrowserForm& window, const std::string& url) {
    if (url.empty())
        return;
    window.url_ = url;
    window.setWindowTitle("URL: " + address_text(url));
    if (window.WebBrowser)
        window.WebBrowser->navigate(to_url(url));
}

void open_url(const std::string& url) {
    if (!use_integrated_web_browser()) {
        open_with_desktop_handler(url);
        return;
    }
    WebPageViewFactory* factory = page_view_factory();
    if (!factory) {
        open_with_desktop_handler(url);
        return;
    }
    BrowserState& browser = state();
    TWebBrowserForm* window = nullptr;
    if (!use_only_one_web_browser_window() || !browser.shared)
        window = new TWebBrowserForm(*factory);
    else
        window = browser.shared;
    if (!window->web_browser()) {
        delete window;
        log_line("The integrated web browser made no page view; \"" + url +
                 "\" opens with the desktop's handler.");
        open_with_desktop_handler(url);
        return;
    }
    if (!browser.shared) {
        browser.shared = window;
    } else if (window != browser.shared) {
        // Only the shared window outlives its closing, keeping its page.
        window->setAttribute(Qt::WA_DeleteOnClose);
        std::erase_if(browser.others,
                      [](const QPointer<TWebBrowserForm>& other) { return other.isNull(); });
        browser.others.emplace_back(window);
    }
    destroy_windows_at_end_of_run();
    show_url(*window, url);
    if (window->isVisible() && !window->isMinimized()) {
        // Already open, perhaps behind another window that stays on top.
        window->raise();
        window->activateWindow();
    } else {
        window->showNormal();
    }
}

std::vector<std::string> web_browser_plugin_candidates() {
    const BrowserState& browser = state();
    if (!browser.candidates.empty())
        return browser.candidates;
    std::vector<std::string> paths;
    if (QCoreApplication::instance()) {
        const QString program_folder = QCoreApplication::applicationDirPath();
        paths.push_back(QFile::encodeName(program_folder + "/" + plugin_file_name).toStdString());
        // An installed program keeps its private libraries in lib/pemmaro/.
        paths.push_back(QFile::encodeName(
                            QDir::cleanPath(program_folder + "/../lib/pemmaro/" + plugin_file_name))
                            .toStdString());
    }
#ifdef PEMMARO_WEB_BROWSER_PLUGIN_BUILD_FILE
    const std::string built = PEMMARO_WEB_BROWSER_PLUGIN_BUILD_FILE;
    if (paths.empty() || paths.front() != built)
        paths.push_back(built);
#endif
    return paths;
}

std::string web_browser_unavailable_reason() {
    return state().unavailable_reason;
}

void set_web_page_view_factory(WebPageViewFactory* factory) {
    state().installed_factory = factory;
}

void set_web_browser_plugin_candidates(std::vector<std::string> paths) {
    BrowserState& browser = state();
    browser.candidates = std::move(paths);
    browser.plugin_tried = false;
    browser.plugin_factory = nullptr;
    browser.unavailable_reason.clear();
}

void set_desktop_handler(DesktopHandler handler) {
    state().desktop_handler = std::move(handler);
}

} // namespace pemmaro
