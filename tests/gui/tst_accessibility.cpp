#include "app/editing/urlinputdialog.h"
#include "app/import/feedimportform.h"
#include "app/project/pageframe.h"
#include "app/publish/ftptemplatedialog.h"
#include "app/search/finddialog.h"
#include "app/search/replacedialog.h"
#include "fakebrowser.h"
#include "scripteduserinterface.h"
#include "windowfixture.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <Qsci/qsciscintillabase.h>

using namespace Qt::StringLiterals;
using namespace windowfixture;

namespace {

// A combo box here tells its value as its name and its label by the label
// relation, so its own name is the one the program gives it.
QString spokenName(QWidget *widget)
{
    if (qobject_cast<QComboBox *>(widget))
        return widget->accessibleName();
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// A caption as it reads: without the "&" of its access key, trimmed.
QString shown(const QString &caption)
{
    QString text = caption;
    text.replace(u"&&"_s, u"\x1"_s).remove(u'&').replace(u'\x1', u'&');
    return text.trimmed();
}

// Parts of a control that assistive tools reach through the control.
bool isPartOfAControl(const QWidget *widget, const QWidget *top)
{
    if (qobject_cast<const QHeaderView *>(widget))
        return true;
    for (const QWidget *up = widget->parentWidget(); up && up != top; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractSpinBox *>(up) ||
            qobject_cast<const QLineEdit *>(up) || qobject_cast<const QTabBar *>(up) ||
            qobject_cast<const QAbstractItemView *>(up))
            return true;
    }
    return widget->objectName().startsWith(u"qt_"_s);
}

bool isInput(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget) ||
           qobject_cast<const QAbstractSpinBox *>(widget) ||
           qobject_cast<const QAbstractItemView *>(widget) ||
           qobject_cast<const QsciScintillaBase *>(widget);
}

bool isLabelOf(QLabel *label, QWidget *field)
{
    const auto relations =
        QAccessible::queryAccessibleInterface(field)->relations(QAccessible::Label);
    return std::ranges::count(relations, QAccessible::queryAccessibleInterface(label),
                              &QPair<QAccessibleInterface *, QAccessible::Relation>::first) > 0;
}

// Every input, button and check box under top, named by its label or its
// caption; a fault line for each that is not.
QStringList faultsUnder(QWidget *top)
{
    QStringList faults;
    const auto fault = [&](QWidget *widget, const QString &what) {
        faults << widget->objectName() + u": "_s + what + u", says \""_s + spokenName(widget) +
                      u'"';
    };
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        if (isPartOfAControl(widget, top))
            continue;
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->buddy()) {
            if (spokenName(label->buddy()) != shown(label->text()))
                fault(label->buddy(), u"name is not its label \""_s + label->text() + u'"');
            // Qt reports no label relation for lists; their name carries it.
            else if (!qobject_cast<QAbstractItemView *>(label->buddy()) &&
                     !isLabelOf(label, label->buddy()))
                fault(label->buddy(), u"label not reported as its label"_s);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            const QString caption = shown(button->text());
            if (spokenName(button).isEmpty() ||
                (!caption.isEmpty() && spokenName(button) != caption))
                fault(button, u"name is not its caption \""_s + caption + u'"');
        } else if (isInput(widget) && spokenName(widget).isEmpty()) {
            fault(widget, u"no name"_s);
        }
    }
    return faults;
}

} // namespace

// What a screen reader says for every control of every page and dialog.
class TestAccessibility : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void everyPageNamesItsControls()
    {
        const std::unique_ptr<MainWindow> window = windowWith(m_dir, u"feed"_s);
        QVERIFY(window);
        QStringList faults = faultsUnder(window.get());
        window->selectNode(nodeOf(*window, u"feed"_s));
        for (int tab = 0; tab < PageFrame::TabCount; ++tab) {
            window->pages().tabs()->setCurrentIndex(tab);
            faults += faultsUnder(window.get());
        }
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void everyDialogNamesItsControls()
    {
        ScriptedUserInterface ui;
        const QString settings = m_dir.filePath(u"search.ini"_s);
        FindDialog search(settings, u"x"_s);
        ReplaceDialog replace(settings);
        UrlInputDialog link(UrlInputDialog::Mode::Link, u"URL"_s, {u"http://a/"_s}, {});
        UrlInputDialog image(UrlInputDialog::Mode::Image, u"URL"_s, {}, {});
        FtpTemplateDialog ftp(ui, {m_dir.filePath(u"ftp"_s)}, {});
        PreviewWindow preview(fakeFactory(), {});
        FeedImportForm feedImport(ui, m_dir.path());
        QStringList faults;
        for (QWidget *dialog : std::initializer_list<QWidget *>{&search, &replace, &link, &image,
                                                                &ftp, &preview, &feedImport})
            faults += faultsUnder(dialog);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
