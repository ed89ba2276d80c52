#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Dorv"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Dorv V3.0d für Windows"));
    window.showMaximized();
    return app.exec();
}
