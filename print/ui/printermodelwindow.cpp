#include "print/ui/printermodelwindow.h"

#include "print/ui/centring.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace print {

PrinterModelWindow::PrinterModelWindow(const QString &firstCaption, const QString &secondCaption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterModelWindow"));
    setWindowTitle(QStringLiteral("プリンター選択"));
    setWindowModality(Qt::ApplicationModal);
    // A title and a close box, nothing to shrink or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *line1 = new QLabel(QStringLiteral("プリンターの背面ラベルに記載さ"), this);
    auto *line2 = new QLabel(QStringLiteral("れている「型番」をご選択下さい"), this);
    line1->setObjectName(QStringLiteral("Label1"));
    line2->setObjectName(QStringLiteral("Label2"));
    auto *first = new QPushButton(firstCaption, this);
    auto *second = new QPushButton(secondCaption, this);
    first->setObjectName(QStringLiteral("Command1"));
    second->setObjectName(QStringLiteral("Command2"));
    for (QPushButton *button : {first, second})
        button->setMinimumHeight(44);
    connect(first, &QPushButton::clicked, this, [this] {
        m_answer = QStringLiteral("1");
        accept();
    });
    connect(second, &QPushButton::clicked, this, [this] {
        m_answer = QStringLiteral("2");
        accept();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 20);
    layout->addWidget(line1);
    layout->addWidget(line2);
    layout->addSpacing(12);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(first);
    buttons->addWidget(second);
    layout->addLayout(buttons);
}

void PrinterModelWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    adjustSize();
    centreOnScreen(*this);
}

std::optional<QString> askPrinterModel(const QString &firstCaption, const QString &secondCaption, QWidget *parent)
{
    PrinterModelWindow window(firstCaption, secondCaption, parent);
    window.exec();
    return window.answer();
}

} // namespace print
