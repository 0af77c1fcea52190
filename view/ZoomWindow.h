// "Zoom": the scale of the main window, chosen from five entries. Choosing an entry stores the
// scale in Zoom and hides the dialog; the close box unloads it without a choice. Below the list,
// "Marks on the balls" switches the marks (see BallMarks.h) and keeps the choice; the board shows
// it at once.
#pragma once

#include <QCheckBox>

#include "platform/Dialog.h"
#include "platform/ListControls.h"

namespace qv {

class ZoomWindow : public platform::Dialog {
  public:
    // Creates and loads the dialog.
    explicit ZoomWindow(QWidget* owner);

    // Fills the list, shows the scale in force and centres the dialog on the main window.
    void OnLoad();
    // The list of scales has the focus at every showing.
    void OnActivated() override;
    void OnScaleChosen();
    void OnMarksClicked();

    platform::ComboBox* ScaleBox() const { return scaleBox_; }
    QCheckBox* MarksCheckBox() const { return marksCheckBox_; }
    // The dialog was closed with its close box: the next display needs a fresh one.
    bool WasClosed() const { return closed_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CentreOnMainWindow();

    platform::ComboBox* scaleBox_;
    QCheckBox* marksCheckBox_;
    bool centredWithFrame_ = false;
    bool closed_ = false;
};

}  // namespace qv
