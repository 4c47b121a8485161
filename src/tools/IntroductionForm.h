#pragma once
// The introduction window, shown once shortly after start-up: the
// introduction picture under the product's title. Any key or click closes
// it, and a closed introduction window frees itself.
//
// User-interface thread only.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

namespace pemmaro {

struct CoreContext;

// Where the picture goes and how large the window's client area is, by
// product code; a screen of few colours gets the smaller window without picture.
struct IntroLayout {
    QSize client_size;
    QPoint picture_at;
};
IntroLayout intro_layout(int product_code, bool few_colours);

class TIntroductionForm : public QWidget {
    Q_OBJECT

public:
    // A window of its own over the parent, centred in the desktop's work
    // area. The context must outlive the window.
    TIntroductionForm(const CoreContext& context, QImage picture, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const CoreContext& context_;
    QImage picture_;
    IntroLayout layout_;
};

} // namespace pemmaro
