#include "app/applicationsetup.h"

#include "platform/fonts.h"
#include "platform/workingfolder.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void setUpApplication(QApplication &application)
{
    // Only the menu ends the program: a screen closing while the menu waits
    // hidden for it is no reason to stop.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setProgramIdentity();
    platform::installFontSubstitutions();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sakurabe.png")));
    auto *qtTexts = new QTranslator(&application);
    if (qtTexts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
}

} // namespace app
