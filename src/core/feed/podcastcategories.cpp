#include "core/feed/podcastcategories.h"

namespace {

struct Category
{
    const char *name;
    const char *subcategories; // separated by "|"
};

// Apple's list as its podcast directory reads it.
constexpr Category Categories[] = {
    {"Arts", "Books|Design|Fashion & Beauty|Food|Performing Arts|Visual Arts"},
    {"Business", "Careers|Entrepreneurship|Investing|Management|Marketing|Non-Profit"},
    {"Comedy", "Comedy Interviews|Improv|Stand-Up"},
    {"Education", "Courses|How To|Language Learning|Self-Improvement"},
    {"Fiction", "Comedy Fiction|Drama|Science Fiction"},
    {"Government", ""},
    {"History", ""},
    {"Health & Fitness", "Alternative Health|Fitness|Medicine|Mental Health|Nutrition|Sexuality"},
    {"Kids & Family", "Education for Kids|Parenting|Pets & Animals|Stories for Kids"},
    {"Leisure",
     "Animation & Manga|Automotive|Aviation|Crafts|Games|Hobbies|Home & Garden|Video Games"},
    {"Music", "Music Commentary|Music History|Music Interviews"},
    {"News", "Business News|Daily News|Entertainment News|News Commentary|Politics|Sports "
             "News|Tech News"},
    {"Religion & Spirituality", "Buddhism|Christianity|Hinduism|Islam|Judaism|Spirituality"},
    {"Science", "Astronomy|Chemistry|Earth Sciences|Life Sciences|Mathematics|Natural "
                "Sciences|Nature|Physics|Social Sciences"},
    {"Society & Culture", "Documentary|Personal Journals|Philosophy|Places & Travel|Relationships"},
    {"Sports", "Baseball|Basketball|Cricket|Fantasy Sports|Football|Golf|Hockey|Rugby|Running|"
               "Soccer|Swimming|Tennis|Volleyball|Wilderness|Wrestling"},
    {"Technology", ""},
    {"True Crime", ""},
    {"TV & Film", "After Shows|Film History|Film Interviews|Film Reviews|TV Reviews"},
};

} // namespace

QStringList PodcastCategoryChoices()
{
    static const QStringList choices = [] {
        QStringList list;
        for (const Category &category : Categories) {
            const QString name = QString::fromLatin1(category.name);
            list << name;
            for (const QString &sub :
                 QString::fromLatin1(category.subcategories).split(u'|', Qt::SkipEmptyParts))
                list << name + u'/' + sub;
        }
        return list;
    }();
    return choices;
}

bool IsPodcastCategory(const QString &choice)
{
    return PodcastCategoryChoices().contains(choice);
}

std::pair<QString, QString> SplitPodcastCategory(const QString &choice)
{
    const qsizetype slash = choice.indexOf(u'/');
    if (slash < 0)
        return {choice, {}};
    return {choice.left(slash), choice.mid(slash + 1)};
}
