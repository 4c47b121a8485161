#pragma once
// Web addresses and page files: shown in the program's own browser window, or
// handed to the desktop's handler. The browser engine is a plugin loaded the
// first time a page opens in the program's own window.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

class WebPageView;
class WebPageViewFactory;

// The two settings of section "GENERAL" (default true each), read by
// initialise_web_browser or else at their first use.
bool& use_integrated_web_browser();
bool& use_only_one_web_browser_window();

// Start of the module: reads the two settings.
void initialise_web_browser();
// End of the module: destroys every browser window. Runs by itself when the
// message loop ends; must run while the application object exists.
void finalise_web_browser();

// A top-level window, kept above the other windows, filled by one page view.
class TWebBrowserForm : public QWidget {
    Q_OBJECT

public:
    // The view comes from the factory; the caller has checked that it can make one.
    explicit TWebBrowserForm(WebPageViewFactory& factory);

    const std::string& url() const { return url_; }
    WebPageView* web_browser() const { return WebBrowser; }

signals:
    void load_finished(bool ok);

private:
    friend void show_url(TWebBrowserForm& window, const std::string& url);

    WebPageView* WebBrowser = nullptr;
    std::string url_;
};

// The reused window (also the first one made while reuse is off); none at first.
TWebBrowserForm* shared_browser_window();

// Opens a web address or the full path of a page file ("#anchor" allowed after a path).
void open_url(const std::string& url);
// Loads the address into the window; an empty address does nothing.
void show_url(TWebBrowserForm& window, const std::string& url);

// Where the plugin is looked for, in order: the program's folder, then the
// folder the build put it in.
std::vector<std::string> web_browser_plugin_candidates();
// Why the integrated browser could not be used the last time; empty when it could.
std::string web_browser_unavailable_reason();

// Seams for tests. A factory set here is used instead of the plugin (not owned;
// none restores the plugin). Other candidates make the next use load again
// (empty restores the defaults). The desktop handler replaces open_document.
void set_web_page_view_factory(WebPageViewFactory* factory);
void set_web_browser_plugin_candidates(std::vector<std::string> paths);
using DesktopHandler = std::function<void(const std::string& address)>;
void set_desktop_handler(DesktopHandler handler);

} // namespace pemmaro
