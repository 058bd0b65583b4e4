#include "app/qtmessagesink.h"

#include <QApplication>
#include <QMessageBox>

namespace app {
namespace {

// Parts of a message are joined by CR; the box breaks lines at LF.
QString boxText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

int runBox(const QString &text, QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
           const QString &title = QStringLiteral("さくらべ"))
{
    QMessageBox box(QMessageBox::NoIcon, title, boxText(text), buttons,
                    QApplication::activeWindow());
    // Product names and phrases carry tags like "<b>": shown as typed.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

} // namespace

void QtMessageSink::information(const QString &text)
{
    runBox(text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageSink::titledInformation(const QString &title, const QString &text)
{
    runBox(text, QMessageBox::Ok, QMessageBox::Ok, title);
}

bool QtMessageSink::question(const QString &text)
{
    return runBox(text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace app
