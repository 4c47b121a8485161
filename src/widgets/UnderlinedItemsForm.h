#pragma once
// Windows whose text has underlined, clickable items: a locality that opens a
// map, a web address, a site description. The items are not kept as
// rectangles: an item is where the mouse stands over pixels of the link colour,
// as the text engine draws underlines in it. The window paints into a canvas
// image kept for that look-up.
//
// User-interface thread only.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pemmaro {

struct DisplayFont;

// Opens a web address or a local page in the web browser window.
using UrlOpener = std::function<void(const std::string& address)>;

class TFormWithUnderlinedItems : public QWidget {
    Q_OBJECT

public:
    TFormWithUnderlinedItems(UrlOpener open_url, QWidget* parent = nullptr,
                             Qt::WindowFlags flags = {});

    // A click on an underlined item opens Url when HasUrl is set.
    bool HasUrl = false;
    std::string Url;

    // Whether an underlined item lies under the point (canvas coordinates).
    virtual bool IsItemUnderMouse(int x, int y);

    // The canvas as last painted.
    const QImage& canvas();
    // The cursor the window shows now.
    Qt::CursorShape current_cursor() const { return current_cursor_.value_or(Qt::ArrowCursor); }

protected:
    // Draws the window's content onto its canvas, whose background is already
    // the window colour.
    virtual void paint_canvas(QPainter& painter) = 0;
    // How far the content is scrolled down (windows with scroll bars).
    virtual int vertical_scroll_position() const { return 0; }
    // The size of the whole content; taller than the window when it scrolls.
    virtual QSize canvas_size() const { return size(); }
    // The content changed: the canvas is painted again before it is read.
    void invalidate_canvas();
    // Where a pop-up's paragraph starts; it is wrapped this much short of each side.
    static constexpr int left_margin = 10;
    // A pop-up's content: its wrapped paragraph of line_count lines, links in
    // the screen's green, inside a black frame.
    void paint_framed_paragraph(QPainter& painter, std::string_view text, const DisplayFont& font,
                                int line_height, int line_count) const;

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void update_canvas();

    UrlOpener open_url_;
    QImage canvas_;
    bool canvas_valid_ = false;
    std::optional<Qt::CursorShape> current_cursor_;
};

} // namespace pemmaro
