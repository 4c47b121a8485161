#pragma once
// The select-area window of the region: the region map with its sub-regions
// green when selected and white when not; a click on a sub-region toggles it.
// One window serves the whole program: made at the first use, hidden between
// uses, so that its map and buttons persist until the next call loads the
// states of the area it edits.
//
// User-interface thread only.

#include "maps_pictures/AreaSelectionCanvas.h"

#include <QDialog>
#include <memory>
#include <string>

class QPushButton;

namespace pemmaro {

class Ttextfile_handler;
class TSolvaraArea;

// A modal window with a map of clickable sub-regions. OK is refused, silently,
// while nothing is selected; Cancel and the close icon always close.
class TSelectAreaForm : public QDialog {
    Q_OBJECT

public:
    TSelectAreaForm(std::string bitmap_resource_name,
                    const std::vector<std::vector<QPoint>>& seed_points, QWidget* parent = nullptr);
    ~TSelectAreaForm() override;

    QPushButton* Button_OK = nullptr;
    QPushButton* Button_Cancel = nullptr;
    const std::string BitmapResourceName;

    AreaSelectionCanvas& map() { return *map_; }
    virtual bool IsItemSelectable(int index) const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A click at a map point; the base recolours what it hits.
    virtual void map_clicked(QPoint point);

private:
    std::unique_ptr<AreaSelectionCanvas> map_;
};

class TSolvaraSelectAreaForm : public TSelectAreaForm {
    Q_OBJECT

public:
    explicit TSolvaraSelectAreaForm(const Ttextfile_handler& texts, QWidget* parent = nullptr);

    QPushButton* Button_clear_all = nullptr;
    QPushButton* Button_select_all = nullptr;

    bool IsItemSelectable(int index) const override;
    void Button_clear_or_select_all_Click(bool select_all);

protected:
    void showEvent(QShowEvent* event) override;
    void map_clicked(QPoint point) override;

private:
    void lay_out_buttons();
};

// The program's select-area window, made at the first call.
class RegionAreaSelection {
public:
    explicit RegionAreaSelection(const Ttextfile_handler& texts);
    ~RegionAreaSelection();
    RegionAreaSelection(const RegionAreaSelection&) = delete;
    RegionAreaSelection& operator=(const RegionAreaSelection&) = delete;

    // Shows the area's items in the window, modally; on OK the area takes the
    // window's selection. Returns the modal result (QDialog::Accepted for OK).
    int SelectInteractively(TSolvaraArea& area);

    // The window once made; none before the first call.
    TSolvaraSelectAreaForm* window() const { return window_.get(); }

private:
    const Ttextfile_handler& texts_;
    std::unique_ptr<TSolvaraSelectAreaForm> window_;
};

// The selection made at start-up; none before it and after it is gone.
RegionAreaSelection* region_area_selection();

} // namespace pemmaro
