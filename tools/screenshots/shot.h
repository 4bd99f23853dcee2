#pragma once

#include <QString>
#include <functional>
#include <memory>

class QTemporaryDir;
class QWidget;

// One picture of docs/screenshots: a widget made and filled by the shot,
// drawn as name + ".png". The folder is a scratch folder for the shot's
// files (settings, projects).
struct Shot
{
    QString name;
    std::function<std::unique_ptr<QWidget>(const QString &folder)> make;
};

// Adds a shot; a static ShotRegistration in a shot_*.cpp file calls it.
struct ShotRegistration
{
    explicit ShotRegistration(Shot shot);
};
