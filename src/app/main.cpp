#include "app/DorvProgram.h"
#include "app/FormDorv.h"
#include "app/UiFont.h"
#include "controls/QtDialogService.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app::ensureProportionalUiFont();
    // The installed desktop entry and icon (none when run from the build folder).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.dorv"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.example.dorv")));

    // Qt's own texts (message box buttons, print dialogs) in the user's language; German when
    // the system gives no language.
    if (QLocale().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    controls::QtDialogService dialogs;
    app::DorvProgram program(dialogs);
    if (program.alreadyRunning())
        return 1;
    program.FormDorv().showMaximized();
    return app.exec();
}
