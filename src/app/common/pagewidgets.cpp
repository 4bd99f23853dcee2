#include "app/common/pagewidgets.h"

#include "core/editing/feedpagebinding.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

QLabel *fieldLabel(const QString &text, QWidget *field)
{
    auto *label = new QLabel(text);
    SetFieldLabel(label, field);
    return label;
}

// A validator cannot do this: it sees only the new text, and it refuses a
// long text that is set, not typed, which then lets every keystroke pass.
LimitedLineEdit::LimitedLineEdit(const QString &objectName, int limit, QWidget *parent)
    : QLineEdit(parent), m_limit(limit)
{
    setObjectName(objectName);
    // textChanged follows textEdited with the refused text as its argument,
    // so the edit's own text is what counts.
    connect(this, &QLineEdit::textChanged, this, [this] { m_before = text(); });
    connect(this, &QLineEdit::textEdited, this, &LimitedLineEdit::judge);
}

void LimitedLineEdit::judge(const QString &typed)
{
    if (AcceptsTypedText(m_before, typed, m_limit)) {
        Q_EMIT accepted();
        return;
    }
    const int cursor = cursorPosition() - int(typed.size() - m_before.size());
    setText(m_before);
    setCursorPosition(qMax(0, cursor));
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
    SetHint(this, hint);
    auto *layout = new QHBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i));
        button->setAccessibleDescription(title);
        m_buttons->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    m_buttons->button(0)->setChecked(true);
    // The state counts, not the click: assistive tools check a button
    // without clicking it.
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked && !m_setting)
            Q_EMIT chosen();
    });
}

int RadioGroup::index() const
{
    return qMax(0, m_buttons->checkedId());
}

void RadioGroup::setIndex(int index)
{
    m_setting = true;
    m_buttons->button(index)->setChecked(true);
    m_setting = false;
}
