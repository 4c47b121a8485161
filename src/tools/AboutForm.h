#pragma once
// The about window: the about picture beside the product's title and
// credits. A person's name opens the person pop-up; the maker's address opens
// its web site. Shown modally over the browsing window and freed by it.
//
// User-interface thread only.

#include "tools/AboutCredits.h"
#include "widgets/UnderlinedItemsForm.h"

#include <QImage>
#include <QPointer>
#include <vector>

class QPushButton;
class QScrollBar;

namespace pemmaro {

struct CoreContext;
class TPersonForm;

class TAboutForm : public TFormWithUnderlinedItems {
    Q_OBJECT

public:
    // The data set and the context must outlive the window. A null picture
    // leaves its place empty.
    TAboutForm(const Tdata& data_set, const CoreContext& context, QImage picture,
               UrlOpener open_url, QWidget* parent = nullptr);
    ~TAboutForm() override;

    // Shows the window modally; returns when it is closed.
    void exec();

    QPushButton* OKButton = nullptr;

    // A credit that names a person: its first and last pixel row, and as the
    // credits stand in two columns, its first and last pixel column.
    struct ClickableRow {
        int first = 0;
        int last = 0;
        int left = 0;
        int right = 0;
        const Tperson* person = nullptr;
    };
    const std::vector<ClickableRow>& clickable_rows() const { return clickable_rows_; }
    // The person pop-up when it is shown; none otherwise.
    const TPersonForm* shown_person_form() const;

signals:
    void closed();

protected:
    void paint_canvas(QPainter& painter) override;
    QSize canvas_size() const override { return content_size_; }
    int vertical_scroll_position() const override;

    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct PlacedLine {
        std::string text; // marked up
        QPoint pen;       // on the baseline
    };

    void lay_out();
    int place_column(const std::vector<const AboutLine*>& lines, int x, int first_row);
    int width_of(const AboutLine& line) const;
    void size_window();
    void close_person_form();

    const CoreContext& context_;
    QImage picture_;
    AboutText text_;
    std::vector<PlacedLine> placed_;
    std::vector<ClickableRow> clickable_rows_;
    std::string maker_address_;
    int line_height_ = 15;
    int text_left_ = 0;
    QSize content_size_;
    QScrollBar* scroll_bar_ = nullptr; // shown when the content is taller than the screen
    QPointer<TPersonForm> person_form_;
};

} // namespace pemmaro
