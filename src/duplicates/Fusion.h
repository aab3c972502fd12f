#pragma once

#include <QString>

#include <cstdint>

class Diccionario;

// Merges applicant `eliminar` into `conservar`, in one transaction: the kept
// card's values win and its empty ones are filled from the other; the other's
// relatives, studies, languages, jobs, interests, photos and documents move over
// unless the kept card has the same already; saved results that held the other
// hold the kept one; the other is deleted; and the merge is recorded (who, when,
// both documents). A failure leaves both as they were (ErrorAlmacen).
void FusionarPostulantes(Diccionario& d, int32_t conservar, int32_t eliminar,
                         const QString& usuario);

// "Fusionado con Pérez, José (documento X de Brasil) el 9 dic 2026 por ana" for each
// merge into this applicant, one per line; empty when there was none.
QString FusionesDe(Diccionario& d, int32_t postulante);
