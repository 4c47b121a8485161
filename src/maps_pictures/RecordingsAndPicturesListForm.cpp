#include "maps_pictures/RecordingsAndPicturesListForm.h"

#include "common/LanguageTexts.h"
#include "common/TextLines.h"
#include "data/RecordingsAndPicturesList.h"
#include "platform/Ansi.h"
#include "widgets/WindowPlacement.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>

namespace pemmaro {

TRecordingsAndOrPicturesListForm::TRecordingsAndOrPicturesListForm(
    const Ttextfile_handler& texts, TRecordingsAndOrPicturesList& list, QWidget* owner)
    : QMainWindow(owner, Qt::Window)
    , list_(list) {
    setObjectName("TRecordingsAndOrPicturesListForm");
    setWindowTitle(to_qstring(texts.text(kz_show_lists::caption)));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCentralWidget(Memo);

    edit_menu = menuBar()->addMenu(to_qstring(texts.text(kz_show_lists::edit_menu)));
    edit_menu->setObjectName("edit_menu");
    copy_to_clipboard_menu_item =
        edit_menu->addAction(to_qstring(texts.text(kz_show_lists::copy_to_clipboard)));
    copy_to_clipboard_menu_item->setObjectName("copy_to_clipboard_menu_item");
    copy_to_clipboard_menu_item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy_to_clipboard_menu_item, &QAction::triggered, this,
            &TRecordingsAndOrPicturesListForm::copy_to_clipboard_menu_itemClick);

    auto* close_on_escape = new QAction(this);
    close_on_escape->setObjectName("close_on_escape");
    close_on_escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close_on_escape, &QAction::triggered, this, &QWidget::close);
    addAction(close_on_escape);

    list_.set_changed_handler([window = QPointer<TRecordingsAndOrPicturesListForm>(this)] {
        if (window && window->isVisible())
            window->refresh();
    });
}

QSize TRecordingsAndOrPicturesListForm::sizeHint() const {
    return {520, 320};
}

void TRecordingsAndOrPicturesListForm::refresh() {
    Memo->setPlainText(to_qstring(list_.Text()));
    Memo->moveCursor(QTextCursor::End);
}

void TRecordingsAndOrPicturesListForm::copy_to_clipboard_menu_itemClick() {
    Memo->selectAll();
    // An empty log copies an empty text; the memo's own copy would leave the
    // clipboard as it was.
    QGuiApplication::clipboard()->setText(Memo->toPlainText());
    Memo->moveCursor(QTextCursor::End);
}

void TRecordingsAndOrPicturesListForm::showEvent(QShowEvent* event) {
    refresh();
    QMainWindow::showEvent(event);
}

TRecordingsAndOrPicturesListForm*
show_recordings_and_pictures_list(const Ttextfile_handler& texts,
                                  TRecordingsAndOrPicturesList& list, QWidget* owner) {
    TRecordingsAndOrPicturesListForm* window = nullptr;
    for (auto* child : owner->findChildren<TRecordingsAndOrPicturesListForm*>(
             QString(), Qt::FindDirectChildrenOnly)) {
        if (&child->list() == &list)
            window = child;
    }
    if (!window) {
        window = new TRecordingsAndOrPicturesListForm(texts, list, owner);
        centre_on(*window, *owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace pemmaro
