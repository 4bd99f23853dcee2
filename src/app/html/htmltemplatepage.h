#pragma once

#include "core/editing/feedpagevalues.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QModelIndex;
class RadioGroup;
class TextEditor;
struct HtmlTemplateSettings;

// The tab " HTMLテンプレート " of a feed: the page switch, its extension
// and markup, the template editor with the list of variables and the
// template file buttons. The label switch lives on the channel tab, so the
// owner saves and loads template files (the button signals).
class HtmlTemplatePage : public QWidget
{
    Q_OBJECT

public:
    explicit HtmlTemplatePage(QWidget *parent = nullptr);

    void showValues(const FeedPageValues &values);
    // Writes the HTML fields except the label switch into values.
    void storeValues(FeedPageValues &values) const;

    void setPageAddress(const QString &text, bool known);
    // Puts a loaded template file into the tab as one edit the user can undo.
    void loadTemplate(const HtmlTemplateSettings &settings, bool applySettings,
                      const QString &script);
    TextEditor *editor() const { return m_editor; }

Q_SIGNALS:
    void contentEdited();
    // The page was switched on or off, or its markup chosen.
    void toolStateChanged();
    void extensionChosen();
    void saveTemplateRequested();
    void loadTemplateRequested();

private:
    void insertVariable(const QModelIndex &index);
    void reportContentEdit();

    QCheckBox *m_html;
    RadioGroup *m_ext;
    RadioGroup *m_mark;
    QLabel *m_address;
    TextEditor *m_editor;
    QListWidget *m_variables;
    bool m_filling = false;
};
