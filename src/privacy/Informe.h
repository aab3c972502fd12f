#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

class Diccionario;

// Everything the store keeps about one person, as a printable HTML page: the card
// and its lists, photos and documents (as the CV page shows them), what the
// program derived from them to search and to find duplicates, merges, pairs set
// aside, saved results that hold them and the audit log's entries. Issuing it is
// itself recorded. Empty when the applicant is not on file.
QString InformeDatosPersonales(Diccionario& d, int32_t postulante, const QString& usuario,
                               const QDateTime& ahora = QDateTime::currentDateTime());
