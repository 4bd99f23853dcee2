#include "app/common/commandset.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

CommandSet::CommandSet(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

void CommandSet::add(const QString &id, QAction *action)
{
    m_entries[id].actions << action;
    m_ids.insert(action, id);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { trigger(id); });
}

QAction *CommandSet::action(const QString &id) const
{
    const auto it = m_entries.constFind(id);
    return it == m_entries.cend() || it->actions.isEmpty() ? nullptr : it->actions.first();
}

void CommandSet::define(const QString &id, std::function<void()> run, Rule enabled, PageUse pages)
{
    Entry &entry = m_entries[id];
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    entry.pages = pages;
    update(id);
}

void CommandSet::defineCheck(const QString &id, Rule checked)
{
    Entry &entry = m_entries[id];
    entry.checked = std::move(checked);
    for (QAction *action : std::as_const(entry.actions))
        action->setCheckable(true);
    update(id);
}

bool CommandSet::isEnabled(const QString &id) const
{
    const auto it = m_entries.constFind(id);
    return it != m_entries.cend() && it->run && (!it->enabled || it->enabled());
}

bool CommandSet::trigger(const QString &id)
{
    if (!isEnabled(id))
        return false;
    // A copy: the command may redefine commands while it runs.
    const Entry entry = m_entries.value(id);
    if (entry.pages == StorePagesFirst && m_storePages)
        m_storePages();
    entry.run();
    // What the command did (a search text given, a dialog closed) may
    // enable others whose keys must work at once.
    refresh();
    return true;
}

void CommandSet::update(const QString &id) const
{
    const auto it = m_entries.constFind(id);
    if (it == m_entries.cend())
        return;
    const bool enabled = isEnabled(id);
    const bool checked = it->checked && it->checked();
    for (QAction *action : it->actions) {
        action->setEnabled(enabled);
        if (it->checked)
            action->setChecked(checked);
    }
}

void CommandSet::watch(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction *action : menu->actions()) {
            if (const auto it = m_ids.constFind(action); it != m_ids.cend())
                update(*it);
        }
    });
}

bool CommandSet::eventFilter(QObject *watched, QEvent *event)
{
    // A key is offered to the focused control as ShortcutOverride before
    // the shortcuts are looked up.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (auto it = m_ids.cbegin(); it != m_ids.cend(); ++it) {
            if (it.key()->shortcut() == pressed)
                update(it.value());
        }
    }
    return QObject::eventFilter(watched, event);
}

void CommandSet::refresh()
{
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
        update(it.key());
}
