#include "editor_settings.h"

QSettings AjustesEditor() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tildora"),
                     QStringLiteral("tildora-editor"));
}
