#include "screens/registration/enlargedfields.h"

#include <array>

namespace screens {
namespace {

// The help of the three spare fields after their first line.
QStringList spareHelp(const QString &first)
{
    return {first, QStringLiteral("・複数行での表示が行えます。"), QStringLiteral("・文頭に<d>や<b>を入れる事で、特殊表現が可能です"),
            QStringLiteral("・タイトルがない項目となりますので、必要な場合はタイトルをご記入下さい。"),
            QStringLiteral("　【例】「凍結前加熱の有無：」「加熱調理の必要性：」など。")};
}

const std::array<EnlargedField, 9> &fields()
{
    static const std::array<EnlargedField, 9> table{{
        {QStringLiteral("品名の登録"), false, true, true,
         {QStringLiteral("■品名の入力について■"), QStringLiteral("・複数行での表示が行えます。"),
          QStringLiteral("・文頭に<b>を入れる事で、文字の強調印字が可能です"),
          QStringLiteral("・文中に<m>を入れると、それ以降の文字がラベルに印字されなくなります。"),
          QStringLiteral("　<m>は、同名商品が多い場合に、印刷選択時の区別表示用としてご利用下さい。")}},
        {QStringLiteral("名称の登録"), false, true, true,
         {QStringLiteral("■名称の入力について■"), QStringLiteral("・複数行での表示が行えます。"),
          QStringLiteral("・文頭に<b>を入れる事で、文字の強調印字が可能です"),
          QStringLiteral("・文頭に<w>を入れる事で、乳製品等に対応した14ポイントの強調印字が可能です")}},
        {QStringLiteral("原材料名の登録"), false, false, false,
         {QStringLiteral("■原材料名の入力について■"), QStringLiteral("・複数行での表示が行えます。"),
          QStringLiteral("・文中に「？」を入れると、？より前の文字列がラベル一枚目の原材料名欄に表示"),
          QStringLiteral("　され、？から後の文字は２枚目のラベルに表示されます。（原材料拡張表示機能）")}},
        {QStringLiteral("保存方法の登録"), false, false, false,
         {QStringLiteral("■保存方法の入力について■"), QStringLiteral("・複数行での表示が行えます。")}},
        {QStringLiteral("責任者表記の登録"), false, false, false,
         {QStringLiteral("■責任者表記の入力について■"), QStringLiteral("・複数行での表示が行えます。")}, false},
        {QStringLiteral("予備欄３の登録"), true, true, false, spareHelp(QStringLiteral("■予備欄３の入力について■"))},
        {QStringLiteral("備考/価格の登録"), true, true, false,
         {QStringLiteral("■備考／価格の入力について■"), QStringLiteral("・複数行での表示が行えます。"),
          QStringLiteral("・タイトルがない項目となりますので、必要な場合はタイトルをご記入下さい。"),
          QStringLiteral("・文頭に<d>を入れる事で、本日の日付を期限表示と同じ表記で印字する事が可能です"),
          QStringLiteral("・文頭に<b>を入れる事で、文字の強調印字が可能です")}},
        {QStringLiteral("予備欄１の登録"), true, true, true, spareHelp(QStringLiteral("■予備欄１の入力について■"))},
        {QStringLiteral("予備欄２の登録"), true, true, true, spareHelp(QStringLiteral("■予備欄２の入力について■"))},
    }};
    return table;
}

} // namespace

const EnlargedField &enlargedField(EditorField field)
{
    return fields()[static_cast<size_t>(field)];
}

} // namespace screens
