#pragma once

#include "core/editing/contentcommands.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// "URL入力": asks for the address of a link (and whether it opens a new
// window) or of an image (with its alternative text, border and alignment).
class UrlInputDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        Link,
        Image
    };

    UrlInputDialog(Mode mode, const QString &prompt, const QStringList &candidates,
                   const UrlDialogValues &values, QWidget *parent = nullptr);

    // The dialog's values over the remembered ones, however it was closed.
    void takeValues(UrlDialogValues &values) const;

private:
    Mode m_mode;
    QLabel *m_prompt;
    QComboBox *m_address;
    QCheckBox *m_newWindow;
    QWidget *m_imagePanel;
    QLineEdit *m_altText;
    QComboBox *m_border;
    QComboBox *m_align;
};

// Shows the dialog with the caption; true when the user pressed OK. The
// remembered values are updated in any case.
bool ShowUrlDialog(QWidget *parent, UrlInputDialog::Mode mode, const QString &caption,
                   const QString &prompt, const QStringList &candidates, UrlDialogValues &values);
