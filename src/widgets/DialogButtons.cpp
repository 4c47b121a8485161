#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace pemmaro {

OkCancelButtons make_ok_cancel_buttons(QDialog& dialog, const QString& ok_name,
                                       const QString& cancel_name) {
    OkCancelButtons buttons;
    buttons.ok = new QPushButton("OK", &dialog);
    buttons.ok->setObjectName(ok_name);
    buttons.ok->setDefault(true);
    buttons.cancel = new QPushButton("Cancel", &dialog);
    buttons.cancel->setObjectName(cancel_name);
    buttons.row = new QHBoxLayout;
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace pemmaro
