#include "maps_pictures/LocalitiesMapUnit.h"

namespace pemmaro {

TLocalitiesMapForm::TLocalitiesMapForm(QWidget* parent)
    : QWidget(parent) {
    setObjectName("TLocalitiesMapForm");
}

} // namespace pemmaro
