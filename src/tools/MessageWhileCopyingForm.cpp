#include "tools/MessageWhileCopyingForm.h"

#include "common/LanguageTexts.h"
#include "common/Product.h"
#include "common/QtTextMeasurer.h"
#include "common/TextEngine.h"
#include "platform/Ansi.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace pemmaro {

namespace {

constexpr int client_width = 450;
constexpr int label_left = 20;
constexpr int label_top = 20;
constexpr QSize button_size(70, 27);
constexpr int button_above_bottom = 35;

constexpr const char* abort_question = "The program has not finished copying files. Are you "
                                       "certain you want to abort prematurely?";

// Runs on the user-interface thread, unless the window has gone meanwhile.
template <class Call> void post_to(const QPointer<TMessageWhileCopyingForm>& form, Call call) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    QMetaObject::invokeMethod(
        application,
        [form, call = std::move(call)] {
            if (form)
                call(*form);
        },
        Qt::QueuedConnection);
}

} // namespace

TMessageWhileCopyingForm::TMessageWhileCopyingForm(const std::string& source,
                                                   const std::string& destination, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TMessageWhileCopyingForm");
    setWindowTitle(to_qstring(product().product_title));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFont(qt_font(display_fonts().normal()));
    const int line = fontMetrics().height();
    first_label = new QLabel(to_qstring(text(copy_to_hard_disk::copying_data_files)), this);
    first_label->setObjectName("first_label");
    first_label->setWordWrap(true);
    first_label->setGeometry(label_left, label_top, client_width - 2 * label_left, 2 * line);
    progress_label = new QLabel(to_qstring(text(copy_to_hard_disk::copying)), this);
    progress_label->setObjectName("progress_label");
    progress_label->setGeometry(label_left, label_top + 3 * line, client_width - 2 * label_left,
                                line);
    const int height = label_top + 4 * line + button_above_bottom + button_size.height() + 10;
    setFixedSize(client_width, height);
    button = new QPushButton(to_qstring(text(copy_to_hard_disk::abort_button)), this);
    button->setObjectName("button");
    button->setGeometry((client_width - button_size.width()) / 2,
                        height - button_above_bottom - button_size.height() / 2,
                        button_size.width(), button_size.height());
    connect(button, &QPushButton::clicked, this, &TMessageWhileCopyingForm::reject);

    const QPointer<TMessageWhileCopyingForm> self(this);
    CopyReports reports;
    reports.copying_file = [self](const std::string& file) {
        post_to(self, [file](TMessageWhileCopyingForm& form) { form.show_copying(file); });
    };
    reports.ended = [self](CopyOutcome outcome) {
        post_to(self, [outcome](TMessageWhileCopyingForm& form) { form.copying_ended(outcome); });
    };
    thread_ = TCopyFilesToHardDiskThread::create(source, destination, std::move(reports));
}

TMessageWhileCopyingForm::~TMessageWhileCopyingForm() {
    // A worker still copying stops at its next file and goes by itself.
    thread_->abort();
    thread_->resume();
}

void TMessageWhileCopyingForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->frameGeometry().center());
        move(frame.topLeft());
    }
    thread_->start();
}

void TMessageWhileCopyingForm::show_copying(const std::string& file) {
    if (thread_->aborted())
        return;
    const QString line = to_qstring(text(copy_to_hard_disk::copying)) + " " +
                         QFile::decodeName(QByteArray::fromStdString(file));
    progress_label->setText(
        progress_label->fontMetrics().elidedText(line, Qt::ElideMiddle, progress_label->width()));
}

void TMessageWhileCopyingForm::copying_ended(CopyOutcome outcome) {
    if (outcome == CopyOutcome::aborted)
        return; // the window closed when the user aborted
    failed = outcome == CopyOutcome::failed;
    succeeded = !failed;
    finished = true;
    done(QDialog::Accepted);
}

void TMessageWhileCopyingForm::reject() {
    if (finished || thread_->aborted()) {
        QDialog::reject();
        return;
    }
    // When nobody can answer (the program is being ended), the copying stops.
    if (message_responder() == nullptr) {
        thread_->abort();
        QDialog::reject();
        return;
    }
    thread_->pause();
    const MessageAnswer answer = message(abort_question, MessageIcon::question,
                                         MessageButtons::yes_no, MessageDefault::second);
    if (answer == MessageAnswer::yes)
        thread_->abort();
    thread_->resume();
    if (answer == MessageAnswer::yes)
        QDialog::reject();
}

} // namespace pemmaro
