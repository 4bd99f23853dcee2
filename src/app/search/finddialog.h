#pragma once

#include "app/search/searchdialog.h"

// "検索": asks for the search text and options.
class FindDialog : public SearchDialog
{
    Q_OBJECT

public:
    // Shows the initial text, or the newest history entry when it is empty.
    FindDialog(const QString &settingsPath, const QString &initialText, QWidget *parent = nullptr);

    // The text to search for: what the box held on OK, else the initial text.
    QString resultText() const { return m_result; }
    // Closed with OK and there is something to search for.
    bool succeeded() const { return result() == Accepted && !m_result.isEmpty(); }

private:
    void okClicked();

    QString m_result;
};
