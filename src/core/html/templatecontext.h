#pragma once

#include "core/model/channelsettings.h"
#include "core/userinterface.h"

#include <QDateTime>

// What the variables of one page refer to besides the current item.
struct TemplateContext
{
    const ChannelSettings &settings;
    // "{channel_date}": one moment for the whole page.
    QDateTime now;
    // Where template syntax errors are shown.
    UserInterface &ui;
};
