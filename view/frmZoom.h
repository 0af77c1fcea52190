// "Zoom": the scale of the main window, chosen from five entries. Choosing an entry stores the
// scale in Zoom and hides the dialog; the close box unloads it without a choice. Below the list,
// "Marks on the balls" switches the marks (see BallMarks.h) and keeps the choice; the board shows
// it at once.
#pragma once

#include <QCheckBox>

#include "platform/Dialog.h"
#include "platform/ListControls.h"

namespace qv {

class frmZoom : public platform::Dialog {
  public:
    // Creates and loads the dialog.
    explicit frmZoom(QWidget* owner);

    // Fills the list, shows the scale in force and centres the dialog on the main window.
    void Form_Load();
    // The list of scales has the focus at every showing.
    void OnActivated() override;
    void Combo1_Click();
    void chkMarks_Click();

    platform::ComboBox* Combo1() const { return combo1_; }
    QCheckBox* chkMarks() const { return chkMarks_; }
    // The dialog was closed with its close box: the next display needs a fresh one.
    bool Unloaded() const { return unloaded_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CentreOnMainWindow();

    platform::ComboBox* combo1_;
    QCheckBox* chkMarks_;
    bool centredWithFrame_ = false;
    bool unloaded_ = false;
};

}  // namespace qv
