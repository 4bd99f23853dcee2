#pragma once

#include <QString>
#include <QStringView>

// Puts a value into a user's format text: every "%s" becomes the value and
// "%%" becomes "%"; any other "%" stays as typed. The format is never handed
// to printf, so no format text can read beyond the one value it is given.
QString ApplyStringFormat(QStringView format, const QString &value);
