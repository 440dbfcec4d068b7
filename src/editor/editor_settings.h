#pragma once

#include <QSettings>

// The editor's own settings (its language, the recent files), under XDG_CONFIG_HOME in the
// program's folder.
QSettings AjustesEditor();
