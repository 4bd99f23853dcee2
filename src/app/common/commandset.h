#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

// The window's commands by the object names of the actions that offer them.
// A command says what it does and when it may run; its actions (a menu item,
// a pop-up item, a tool button) are enabled when a menu opens, after every
// command, whenever refresh() is called, and just before a key reaches the
// actions that have it as their shortcut: a disabled action's shortcut does
// nothing, so the rule decides at that moment. The rule is asked again when
// an action fires. An action without a command stays disabled: the feature
// behind it comes later.
class CommandSet : public QObject
{
    Q_OBJECT

public:
    using Rule = std::function<bool()>;
    // A command that works on the project as the pages show it has the
    // pages stored into the project before it runs.
    enum PageUse
    {
        PagesAsStored,
        StorePagesFirst,
    };

    explicit CommandSet(QObject *parent = nullptr);

    // Makes the action known under its object name and routes it here.
    void add(QAction *action);
    QAction *action(const QString &name) const { return m_actions.value(name); }

    // Gives the named actions their command. No rule: always available.
    void define(const QStringList &names, std::function<void()> run, Rule enabled = {},
                PageUse pages = PagesAsStored);
    // What stores the pages for the commands that need it.
    void setPageStore(std::function<void()> store) { m_storePages = std::move(store); }
    // A check mark shown from the rule whenever its menu opens.
    void defineCheck(const QString &name, Rule checked);
    // Runs the command of the named action when its rule allows.
    bool trigger(const QString &name);

    // Enables the menu's actions by their rules (connected to aboutToShow).
    void watch(QMenu *menu);
    // Enables every known action by its rule.
    void refresh();
    bool isEnabled(const QString &name) const;

protected:
    // Sees every key before the shortcuts do.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        std::function<void()> run;
        Rule enabled;
        Rule checked;
        PageUse pages = PagesAsStored;
    };
    void update(QAction *action) const;

    QHash<QString, QAction *> m_actions;
    QHash<QString, Entry> m_entries;
    std::function<void()> m_storePages;
};
