#include "app/search/searchwiring.h"

#include "app/common/commandids.h"
#include "app/common/commandset.h"
#include "app/editing/windoweditors.h"
#include "app/search/editorsearch.h"

#include <QWidget>

void WireSearchCommands(QWidget &window, CommandSet &commands, const QString &settingsPath,
                        UserInterface &ui)
{
    auto *search = new EditorSearch(settingsPath, ui, &window);
    const auto rule = [&window](bool SearchMenuState::*item) {
        return [&window, item] { return EditorSearch::menuState(FocusedEditor(window)).*item; };
    };
    const auto command = [search, &window](void (EditorSearch::*run)(TextEditor *)) {
        return [search, &window, run] { (search->*run)(FocusedEditor(window)); };
    };
    commands.define(CommandId::searchFind, command(&EditorSearch::find),
                    rule(&SearchMenuState::find));
    commands.define(CommandId::searchFindNext, command(&EditorSearch::findNext),
                    rule(&SearchMenuState::findNext));
    commands.define(CommandId::searchFindBack, command(&EditorSearch::findBack),
                    rule(&SearchMenuState::findBack));
    commands.define(CommandId::searchReplace, command(&EditorSearch::replace),
                    rule(&SearchMenuState::replace));
}
