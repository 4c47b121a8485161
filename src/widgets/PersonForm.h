#pragma once
// The person pop-up: a person's name in bold (with a copyright sign for a
// photographer's credit) and the person's two texts, each after its label.
// It never takes input: clicks and keys go to the window below, which closes
// it. Opened by the browsing window (recordists, text authors), the about
// window (credits) and the big picture window (photographers).
//
// User-interface thread only.

#include "common/TextEngine.h"

#include <QWidget>
#include <string>

namespace pemmaro {

struct CoreContext;
struct Tperson;

class TPersonForm : public QWidget {
    Q_OBJECT

public:
    // The pop-up stays inside the parent's client area. The context must
    // outlive the pop-up.
    TPersonForm(const CoreContext& context, QWidget* parent);

    // Shows the person at the point (global coordinates). Copies what it shows.
    void ShowPerson(QPoint position, const Tperson& person, bool ShowCreditSign);

    const std::string& person_key() const { return key_; }
    int text_lines(int which) const { return which == 1 ? text_1_.lines : text_2_.lines; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct PersonText {
        std::string label; // with the blank after it
        WrappedText wrapped;
        int lines = 0; // 0 for a missing text
    };

    PersonText wrapped_text(const std::string& label, const std::string& text, int width) const;
    std::string title() const;

    const CoreContext& context_;
    std::string key_;
    bool ShowCreditSign_ = false;
    PersonText text_1_;
    PersonText text_2_;
    int line_height_ = 15;
};

} // namespace pemmaro
