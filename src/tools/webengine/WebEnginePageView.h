#pragma once
// Pages shown by Qt WebEngine. Only this plugin links Qt WebEngine: linking it
// into the program would cost every start about 22 ms and 27 MB.

#include "tools/webengine/WebPageView.h"

#include <QObject>

namespace pemmaro {

class WebEnginePageViewFactory : public QObject, public WebPageViewFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PEMMARO_WEB_PAGE_VIEW_FACTORY_IID)
    Q_INTERFACES(pemmaro::WebPageViewFactory)

public:
    WebEnginePageViewFactory();

    QString unavailable_reason() const override;
    WebPageView* create_page_view(QWidget* parent) override;
};

} // namespace pemmaro
