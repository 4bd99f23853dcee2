#include "app/editing/itemmediapanel.h"

#include "app/common/pagewidgets.h"
#include "core/media/mediafacts.h"
#include "core/userinterface.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The item's own explicit flag: empty follows the channel.
const QStringList ExplicitValues{QString(), u"true"_s, u"false"_s};

} // namespace

ItemMediaPanel::ItemMediaPanel(UserInterface &ui, QWidget *parent) : QWidget(parent), m_ui(ui)
{
    setObjectName(u"PL_ItemMedia"_s);
    m_address = addField(u"ED_Enclosure"_s,
                         u"アイテムに添付する音声・動画などのファイルのアドレスを http:// から"
                         u"入力します"_s);
    m_length = addField(u"ED_EnclosureLength"_s, u"ファイルの大きさをバイト数で入力します"_s);
    m_type = addField(u"ED_EnclosureType"_s, u"ファイルの種類 (例: audio/mpeg) を入力します"_s);
    m_file = addField(u"ED_EnclosureFile"_s,
                      u"「参照...」で選んだファイルです。アップロードの設定で一緒に送れます"_s);
    m_file->setReadOnly(true);
    m_duration = addField(u"ED_ItunesDuration"_s,
                          u"ポッドキャストの再生時間を hh:mm:ss か秒数で入力します"_s);
    m_episode = addField(u"ED_ItunesEpisode"_s, u"ポッドキャストのエピソード番号を入力します"_s);
    m_explicit = new QComboBox;
    m_explicit->setObjectName(u"CB_ItemExplicit"_s);
    m_explicit->addItems({u"番組の設定に従う"_s, u"あり"_s, u"なし"_s});
    SetHint(m_explicit, u"このエピソードに露骨な表現が含まれるかどうかを選びます"_s);
    connect(m_explicit, &QComboBox::activated, this, &ItemMediaPanel::report);

    m_browse = new QPushButton(u"参照..."_s);
    m_browse->setObjectName(u"BT_EnclosureBrowse"_s);
    SetHint(m_browse, u"ローカルのファイルを選び、大きさと種類とアドレスを入力します"_s);
    connect(m_browse, &QPushButton::clicked, this, &ItemMediaPanel::chooseFile);
    m_ask = new QPushButton(u"サーバーに問い合わせ"_s);
    m_ask->setObjectName(u"BT_EnclosureAsk"_s);
    SetHint(m_ask, u"アドレスのファイルの大きさと種類をサーバーに問い合わせて入力します"_s);
    connect(m_ask, &QPushButton::clicked, this, &ItemMediaPanel::askServer);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    auto *title = new QLabel(u"メディアファイル (任意)"_s);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(fieldLabel(u"アドレス"_s, m_address), 1, 0);
    grid->addWidget(m_address, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    grid->addWidget(fieldLabel(u"長さ (バイト)"_s, m_length), 2, 0);
    grid->addWidget(m_length, 2, 1);
    grid->addWidget(m_ask, 2, 2);
    grid->addWidget(fieldLabel(u"種類 (MIME)"_s, m_type), 3, 0);
    grid->addWidget(m_type, 3, 1);
    grid->addWidget(fieldLabel(u"ローカルのファイル"_s, m_file), 4, 0);
    grid->addWidget(m_file, 4, 1, 1, 2);
    grid->addWidget(fieldLabel(u"再生時間"_s, m_duration), 5, 0);
    grid->addWidget(m_duration, 5, 1);
    grid->addWidget(fieldLabel(u"エピソード番号"_s, m_episode), 6, 0);
    grid->addWidget(m_episode, 6, 1);
    grid->addWidget(fieldLabel(u"露骨な表現"_s, m_explicit), 7, 0);
    grid->addWidget(m_explicit, 7, 1);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(1, 1);
    // Tab follows the lines: each button after the field it fills.
    QWidget *order[] = {m_address, m_browse,   m_length,  m_ask,     m_type,
                        m_file,    m_duration, m_episode, m_explicit};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

QLineEdit *ItemMediaPanel::addField(const QString &objectName, const QString &hint)
{
    auto *field = new QLineEdit;
    field->setObjectName(objectName);
    SetHint(field, hint);
    connect(field, &QLineEdit::textEdited, this, &ItemMediaPanel::report);
    return field;
}

void ItemMediaPanel::setChannelValues(std::function<ChannelSettings()> values)
{
    m_channelValues = std::move(values);
}

void ItemMediaPanel::showItem(const FeedItem &item)
{
    m_filling = true;
    m_address->setText(item.enclosure);
    m_length->setText(item.enclosurelength);
    m_type->setText(item.enclosuretype);
    m_file->setText(item.enclosurefile);
    m_duration->setText(item.itunesduration);
    m_episode->setText(item.itunesepisode);
    m_explicit->setCurrentIndex(std::max<int>(0, int(ExplicitValues.indexOf(item.itunesexplicit))));
    m_filling = false;
}

FeedItem ItemMediaPanel::applyTo(FeedItem item) const
{
    item.enclosure = m_address->text();
    item.enclosurelength = m_length->text();
    item.enclosuretype = m_type->text();
    // A file goes with the address it was chosen for.
    item.enclosurefile = item.enclosure.trimmed().isEmpty() ? QString() : m_file->text();
    item.itunesduration = m_duration->text();
    item.itunesepisode = m_episode->text();
    item.itunesexplicit = ExplicitValues.value(m_explicit->currentIndex());
    return item;
}

void ItemMediaPanel::chooseFile()
{
    UserInterface::FileChoice choice;
    choice.title = u"メディアファイルの選択"_s;
    choice.filter = u"音声・動画ファイル|*.mp3;*.m4a;*.mp4;*.m4v;*.mov;*.aac;*.ogg;*.opus;*.pdf|"
                    u"すべてのファイル|*.*"_s;
    choice.startFolder = m_lastFolder;
    const std::optional<QString> path = m_ui.chooseOpenFile(choice);
    if (!path)
        return;
    m_lastFolder = QFileInfo(*path).absolutePath();
    const MediaFacts facts =
        LocalMediaFacts(*path, m_channelValues ? m_channelValues() : ChannelSettings());
    if (!facts.error.isEmpty()) {
        m_ui.information(facts.error);
        return;
    }
    // An address the user typed stays when the feed has none to propose.
    if (!facts.address.isEmpty())
        m_address->setText(facts.address);
    m_length->setText(facts.length);
    m_type->setText(facts.type);
    m_file->setText(QFileInfo(*path).absoluteFilePath());
    report();
}

void ItemMediaPanel::askServer()
{
    const QString address = m_address->text().trimmed();
    if (address.isEmpty()) {
        m_ui.information(u"メディアファイルのアドレスを入力してください。"_s);
        return;
    }
    MediaFacts facts;
    {
        BusyCursor busy(m_ui);
        facts = ProbeMediaAddress(QUrl(address));
    }
    if (!facts.length.isEmpty())
        m_length->setText(facts.length);
    if (!facts.type.isEmpty())
        m_type->setText(facts.type);
    if (!facts.error.isEmpty())
        m_ui.information(u"ファイルの情報を取得できませんでした。\r\n"_s + facts.error);
    report();
}

void ItemMediaPanel::report()
{
    if (!m_filling)
        Q_EMIT edited();
}
