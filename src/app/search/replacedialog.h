#pragma once

#include "app/search/searchdialog.h"

class QCheckBox;

// "置換": asks for the search text, the replacement and the options.
class ReplaceDialog : public SearchDialog
{
    Q_OBJECT

public:
    explicit ReplaceDialog(const QString &settingsPath, QWidget *parent = nullptr);

    QString searchText() const { return m_search; }
    QString replaceText() const { return m_replace; }
    // The dialog's options plus Replace or ReplaceAll (the button used) and
    // Confirm.
    SearchOptions options() const { return m_options; }
    // Closed with "OK" or "すべて置換(&A)" with both texts given.
    bool succeeded() const
    {
        return result() == Accepted && !m_search.isEmpty() && !m_replace.isEmpty();
    }

private:
    void finish(SearchOptions command);

    QComboBox *m_replaceBox;
    QCheckBox *m_confirm;
    QString m_search;
    QString m_replace;
    SearchOptions m_options = 0;
};
