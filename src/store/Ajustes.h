#pragma once

#include <QString>

class Diccionario;

// The office's settings kept with the data (candora_ajustes), the same for every
// workstation: unlike a workstation's preferences, they are the office's policy.

// The value of a setting; `predeterminado` when it was never set.
QString Ajuste(Diccionario& d, const QString& clave, const QString& predeterminado = {});
void FijarAjuste(Diccionario& d, const QString& clave, const QString& valor);
// The value of a setting, set to `valor` first when it was never set: when two
// workstations set it at once, both get the first one's.
QString AjusteFijado(Diccionario& d, const QString& clave, const QString& valor);
