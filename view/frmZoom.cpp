#include "view/frmZoom.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "game/GameState.h"
#include "game/MainWindow.h"

namespace qv {

namespace {

struct ZoomEntry {
    const char* text;
    Single zoom;
};

constexpr ZoomEntry kEntries[] = {
    {"1:1", 1.0f}, {"1:1.5", 1.5f}, {"1:2", 2.0f}, {"1:2.5", 2.5f}, {"1:3", 3.0f},
};

}  // namespace

frmZoom::frmZoom(QWidget* owner)
    : vb::Dialog(owner), combo1_(new vb::ComboBox(this, QStringLiteral("Combo1"))) {
    setWindowTitle(QCoreApplication::translate("frmZoom", "Zoom"));
    SetClientSize(2085, 645);
    combo1_->setFont(vb::MakeFont(QStringLiteral("MS Sans Serif"), 9.75, true));
    combo1_->SetTwipsGeometry(120, 120, 1575, 360);
    combo1_->onClick = [this] { Combo1_Click(); };
    combo1_->setAccessibleName(QCoreApplication::translate("frmZoom", "Window size"));
    Form_Load();
}

void frmZoom::Form_Load() {
    for (const ZoomEntry& entry : kEntries)
        combo1_->AddItem(QString::fromLatin1(entry.text));
    for (const ZoomEntry& entry : kEntries) {
        if (Zoom == entry.zoom) {
            combo1_->SetText(QString::fromLatin1(entry.text));
            break;
        }
    }
    CentreOnMainWindow();
}

void frmZoom::CentreOnMainWindow() {
    // Centred on the main window, outer sizes throughout.
    vb::Window& main = MainWindow().Window();
    vb::Window& self = Geometry();
    self.SetTop(main.Top() + main.Height() / 2 - self.Height() / 2);
    self.SetLeft(main.Left() + main.Width() / 2 - self.Width() / 2);
}

void frmZoom::Combo1_Click() {
    const QString text = combo1_->Text();
    for (const ZoomEntry& entry : kEntries) {
        if (text == QLatin1String(entry.text)) {
            Zoom = entry.zoom;
            break;
        }
    }
    Hide();
}

void frmZoom::showEvent(QShowEvent* event) {
    vb::Dialog::showEvent(event);
    // A window's frame is known only once it is shown: the first showing after loading places
    // the dialog again by its true outer size.
    if (!centredWithFrame_) {
        centredWithFrame_ = true;
        CentreOnMainWindow();
    }
}

void frmZoom::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    vb::Dialog::closeEvent(event);
}

}  // namespace qv
