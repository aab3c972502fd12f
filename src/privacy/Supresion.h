#pragma once

#include "duplicates/Duplicados.h"
#include "privacy/Auditoria.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class Diccionario;

// Erasure of a person's data, at their request or when the office's time to keep
// it is up: the applicant, every row kept or derived from them, and the bytes
// they took in the store's files. One audit entry stays: who, when, why, and a
// keyed one-way hash of the document, so a later import of the same person can be
// recognised; no name.

// An applicant as the erasure's question names them.
using PostulanteASuprimir = PostulanteNombrado;
// Throws ErrorAlmacen when one of them does not exist.
std::vector<PostulanteASuprimir> PostulantesASuprimir(Diccionario& d,
                                                      const std::vector<int32_t>& ids);

// What the question says will be removed, naming whom.
QString PreguntaSupresión(const std::vector<PostulanteASuprimir>& postulantes);

struct Supresión {
    int postulantes = 0;
    // Photo files that stay on disk: they could not be removed, or are not pictures.
    QStringList fotosQueQuedan;
};
// Erases them all in one transaction (nothing of it when it fails), then removes
// the photo files no one else uses. `motivo` is required. `progreso` hears
// applicants done of the total.
Supresión SuprimirPostulantes(Diccionario& d, const std::vector<int32_t>& ids,
                              const QString& motivo,
                              const std::function<void(int, int)>& progreso = {});

// The hash an erasure keeps of a document number (empty for no number): an
// HMAC-SHA256 under the store's own key, of the number as the duplicate rule reads it.
QString HuellaDocumento(Diccionario& d, const QString& número);
// The latest erasure of a person with this document number, if any.
std::optional<EntradaAuditoria> SupresiónDe(Diccionario& d, const QString& número);
// Which of these applicants carry the document of someone erased before, as the
// erasure's question names them, with that erasure.
struct Reaparecido {
    PostulanteASuprimir postulante;
    EntradaAuditoria supresión;
};
std::vector<Reaparecido> Reaparecidos(Diccionario& d, const std::vector<int32_t>& postulantes);
// A sentence telling the recruiter so, with the way on.
QString AvisoReaparecido(const EntradaAuditoria& supresión);
