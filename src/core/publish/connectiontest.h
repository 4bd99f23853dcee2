#pragma once

#include "core/publish/ftptemplate.h"
#include "core/publish/servertrust.h"

#include <QString>

class UserInterface;

// The template dialog's "接続テスト": connects with the template's values,
// logs in and lists the folder every upload path lies below ("/"), on a
// thread aside while the window shows the busy cursor. A server met for the
// first time is asked about once, as an upload asks. Returns the text to
// show: the number of names found, or why it failed.
QString TestFtpConnection(UserInterface &ui, const FtpTemplate &ftpTemplate,
                          const TrustFiles &trust);
