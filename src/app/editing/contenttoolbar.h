#pragma once

#include "core/editing/contentcommands.h"

#include <QPointer>
#include <QToolBar>
#include <functional>

class TextEditor;

// "ToolBar_Content": wraps the selection of the current content editor in
// tags, inserts links, images and entities, and holds the escape lock.
// The window moves it between the items tab and the HTML tab and tells it
// which editor to act on.
class ContentToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit ContentToolBar(QWidget *parent = nullptr);

    TextEditor *editor() const { return m_editor; }
    void setEditor(TextEditor *editor);
    // The feed's addresses the link and image dialog offers.
    void setCandidateSource(std::function<QStringList()> source)
    {
        m_candidates = std::move(source);
    }

    // The "ロック" toggle; editors follow it while typing. Its state is kept
    // in the settings (Environ/EscapeRock) by the window.
    QAction *escapeLockAction() const { return m_escapeLock; }
    bool escapeLock() const;
    void setEscapeLock(bool on);

    // The remembered values of the link and image dialog.
    const UrlDialogValues &urlValues() const { return m_urlValues; }

    // Enables the buttons while the editor has the focus or a selection.
    void updateState();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addCommand(const QString &name, const QString &caption, const QString &hint,
                        const std::function<void()> &command);
    void addSonotaMenu();
    void wrap(const QString &tag);
    void align(const QString &hint);
    void insertLink();
    void insertImage();
    void insertEscape(EscapeButton button);
    QString selection() const;

    QPointer<TextEditor> m_editor;
    std::function<QStringList()> m_candidates;
    UrlDialogValues m_urlValues;
    QAction *m_escapeLock = nullptr;
};
