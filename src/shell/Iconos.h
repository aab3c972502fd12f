#pragma once

#include <QIcon>

// The program's own icon, drawn at every size it is asked for.
QIcon IconoCandora();
// The picture of a toolbar button or window, by its key ("Búsqueda", "ABM", "espera", …).
QIcon IconoDe(const QString& clave);
