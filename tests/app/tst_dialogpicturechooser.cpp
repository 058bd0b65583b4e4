#include "app/dialogpicturechooser.h"
#include "tests/support/modalanswer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImage>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

// The label picture's file dialog: its title, its filters, and pictures from
// Windows named in upper case.
class TestDialogPictureChooser : public QObject
{
    Q_OBJECT

private slots:
    void picksAPicture()
    {
        QTemporaryDir folder;
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QVERIFY(picture.save(folder.filePath(QStringLiteral("LOGO.BMP")), "BMP"));
        QFile other(folder.filePath(QStringLiteral("notes.txt")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        const QString before = QDir::currentPath();

        QString title;
        QStringList filters;
        bool caseSensitive = true;
        testsupport::answerNextModal<QFileDialog>([&](QFileDialog *dialog) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            caseSensitive = dialog->filter().testFlag(QDir::CaseSensitive);
            dialog->setDirectory(folder.path());
            dialog->selectFile(folder.filePath(QStringLiteral("LOGO.BMP")));
            static_cast<QDialog *>(dialog)->accept();
        });
        app::DialogPictureChooser chooser;
        QCOMPARE(chooser.choosePicture(nullptr), folder.filePath(QStringLiteral("LOGO.BMP")));
        QCOMPARE(title, QStringLiteral("ファイルを開く"));
        QCOMPARE(filters, (QStringList{QStringLiteral("BMPファイル(*.bmp)"), QStringLiteral("すべてのファイル(*.*)")}));
        QVERIFY(!caseSensitive);
        QCOMPARE(QDir::currentPath(), before);

        testsupport::answerNextModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
        QCOMPARE(chooser.choosePicture(nullptr), QString());
    }
};

QTEST_MAIN(TestDialogPictureChooser)
#include "tst_dialogpicturechooser.moc"
