// The channel tab's podcast section and publishing switches: the parts of
// the page that only feeds going beyond plain RSS use.
#include "app/editing/channelpage.h"

#include "app/common/pagewidgets.h"
#include "app/editing/publishingswitches.h"
#include "core/feed/podcastcategories.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int PodcastText = 255;

// A choice list whose entries carry the stored value as their data.
QComboBox *valueCombo(const QString &objectName, const QString &hint,
                      const QList<std::pair<QString, QString>> &entries)
{
    auto *combo = new QComboBox;
    combo->setObjectName(objectName);
    SetHint(combo, hint);
    for (const auto &[caption, value] : entries)
        combo->addItem(caption, value);
    return combo;
}

QList<std::pair<QString, QString>> categoryEntries()
{
    QList<std::pair<QString, QString>> entries{{u"(指定しない)"_s, QString()}};
    for (const QString &choice : PodcastCategoryChoices())
        entries.append({choice.contains(u'/') ? u"　"_s + choice : choice, choice});
    return entries;
}

} // namespace

QWidget *ChannelPage::buildPublishing()
{
    auto *box = new QGroupBox(u"RSS 2.0 の公開設定"_s);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(addCheck(&ChannelSettings::selflink, u"CB_SelfLink_Sub"_s, SelfLinkCaption(),
                               SelfLinkHint()));
    layout->addWidget(addCheck(&ChannelSettings::itemguid, u"CB_ItemGuid_Sub"_s, ItemGuidCaption(),
                               ItemGuidHint()));
    return box;
}

QWidget *ChannelPage::buildPodcast()
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    QCheckBox *on = addCheck(&ChannelSettings::podcast, u"CB_Podcast_Sub"_s,
                             u"ポッドキャストとして配信する (RSS 2.0)"_s,
                             u"ポッドキャストの項目 (itunes) をRSSに書き込みます"_s);
    layout->addWidget(on);

    // Folded away while the feed is no podcast.
    m_podcastFields = new QGroupBox(u"ポッドキャスト"_s);
    m_podcastFields->setObjectName(u"GB_Podcast_Sub"_s);
    auto *form = new QFormLayout(m_podcastFields);
    const auto add = [&](QString ChannelSettings::*member, const QString &name,
                         const QString &label, const QString &hint) {
        LimitedLineEdit *edit = addText(member, name, PodcastText, hint);
        form->addRow(fieldLabel(label, edit), edit);
    };
    add(&ChannelSettings::itunesimage, u"ED_ItunesImage_Sub"_s, u"番組の画像のアドレス"_s,
        u"1400～3000ピクセルの正方形の JPEG か PNG の画像のアドレスを http:// から入力します"_s);
    m_category =
        valueCombo(u"CB_ItunesCategory_Sub"_s,
                   u"番組のカテゴリを Apple Podcasts の一覧から選びます"_s, categoryEntries());
    form->addRow(fieldLabel(u"カテゴリ"_s, m_category), m_category);
    add(&ChannelSettings::itunesauthor, u"ED_ItunesAuthor_Sub"_s, u"番組の作者"_s,
        u"番組の作者や制作者の名前を入力します"_s);
    add(&ChannelSettings::itunesowner, u"ED_ItunesOwner_Sub"_s, u"所有者の名前"_s,
        u"番組の所有者の名前を入力します (公開はされません)"_s);
    add(&ChannelSettings::itunesemail, u"ED_ItunesEmail_Sub"_s, u"所有者のメールアドレス"_s,
        u"ポッドキャストの登録先から連絡を受けるメールアドレスを入力します"_s);
    m_itunesType =
        valueCombo(u"CB_ItunesType_Sub"_s, u"新しい順に聞く番組か、順番に聞く番組かを選びます"_s,
                   {{u"(指定しない)"_s, QString()},
                    {u"エピソード形式 (新しい順)"_s, u"episodic"_s},
                    {u"シリーズ形式 (順番に)"_s, u"serial"_s}});
    form->addRow(fieldLabel(u"番組の種類"_s, m_itunesType), m_itunesType);
    form->addRow(addCheck(&ChannelSettings::itunesexplicit, u"CB_ItunesExplicit_Sub"_s,
                          u"露骨な表現を含む"_s,
                          u"番組に露骨な表現が含まれる場合にチェックします"_s));
    layout->addWidget(m_podcastFields);

    for (QComboBox *combo : {m_category, m_itunesType})
        connect(combo, &QComboBox::activated, this, &ChannelPage::reportContentEdit);
    connect(on, &QCheckBox::toggled, m_podcastFields, &QWidget::setVisible);
    m_podcastFields->setVisible(false);
    return box;
}

void ChannelPage::showPodcastChoices(const ChannelSettings &settings)
{
    // A category this list does not know is kept and shown as it is.
    const QString category = settings.itunescategory;
    if (m_category->itemData(1).toString() != PodcastCategoryChoices().value(0))
        m_category->removeItem(1); // one shown so for the previous feed
    int index = m_category->findData(category);
    if (index < 0) {
        m_category->insertItem(1, category, category);
        index = 1;
    }
    m_category->setCurrentIndex(index);
    m_itunesType->setCurrentIndex(std::max(0, m_itunesType->findData(settings.itunestype)));
}

void ChannelPage::storePodcastChoices(ChannelSettings &settings) const
{
    settings.itunescategory = m_category->currentData().toString();
    settings.itunestype = m_itunesType->currentData().toString();
}
