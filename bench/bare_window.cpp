// The floor for start-up times: a bare Qt Widgets window of the game window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(806, 606);
    window.show();
    return QApplication::exec();
}
