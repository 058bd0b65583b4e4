#pragma once

#include "store/productrecord.h"

namespace testsupport {

// A boxed lunch as a shop registers it: every field a "65×45(タテ)" label
// shows, an expiry date one day after the base date ("YYYY/MM/DD"), a JAN
// code and a plastic mark, every field ruled. The whole label fits without a
// message. A test changes the fields it is about.
inline store::ProductRecord sampleProduct(const QString &number = QStringLiteral("0001"),
                                          const QString &productName = QStringLiteral("品名:幕の内弁当"))
{
    store::ProductRecord r;
    r.number = number;
    r.productName = productName;
    r.categoryName = QStringLiteral("名称:弁当");
    r.ingredients = QStringLiteral("原材料名:ご飯、鮭塩焼き、卵焼き、煮物（人参、椎茸、筍）、漬物、ごま／調味料（アミノ酸等）、"
                                   "(一部に小麦・卵・大豆・さけを含む)");
    r.netContent = QStringLiteral("内容量:1");
    r.netContentUnit = QStringLiteral("個");
    r.expiryTitle = QStringLiteral("消費期限:");
    r.expiryFormat = QStringLiteral("YYYY/MM/DD");
    r.expiryAddDays = QStringLiteral("1");
    r.storage = QStringLiteral("保存方法:要冷蔵(10℃以下)");
    r.responsible = QStringLiteral("製造者:さくら食品株式会社 東京都千代田区1-1");
    r.remarks = QStringLiteral("<b>¥398");
    r.barcode = QStringLiteral("4901234567894");
    r.recycleMark = QStringLiteral("プラ");
    r.recycleSub1 = QStringLiteral("容器");
    r.labelSize = QStringLiteral("65×45(タテ)");
    r.ruledLines = QStringLiteral("ooooooooooo");
    return r;
}

} // namespace testsupport
