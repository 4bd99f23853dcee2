#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// What feedparser, the reference for what a feed reader sees, reads from a
// feed file (tools/oracles/feedparser_fields.py): the channel's fields and
// the entries with their instants in UTC seconds. Empty when it fails.
QJsonObject ReadWithFeedparser(const QString &path);
// The same for bytes, written into a temporary folder first.
QJsonObject ReadBytesWithFeedparser(const QByteArray &bytes);
