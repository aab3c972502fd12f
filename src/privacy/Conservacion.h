#pragma once

#include "privacy/Supresion.h"

#include <QDate>

class Diccionario;

// How long the office keeps an applicant nobody has changed: "Conservar
// postulantes sin cambios durante N años". Off (0) until the office sets it.

int AñosConservación(Diccionario& d);
void FijarAñosConservación(Diccionario& d, int años);

// The first day still within the time: an applicant last changed before it is
// due. Changed exactly N years ago today is still kept.
QDate LímiteConservación(int años, const QDate& hoy);

// The reason an erasure for running out of time records.
QString MotivoVencimiento(int años);

// The applicants due (last changed, or filed, before the limit), oldest change
// first. An applicant without any date is never due.
std::vector<PostulanteASuprimir> PostulantesVencidos(Diccionario& d, int años,
                                                     const QDate& hoy = QDate::currentDate());
