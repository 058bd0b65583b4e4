#include "store/backupname.h"

namespace store {

QString defaultBackupName(const QDateTime &now)
{
    const QDate date = now.date();
    const QTime time = now.time();
    const auto two = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1年%2月%3日%4時%5分%6秒に作成の商品情報")
        .arg(QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')), two(date.month()), two(date.day()),
             two(time.hour()), two(time.minute()), two(time.second()));
}

QString cleanBackupName(QStringView typed)
{
    QString cleaned;
    cleaned.reserve(typed.size());
    for (const QChar c : typed) {
        switch (c.unicode()) {
        case u'/': cleaned += u'／'; break;
        case u':': cleaned += u'：'; break;
        case u'\\': cleaned += u'￥'; break;
        case u'*': cleaned += u'＊'; break;
        case u'?': cleaned += u'？'; break;
        case u'<': cleaned += u'＜'; break;
        case u'>': cleaned += u'＞'; break;
        case u'|': cleaned += u'｜'; break;
        case u'"': cleaned += u'＂'; break;
        case u',': cleaned += u'，'; break;
        default:
            if (c.unicode() >= 0x20)
                cleaned += c;
            break;
        }
    }
    return cleaned;
}

} // namespace store
