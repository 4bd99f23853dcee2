#pragma once

#include <QString>
#include <QStringView>

// One attribute of a template variable or loop start: name="value".
struct TemplateAttribute
{
    QString name;
    QString value;
    // The attribute text behind this attribute, trimmed; empty when the text
    // holds no further "=".
    QString rest;
};

// Reads the first attribute of an attribute text. Name and value are trimmed
// of controls and spaces; the value is the text between the first two double
// quotes. A text without "=" or without two double quotes gives nothing.
TemplateAttribute ParseAttribute(const QString &text);

// Reads the attributes of one attribute text one after another, with the
// same results as calling ParseAttribute on each rest in turn. It never
// copies the rest, and remembers where the next "=" lies, so reading all
// attributes of a text costs time in proportion to the text's length.
class AttributeReader
{
public:
    struct Attribute
    {
        QStringView name;
        QStringView value;
    };

    explicit AttributeReader(QStringView text) : m_text(text) {}

    // True when only controls and spaces remain.
    bool atEnd();
    // The next attribute; an empty name when the remaining text holds none.
    Attribute next();
    // The unread text, trimmed.
    QStringView rest();

private:
    qsizetype firstEqualsFrom(qsizetype from);
    qsizetype nameEnd(qsizetype equals);
    void finish() { m_pos = m_text.size(); }

    QStringView m_text;
    qsizetype m_pos = 0;
    // The first "=" at or after some earlier reading position (-1: none);
    // -2 before the first search.
    qsizetype m_equals = -2;
    qsizetype m_nameEndFor = -1;
    qsizetype m_nameEnd = 0;
};
