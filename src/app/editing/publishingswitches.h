#pragma once

#include <QString>

// The two publishing switches, worded alike on the channel tab and in the
// project defaults.
inline QString SelfLinkCaption()
{
    return QStringLiteral("フィード自身のアドレスを書き込む (atom:link)");
}
inline QString SelfLinkHint()
{
    return QStringLiteral("RSS 2.0 のファイルに、公開されるフィード自身のアドレスを書き込みます");
}
inline QString ItemGuidCaption()
{
    return QStringLiteral("アイテムに固有のID (guid) を付ける");
}
inline QString ItemGuidHint()
{
    return QStringLiteral("RSS 2.0 の各アイテムに guid を書き込みます。リンクが重なる場合は、"
                          "保存したときに作られて変わることのないIDを使います");
}
