#pragma once

#include "app/common/hints.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QLabel;
class QWidget;

// A label that names the field for assistive tools as well.
QLabel *fieldLabel(const QString &text, QWidget *field);

// A one-line edit whose typing stops at a number of characters (code
// points). A longer text set from a file or a chooser is shown and kept
// whole; the user may shorten it but not lengthen it.
class LimitedLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    LimitedLineEdit(const QString &objectName, int limit, QWidget *parent = nullptr);

Q_SIGNALS:
    // The user changed the text within the limit (textEdited also reports
    // the keystrokes that were refused).
    void accepted();

private:
    void judge(const QString &typed);

    int m_limit;
    QString m_before; // the text before the user's last change
};

// A whole-number spin box that keeps a value from a file as it is, even
// outside the range, until the user edits it; then the range applies. A
// value half typed is taken as it stands.
class NumberSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    NumberSpinBox(const QString &objectName, int minimum, int maximum, QWidget *parent = nullptr);

    // Shows the value without counting as an edit.
    void showValue(int value);
    // The shown value: the loaded one until edited, else the typed text
    // clamped to the range.
    int takenValue() const;

protected:
    void stepBy(int steps) override;

private:
    void startEditing();

    int m_minimum;
    int m_maximum;
    bool m_edited = false;
};

// A titled group of radio buttons holding one choice by index.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    RadioGroup(const QString &objectName, const QString &title, const QStringList &items,
               const QString &hint, QWidget *parent = nullptr);

    int index() const;
    void setIndex(int index);
    // A choice whose values are the items' indexes (RssVersion,
    // PageExtension, Markup).
    template <typename Choice> Choice choice() const { return static_cast<Choice>(index()); }
    template <typename Choice> void setChoice(Choice choice) { setIndex(static_cast<int>(choice)); }

Q_SIGNALS:
    // The user chose an item (not emitted by setIndex).
    void chosen();

private:
    QButtonGroup *m_buttons;
    bool m_setting = false;
};
