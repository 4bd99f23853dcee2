#include "app/common/commandset.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

CommandSet::CommandSet(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void CommandSet::add(QAction *action)
{
    m_actions.insert(action->objectName(), action);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this,
            [this, name = action->objectName()] { trigger(name); });
}

void CommandSet::define(const QStringList &names, std::function<void()> run, Rule enabled,
                        PageUse pages)
{
    for (const QString &name : names) {
        Entry &entry = m_entries[name];
        entry.run = run;
        entry.enabled = enabled;
        entry.pages = pages;
        if (QAction *action = m_actions.value(name))
            update(action);
    }
}

void CommandSet::defineCheck(const QString &name, Rule checked)
{
    m_entries[name].checked = std::move(checked);
    if (QAction *action = m_actions.value(name)) {
        action->setCheckable(true);
        update(action);
    }
}

bool CommandSet::isEnabled(const QString &name) const
{
    const auto it = m_entries.constFind(name);
    return it != m_entries.cend() && it->run && (!it->enabled || it->enabled());
}

bool CommandSet::trigger(const QString &name)
{
    if (!isEnabled(name))
        return false;
    // A copy: the command may redefine commands while it runs.
    const Entry entry = m_entries.value(name);
    if (entry.pages == StorePagesFirst && m_storePages)
        m_storePages();
    entry.run();
    // What the command did (a search text given, a dialog closed) may
    // enable others whose keys must work at once.
    refresh();
    return true;
}

void CommandSet::update(QAction *action) const
{
    const QString name = action->objectName();
    action->setEnabled(isEnabled(name));
    const auto it = m_entries.constFind(name);
    if (it != m_entries.cend() && it->checked)
        action->setChecked(it->checked());
}

void CommandSet::watch(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction *action : menu->actions()) {
            if (m_actions.contains(action->objectName()))
                update(action);
        }
    });
}

bool CommandSet::eventFilter(QObject *watched, QEvent *event)
{
    // A key is offered to the focused control as ShortcutOverride before
    // the shortcuts are looked up.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (QAction *action : std::as_const(m_actions)) {
            if (action->shortcut() == pressed)
                update(action);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CommandSet::refresh()
{
    for (QAction *action : std::as_const(m_actions))
        update(action);
}
