#include "screens/common/settingsprinter.h"

#include "platform/messagesink.h"
#include "platform/printersystem.h"
#include "platform/programexit.h"

namespace screens {

QString settingsPrinterMissingMessage()
{
    return QStringLiteral("■■■指定されたプリンターのドライバーが見つかりません■■■\r\r"
                          "プリンタードライバーがインストールされていないか、「各種設定」で使用プリンターを指定していない可能性があります。\r"
                          "詳しくは、「さくらべ」の操作説明書をご確認下さいませ。このソフトウェアは、この時点で終了します。");
}

bool settingsPrinterInstalled(const app::AppContext &context, const store::UserSettings &settings)
{
    if (context.printers->printerNames().contains(settings.printer))
        return true;
    context.messages->information(settingsPrinterMissingMessage());
    context.programExit->exit(1);
    return false;
}

} // namespace screens
