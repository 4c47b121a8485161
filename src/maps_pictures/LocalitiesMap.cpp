#include "maps_pictures/LocalitiesMap.h"

namespace pemmaro {

TLocalitiesMapForm::TLocalitiesMapForm(QWidget* parent)
    : QWidget(parent) {
    setObjectName("TLocalitiesMapForm");
}

} // namespace pemmaro
