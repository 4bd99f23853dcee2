#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

// The window's commands by their ids (CommandId). A command says what it
// does and when it may run; its action, which its menu item, pop-up items
// and tool button share, is enabled when a menu opens, after every command,
// whenever refresh() is called, and just before a key reaches the actions
// that have it as their shortcut: a disabled action's shortcut does nothing,
// so the rule decides at that moment. The rule is asked again when an
// action fires.
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

    // Routes the action to the command. The first action of a command is
    // its own; a second one only shows it under another caption.
    void add(const QString &id, QAction *action);
    QAction *action(const QString &id) const;

    // Gives the command what it runs. No rule: always available.
    void define(const QString &id, std::function<void()> run, Rule enabled = {},
                PageUse pages = PagesAsStored);
    // What stores the pages for the commands that need it.
    void setPageStore(std::function<void()> store) { m_storePages = std::move(store); }
    // A check mark shown from the rule whenever its menu opens.
    void defineCheck(const QString &id, Rule checked);
    // Runs the command when its rule allows.
    bool trigger(const QString &id);

    // Enables the menu's actions by their rules (connected to aboutToShow).
    void watch(QMenu *menu);
    // Enables every command's actions by its rule.
    void refresh();
    bool isEnabled(const QString &id) const;

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
        QList<QAction *> actions;
    };
    void update(const QString &id) const;

    QHash<QString, Entry> m_entries;
    QHash<const QAction *, QString> m_ids;
    std::function<void()> m_storePages;
};
