#include "core/html/templateattribute.h"

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QStringView trimmedControls(QStringView text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isBlank(text[first]))
        ++first;
    while (end > first && isBlank(text[end - 1]))
        --end;
    return text.sliced(first, end - first);
}

} // namespace

TemplateAttribute ParseAttribute(const QString &text)
{
    AttributeReader reader(text);
    const AttributeReader::Attribute attribute = reader.next();
    return {attribute.name.toString(), attribute.value.toString(), reader.rest().toString()};
}

bool AttributeReader::atEnd()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
    return m_pos == m_text.size();
}

AttributeReader::Attribute AttributeReader::next()
{
    if (atEnd())
        return {};
    const qsizetype equals = firstEqualsFrom(m_pos);
    const qsizetype openQuote = m_text.indexOf(u'"', m_pos);
    const qsizetype closeQuote = openQuote < 0 ? -1 : m_text.indexOf(u'"', openQuote + 1);
    if (equals < 0 || closeQuote < 0) {
        finish();
        return {};
    }
    const qsizetype end = std::max(nameEnd(equals), m_pos);
    const Attribute attribute{
        m_text.sliced(m_pos, end - m_pos),
        trimmedControls(m_text.sliced(openQuote + 1, closeQuote - openQuote - 1))};
    // Only a further "=" behind the opening quote leaves a rest to read.
    if (firstEqualsFrom(openQuote + 1) < 0)
        finish();
    else
        m_pos = closeQuote + 1;
    return attribute;
}

QStringView AttributeReader::rest()
{
    return trimmedControls(m_text.sliced(m_pos));
}

qsizetype AttributeReader::firstEqualsFrom(qsizetype from)
{
    // Reading positions only move forward, so a remembered "=" at or after
    // the position is still the first one, and "none" stays "none".
    if (m_equals == -2 || (m_equals >= 0 && m_equals < from))
        m_equals = m_text.indexOf(u'=', from);
    return m_equals;
}

qsizetype AttributeReader::nameEnd(qsizetype equals)
{
    // The blanks in front of one "=" are skipped once, however many
    // attributes share that "=" as the end of their name.
    if (m_nameEndFor != equals) {
        m_nameEndFor = equals;
        m_nameEnd = equals;
        while (m_nameEnd > 0 && isBlank(m_text[m_nameEnd - 1]))
            --m_nameEnd;
    }
    return m_nameEnd;
}
