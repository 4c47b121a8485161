#pragma once
// What the browser window needs from a browser engine: a widget that shows
// the page at an address. The program knows only this header; the engine
// lives in a plugin, so that merely starting the program never loads it.
// Header only, without Q_OBJECT: program and plugin each carry the same
// inline definitions, so no meta-object is defined twice.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <QtPlugin>
#include <functional>
#include <utility>

namespace pemmaro {

class WebPageView : public QWidget {
public:
    using LoadFinished = std::function<void(bool ok)>;

    explicit WebPageView(QWidget* parent = nullptr)
        : QWidget(parent) {}

    virtual void navigate(const QUrl& address) = 0;

    // Called on the user-interface thread each time a page has loaded or failed to.
    void set_load_finished_handler(LoadFinished handler) { load_finished_ = std::move(handler); }

protected:
    void report_load_finished(bool ok) {
        if (load_finished_)
            load_finished_(ok);
    }

private:
    LoadFinished load_finished_;
};

class WebPageViewFactory {
public:
    virtual ~WebPageViewFactory() = default;

    // Why no page can be shown on this system; empty when pages can be shown.
    virtual QString unavailable_reason() const = 0;
    // A new view owned by the parent; none when the engine cannot make one.
    virtual WebPageView* create_page_view(QWidget* parent) = 0;
};

} // namespace pemmaro

#define PEMMARO_WEB_PAGE_VIEW_FACTORY_IID "org.pemmaro.WebPageViewFactory/1"
Q_DECLARE_INTERFACE(pemmaro::WebPageViewFactory, PEMMARO_WEB_PAGE_VIEW_FACTORY_IID)
