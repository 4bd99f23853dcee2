#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Checks a generated RSS file with real clients: xmllint for
// well-formedness, rapper for RDF/XML (RSS 1.0 only) and Python's
// feedparser, which must read the channel's and every item's title, link
// and date back as the file states them. Returns what went wrong, one
// entry per problem; empty when every client accepts the file.
namespace feedcheck {

enum class Format
{
    Rss1,
    Rss2
};

QStringList problems(const QString &path, Format format);
// The same for the bytes of a file, written into a temporary folder first.
QStringList problemsOfBytes(const QByteArray &bytes, Format format);

// The single checks, for tests that need only one.
QString xmllintProblem(const QString &path);
QString rapperProblem(const QString &path);

// The W3C validator's findings (tools/oracles/w3c_check.py) on the bytes
// as served from the address base under the file name: one per line,
// without the summary; empty when it finds neither error nor warning.
QStringList w3cFindings(const QByteArray &bytes, const QString &base, const QString &name);

} // namespace feedcheck

// Fails the running test with the clients' complaints unless every client
// accepts the bytes.
#define FEEDCHECK_ACCEPTS(bytes, format)                                                           \
    do {                                                                                           \
        const QStringList feedProblems = feedcheck::problemsOfBytes(bytes, format);                \
        QVERIFY2(feedProblems.isEmpty(), qPrintable(feedProblems.join(u'\n')));                    \
    } while (false)
