#include "core/publish/ftpreplyreader.h"

#include <QStringList>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

void FtpReplyReader::append(const QByteArray &bytes)
{
    if (hasFailed())
        return;
    m_buffer.append(bytes);
    parse();
}

std::optional<FtpReply> FtpReplyReader::takeReply()
{
    std::optional<FtpReply> reply;
    reply.swap(m_complete);
    parse();
    return reply;
}

void FtpReplyReader::parse()
{
    while (!m_complete && !hasFailed()) {
        const qsizetype end = m_buffer.indexOf('\n');
        if (end < 0) {
            // Room for the CR of a line of the longest length.
            if (m_buffer.size() > MaxLineLength + 1)
                failLineTooLong();
            return;
        }
        QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        addLine(line);
    }
}

void FtpReplyReader::addLine(QByteArray line)
{
    if (line.size() > MaxLineLength)
        return failLineTooLong();
    const bool startsWithCode = line.size() >= 3 && isDigit(line[0]) && isDigit(line[1]) &&
                                isDigit(line[2]) &&
                                (line.size() == 3 || line[3] == ' ' || line[3] == '-');

    if (m_code.isEmpty()) {
        if (line.isEmpty())
            return;
        const int code = startsWithCode ? line.left(3).toInt() : 0;
        if (code < 100 || code > 599)
            return fail(QStringLiteral("サーバーの応答が不正です: %1")
                            .arg(QString::fromUtf8(line.left(80))));
        m_lines = QStringList{QString::fromUtf8(line)};
        if (line.size() > 3 && line[3] == '-') {
            m_code = line.left(3);
            return;
        }
        m_complete = FtpReply{code, m_lines.first()};
        return;
    }

    if (m_lines.size() >= MaxLines)
        return fail(QStringLiteral("サーバーの応答が%1行を超えています。").arg(MaxLines));
    m_lines << QString::fromUtf8(line);
    if (startsWithCode && line.startsWith(m_code) && (line.size() == 3 || line[3] == ' ')) {
        m_complete = FtpReply{m_code.toInt(), m_lines.join(QLatin1Char('\n'))};
        m_code.clear();
    }
}

void FtpReplyReader::failLineTooLong()
{
    fail(QStringLiteral("サーバーの応答行が%1バイトを超えています。").arg(MaxLineLength));
}

void FtpReplyReader::fail(const QString &reason)
{
    m_failure = reason;
    m_buffer.clear();
    m_lines.clear();
    m_complete.reset();
}
