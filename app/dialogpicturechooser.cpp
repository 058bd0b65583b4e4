#include "app/dialogpicturechooser.h"

#include <QFileDialog>

namespace app {

QString DialogPictureChooser::choosePicture(QWidget *parent)
{
    QFileDialog dialog(parent, QStringLiteral("ファイルを開く"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({QStringLiteral("BMPファイル(*.bmp)"), QStringLiteral("すべてのファイル(*.*)")});
    // Pictures from Windows are often named "*.BMP".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace app
