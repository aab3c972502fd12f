#pragma once

#include <QDateTime>
#include <QString>

class cPostulante;
class Diccionario;

// The CV page of a loaded applicant: the page template filled with the
// record's values and the names of its lookup items, every stored text
// HTML-escaped. `usuario` and `ahora` go into the page's footer.
QString PáginaCV(Diccionario& d, const cPostulante& p, const QString& usuario,
                 const QDateTime& ahora = QDateTime::currentDateTime());
