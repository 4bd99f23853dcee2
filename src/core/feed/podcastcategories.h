#pragma once

#include <QString>
#include <QStringList>

// Apple Podcasts' categories. A feed stores its choice as "Main" or
// "Main/Sub"; the list offers every main category followed by its
// subcategories in that form.
QStringList PodcastCategoryChoices();
bool IsPodcastCategory(const QString &choice);
// The main category and the subcategory (empty for a main one alone).
std::pair<QString, QString> SplitPodcastCategory(const QString &choice);
