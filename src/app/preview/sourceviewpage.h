#pragma once

#include "core/check/outputcheck.h"
#include "core/preview/previewcontent.h"

#include <QWidget>

class QComboBox;
class QListWidget;
class TextEditor;

// The " 確認 " tab: CB_View chooses the RSS text or the HTML page, Memo
// shows it read-only (edits there would be lost), and the findings of the
// feed check are listed below; picking one selects its line in Memo.
class SourceViewPage : public QWidget
{
    Q_OBJECT

public:
    explicit SourceViewPage(QWidget *parent = nullptr);

    static QString tabTitle() { return QStringLiteral(" 確認 "); }

    // Shows the text of that view and switches CB_View to it without
    // reporting a change; the findings of an earlier check go away.
    void showSource(SourceView view, const QString &text);
    // Lists the findings of the check of the text shown.
    void showFindings(const FeedFindings &findings);
    SourceView view() const;

Q_SIGNALS:
    // The user chose another view in CB_View; the owner answers with
    // showSource.
    void viewChosen(SourceView view);

private:
    QComboBox *m_view;
    TextEditor *m_memo;
    QListWidget *m_findings;
};
