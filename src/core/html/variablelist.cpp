#include "core/html/variablelist.h"

namespace {

const QString stringFormatNote = QStringLiteral("format=\"%s\" が使えます。");
const QString dateFormatNote = QStringLiteral("format=\"yyyy-mm-dd hh:nn:ss\" が使えます。");

QString line(const QString &description, const QString &inserted, const QString &note)
{
    return description + u'\t' + inserted + u'\t' + note;
}

} // namespace

QStringList HtmlVariableListLines()
{
    return {
        line(QStringLiteral("ルートアドレス"), QStringLiteral("{common_root}"), stringFormatNote),
        line(QStringLiteral("設置するアドレス"), QStringLiteral("{common_target}"),
             stringFormatNote),
        line(QStringLiteral("HTMLのページのURLの全て"), QStringLiteral("{common_html}"),
             stringFormatNote),
        line(QStringLiteral("RSSのURLの全て"), QStringLiteral("{channel_feed}"), stringFormatNote),
        line(QStringLiteral("チャンネルのタイトル"), QStringLiteral("{channel_title}"),
             stringFormatNote),
        line(QStringLiteral("チャンネルのページアドレス"), QStringLiteral("{channel_link}"),
             stringFormatNote),
        line(QStringLiteral("チャンネルの概要"), QStringLiteral("{channel_desc}"),
             stringFormatNote),
        line(QStringLiteral("チャンネルの作成者"), QStringLiteral("{channel_creator}"),
             stringFormatNote),
        line(QStringLiteral("チャンネルの日付"), QStringLiteral("{channel_date}"), dateFormatNote),
        line(QStringLiteral("ロゴ画像のURLの全て"), QStringLiteral("{image_url}"),
             stringFormatNote),
        line(QStringLiteral("ロゴのタイトル"), QStringLiteral("{image_title}"), stringFormatNote),
        line(QStringLiteral("ロゴをクリックしたときのアドレス"), QStringLiteral("{image_link}"),
             stringFormatNote),
        line(QStringLiteral("アイテムのタイトル"), QStringLiteral("{item_title}"),
             stringFormatNote),
        line(QStringLiteral("アイテムのリンク"), QStringLiteral("{item_link}"), stringFormatNote),
        line(QStringLiteral("アイテムの概要"), QStringLiteral("{item_desc}"), stringFormatNote),
        line(QStringLiteral("アイテムの本文"), QStringLiteral("{item_content}"), stringFormatNote),
        line(QStringLiteral("アイテムのカテゴリ"), QStringLiteral("{item_subject}"),
             stringFormatNote),
        line(QStringLiteral("アイテムの作成者"), QStringLiteral("{item_creator}"),
             stringFormatNote),
        line(QStringLiteral("アイテムの日付"), QStringLiteral("{item_date}"), dateFormatNote),
        line(QStringLiteral("アイテムのラベル(ID)"), QStringLiteral("{item_guid}"),
             stringFormatNote),
        line(QStringLiteral("メディアファイルのアドレス"), QStringLiteral("{item_enclosure_url}"),
             stringFormatNote),
        line(QStringLiteral("メディアファイルの長さ(バイト)"),
             QStringLiteral("{item_enclosure_length}"), stringFormatNote),
        line(QStringLiteral("メディアファイルの種類(MIME)"),
             QStringLiteral("{item_enclosure_type}"), stringFormatNote),
        line(QStringLiteral("再生時間"), QStringLiteral("{item_duration}"), stringFormatNote),
        line(QStringLiteral("アイテムの開始"), QStringLiteral("{item_loop_start}"),
             QStringLiteral("count=\"50\" 例:最新から50件などが指定できます。 省略時は全て")),
        line(QStringLiteral("アイテムの終了"), QStringLiteral("{item_loop_end}"), QString()),
        line(QStringLiteral("年度の変わり目"), QStringLiteral("{if_year_change}"),
             QStringLiteral("format=\"%s\" が使えます。西暦の年度が入ります。")),
    };
}
