// The yardstick for start-up: a bare Qt Widgets window with one button.
#include <QApplication>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QPushButton button(QStringLiteral("Einde"));
    button.setWindowTitle(QStringLiteral("Bare Qt window"));
    QObject::connect(&button, &QPushButton::clicked, &app, &QApplication::quit);
    button.resize(200, 80);
    button.show();
    return app.exec();
}
