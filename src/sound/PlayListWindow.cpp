#include "sound/PlayListWindow.h"

namespace pemmaro {

TPlayListForm::TPlayListForm(QWidget* parent)
    : QWidget(parent) {
    setObjectName("TPlayListForm");
}

} // namespace pemmaro
