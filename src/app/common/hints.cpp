#include "app/common/hints.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QWidget>

void SetHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
    widget->setAccessibleDescription(hint);
}

void SetHint(QAction *action, const QString &hint)
{
    action->setToolTip(hint);
    action->setStatusTip(hint);
    // Tool buttons made for the action describe themselves with it.
    for (QObject *object : action->associatedObjects()) {
        if (auto *widget = qobject_cast<QWidget *>(object);
            widget && !qobject_cast<QMenu *>(widget))
            widget->setAccessibleDescription(hint);
    }
}

void SetFieldLabel(QLabel *label, QWidget *field)
{
    label->setBuddy(field);
    QString text = label->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x1")).remove(u'&').replace(u'\x1', u'&');
    field->setAccessibleName(text.trimmed());
}
