#pragma once
// The explanation of the threatened statuses, opened from a status on the
// display: each category in bold red with its meaning, then the published
// source of the categories, whose first publisher is a link to its web site.
//
// User-interface thread only.

#include "widgets/UnderlinedItemsForm.h"

#include <array>
#include <string>

namespace pemmaro {

struct CoreContext;
class Ttextfile_handler;

// The explanation's marked-up text for the three category names as shown.
std::string threat_explanation_text(const Ttextfile_handler& texts,
                                    const std::array<std::string, 3>& categories);

class TThreatenedStatusExplicationForm : public TFormWithUnderlinedItems {
    Q_OBJECT

public:
    // The pop-up stays inside the parent's client area. The context must
    // outlive the pop-up.
    TThreatenedStatusExplicationForm(const CoreContext& context, UrlOpener open_url,
                                     QWidget* parent);

    // At the point (global coordinates).
    void ShowThreatExplanation(QPoint position, const std::array<std::string, 3>& categories);

    int line_count() const { return line_count_; }

protected:
    void paint_canvas(QPainter& painter) override;

private:
    const CoreContext& context_;
    std::string text_; // wrapped
    int line_count_ = 0;
    int line_height_ = 15;
};

} // namespace pemmaro
