// The studio's entry point. Until the main window exists it shows a placeholder window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel label("Lumeni Zarerud");
    label.resize(400, 200);
    label.show();
    return app.exec();
}
