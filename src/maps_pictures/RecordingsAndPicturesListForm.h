#pragma once
// The window of a browsing window's list of what its shows have shown and
// played: the entries as read-only lines, oldest first, with Copy to the
// clipboard (Ctrl+C copies every line); Escape closes it. It follows the list
// while it is open.
//
// User-interface thread only. The list must outlive the window.

#include <QMainWindow>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace pemmaro {

class TRecordingsAndOrPicturesList;
class Ttextfile_handler;

class TRecordingsAndOrPicturesListForm : public QMainWindow {
    Q_OBJECT

public:
    // A window of its own above the owner, hidden until shown. The texts give
    // the captions ("KZ_SHOW_LISTS").
    TRecordingsAndOrPicturesListForm(const Ttextfile_handler& texts,
                                     TRecordingsAndOrPicturesList& list, QWidget* owner);

    const TRecordingsAndOrPicturesList& list() const { return list_; }
    // Shows the list's lines anew.
    void refresh();
    void copy_to_clipboard_menu_itemClick();

    QPlainTextEdit* Memo = nullptr;
    QMenu* edit_menu = nullptr;
    QAction* copy_to_clipboard_menu_item = nullptr;

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TRecordingsAndOrPicturesList& list_;
};

// Shows the owner's window of the list, made the first time; the window is a
// child of the owner and goes with it.
TRecordingsAndOrPicturesListForm*
show_recordings_and_pictures_list(const Ttextfile_handler& texts,
                                  TRecordingsAndOrPicturesList& list, QWidget* owner);

} // namespace pemmaro
