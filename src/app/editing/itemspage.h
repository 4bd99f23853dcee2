#pragma once

#include "core/editing/gridcommand.h"
#include "core/model/channelsettings.h"
#include "core/model/feeditem.h"

#include <QWidget>
#include <functional>

class ItemMediaPanel;
class ItemTableModel;
class QKeyEvent;
class QTimer;
class QToolButton;
class TextEditor;
class UserInterface;
class ItemGridView;
struct Clock;

// The content of the items tab: the grid toolbar, the item grid and the
// content editor (Memo_content) that edits the current row's description.
// The window shows a feed's items here and stores them back; every change
// the user makes is told by changed().
class ItemsPage : public QWidget
{
    Q_OBJECT

public:
    explicit ItemsPage(UserInterface &ui, QWidget *parent = nullptr);
    ~ItemsPage() override;

    ItemGridView *grid() const { return m_grid; }
    TextEditor *contentEditor() const { return m_content; }

    // Automatic fill reads the channel values the channel page shows now.
    void setChannelValues(std::function<ChannelSettings()> values);
    void setClock(const Clock &clock);

    // Shows a feed's items with the cursor on the last item; tells no change.
    void showItems(const QList<FeedItem> &items);
    // The items as the user has left them (the open cell editor included).
    QList<FeedItem> storeItems();
    // The same without touching the grid: the open cell editor stays open
    // and unwritten.
    QList<FeedItem> peekItems() const;
    // See ItemTableModel::adoptGuids.
    void adoptGuids(const QList<FeedItem> &stored);
    // The open cell editor holds text the items do not have yet.
    bool hasTypedText() const;
    // Empties the grid and leaves line mode (a new project, no feed shown).
    void clearItems();

    bool selectAllOnMove() const;
    void setSelectAllOnMove(bool on);
    bool isLineMode() const { return m_lineMode.isOn(); }
    // Leaves line mode on the current row (before a preview).
    void leaveLineMode() { leaveLineMode(LineMode::Exit::Current); }
    QString statusText() const;

    // Runs the command on the focused text box or the selected rows; false
    // when the focus now refuses it.
    bool gridCommand(GridCommand command);
    FocusFacts focusFacts() const;

Q_SIGNALS:
    // The modified flag and, when the feed can be uploaded, its changed mark.
    void changed();
    // A key changed the cell being typed, which counts only once written.
    void typing();
    void statusTextChanged(const QString &text);

private:
    QWidget *createToolBar();
    QToolButton *addButton(QWidget *bar, const QString &name, const QString &caption,
                           const QString &hint);
    bool handleKey(QKeyEvent *event);
    bool enterLineMode();
    bool leaveLineMode(LineMode::Exit exit);
    void insertRowOrCopy();
    void deleteRowOrCut();
    void moveRow(int step);
    bool rowOperation(const std::function<bool()> &operation);
    bool copyRows();
    bool deleteSelectedRows();
    bool cutRows();
    bool pasteRows();
    bool runBoxAction(GridAction action);
    void currentCellChanged();
    void loadContentEditor();
    void contentEdited();
    void refreshButtons();
    void refreshPasteButton();
    void showPopupMenu(const QPoint &position);
    int currentRow() const;

    UserInterface &m_ui;
    ItemTableModel *m_model;
    ItemGridView *m_grid;
    TextEditor *m_content;
    ItemMediaPanel *m_media;
    QToolButton *m_lineIns;
    QToolButton *m_lineDelete;
    QToolButton *m_linePaste;
    QToolButton *m_lineDown;
    QToolButton *m_lineUp;
    QToolButton *m_selectAll;
    QTimer *m_pasteTimer;
    LineMode m_lineMode;
    int m_contentRow = -1; // the row whose description the content editor shows
    bool m_loadingContent = false;
};
