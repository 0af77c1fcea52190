// The second floor of the start-up benchmark: a bare window holding one text label. The window
// takes the label's size, so the fonts are loaded before it is shown.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("QUILVARO"));
    window.setAlignment(Qt::AlignCenter);
    window.setMargin(160);
    window.show();
    return QApplication::exec();
}
