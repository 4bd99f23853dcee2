#pragma once

#include <QString>

// The product's own pages that the Help menu and F1 open in the preview.
inline QString ProductHomePageAddress()
{
    return QStringLiteral("https://brisklet.example.org/");
}
inline QString ProductManualAddress()
{
    return QStringLiteral("https://brisklet.example.org/manual/");
}
