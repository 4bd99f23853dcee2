#include "app/common/qtuserinterface.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

// "caption|pattern|caption|pattern" to Qt's "caption (pattern);;..." form.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') +
                       u')';
    return entries.join(QStringLiteral(";;"));
}

QString startPath(const UserInterface::FileChoice &choice)
{
    return QDir(choice.startFolder).filePath(choice.proposedName);
}

} // namespace

void QtUserInterface::information(const QString &text)
{
    QMessageBox::information(m_parent, QApplication::applicationDisplayName(), text);
}

UserInterface::Answer QtUserInterface::askYesNo(const QString &text)
{
    const auto button =
        QMessageBox::question(m_parent, QApplication::applicationDisplayName(), text,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

UserInterface::Answer QtUserInterface::askYesCancel(const QString &text)
{
    const auto button =
        QMessageBox::question(m_parent, QApplication::applicationDisplayName(), text,
                              QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::Cancel;
}

UserInterface::Answer QtUserInterface::askYesNoCancelAll(const QString &text)
{
    return AskYesNoCancelAll(m_parent, text, QMessageBox::Cancel);
}

UserInterface::Answer AskYesNoCancelAll(QWidget *parent, const QString &text,
                                        QMessageBox::StandardButton defaultButton,
                                        const std::function<void(QMessageBox &)> &place)
{
    QMessageBox box(
        QMessageBox::Question, QApplication::applicationDisplayName(), text,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::YesToAll, parent);
    box.setDefaultButton(defaultButton);
    if (place)
        place(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return UserInterface::Answer::Yes;
    case QMessageBox::No:
        return UserInterface::Answer::No;
    case QMessageBox::YesToAll:
        return UserInterface::Answer::All;
    default:
        return UserInterface::Answer::Cancel;
    }
}

std::optional<QString> QtUserInterface::chooseOpenFile(const FileChoice &choice)
{
    const QString path = QFileDialog::getOpenFileName(m_parent, choice.title, startPath(choice),
                                                      qtFilter(choice.filter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtUserInterface::chooseSaveFile(const FileChoice &choice)
{
    QFileDialog dialog(m_parent, choice.title, startPath(choice), qtFilter(choice.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(choice.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtUserInterface::chooseFolder(const QString &title,
                                                     const QString &startFolder)
{
    const QString path = QFileDialog::getExistingDirectory(m_parent, title, startFolder);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtUserInterface::inputLine(const QString &caption, const QString &prompt,
                                                  const QString &initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text.left(255);
}

void QtUserInterface::setBusy(bool busy)
{
    m_busyDepth += busy ? 1 : -1;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    QApplication::restoreOverrideCursor();
    // Work that stopped early has not said so: its count goes with the cursor.
    if (m_busyDepth == 0)
        m_progress.end();
}

void QtUserInterface::showProgress(const QString &what, int done, int total)
{
    m_progress.show(what, done, total);
}

void QtUserInterface::runAside(const std::function<void()> &work, const std::function<void()> &poll)
{
    StatusProgress::runAside(work, poll);
}

void QtUserInterface::runCancellable(const std::function<void()> &work,
                                     const std::function<void()> &poll,
                                     const std::function<void()> &cancel)
{
    m_progress.runCancellable(work, poll, cancel);
}
