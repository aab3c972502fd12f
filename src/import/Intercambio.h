#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <functional>

// Exchange files are windows-1252 text. Bytes the code page leaves undefined
// read as themselves (U+0081…); characters it cannot hold are written as "?".
QString DesdeWindows1252(const QByteArray& bytes);
QByteArray AWindows1252(const QString& texto);

// Reads one data line as a literal value list: bare numbers (sign, digits,
// decimal point), double-quoted texts, "" and null (both Null), separated by
// commas. False, with the reason in Spanish, for anything else.
bool LeerListaValores(const QString& línea, QVariantList& valores, QString& motivo);

// Writes an exchange file of `cantidad` demonstration applicants, drawn by the
// generator's rules (FuenteDemo) on the delivered lookup lists, whose codes
// the file carries. The same seed writes the same applicants on the same day.
void EscribirIntercambio(const QString& ruta, int cantidad, quint32 semilla,
                         const std::function<void(int hechos, int total)>& progreso = {});
