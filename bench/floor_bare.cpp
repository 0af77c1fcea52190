// The floor of the start-up benchmark: a bare Qt Widgets window that paints itself.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Bare : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::lightGray); }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Bare window;
    window.resize(480, 384);
    window.show();
    return QApplication::exec();
}
