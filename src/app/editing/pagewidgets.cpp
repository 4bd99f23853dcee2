#include "pagewidgets.h"

#include "editing/feedpagebinding.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QValidator>

void setHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    widget->setAccessibleDescription(hint);
}

QLabel *fieldLabel(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

namespace {

// Judges a typed text against the text the edit holds before the change.
class TypingLimit : public QValidator
{
public:
    TypingLimit(QLineEdit *edit, int limit) : QValidator(edit), m_edit(edit), m_limit(limit) {}

    State validate(QString &input, int &) const override
    {
        return AcceptsTypedText(m_edit->text(), input, m_limit) ? Acceptable : Invalid;
    }

private:
    QLineEdit *m_edit;
    int m_limit;
};

} // namespace

LimitedLineEdit::LimitedLineEdit(const QString &objectName, int limit, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(objectName);
    setValidator(new TypingLimit(this, limit));
}

NumberSpinBox::NumberSpinBox(const QString &objectName, int minimum, int maximum, QWidget *parent)
    : QSpinBox(parent), m_minimum(minimum), m_maximum(maximum)
{
    setObjectName(objectName);
    setRange(minimum, maximum);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_edited = true; });
}

void NumberSpinBox::showValue(int value)
{
    m_edited = false;
    // A value from a file outside the range is shown as it is.
    setRange(qMin(m_minimum, value), qMax(m_maximum, value));
    setValue(value);
}

int NumberSpinBox::takenValue() const
{
    if (!m_edited)
        return value();
    bool ok = false;
    const int typed = cleanText().toInt(&ok);
    return qBound(m_minimum, ok ? typed : value(), m_maximum);
}

void NumberSpinBox::stepBy(int steps)
{
    startEditing();
    QSpinBox::stepBy(steps);
}

void NumberSpinBox::startEditing()
{
    m_edited = true;
    setRange(m_minimum, m_maximum);
}

RadioGroup::RadioGroup(const QString &objectName, const QString &title, const QStringList &items,
                       const QString &hint, QWidget *parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this))
{
    setObjectName(objectName);
    setHint(this, hint);
    auto *layout = new QHBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i));
        button->setAccessibleDescription(title);
        m_buttons->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    m_buttons->button(0)->setChecked(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::chosen);
}

int RadioGroup::index() const
{
    return qMax(0, m_buttons->checkedId());
}

void RadioGroup::setIndex(int index)
{
    m_buttons->button(index)->setChecked(true);
}
