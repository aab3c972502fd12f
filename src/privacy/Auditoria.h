#pragma once

#include <QString>
#include <QVariantList>

#include <cstdint>
#include <vector>

class Diccionario;

// The audit log: who did what with each applicant's data, and when
// (candora_auditoria). Rows are only added, and an applicant's taken away only
// by their erasure, which leaves one entry of its own.

enum class Acción {
    AbrióFicha,
    AbrióCV,
    Guardó,
    Eliminó,
    Exportó,
    Imprimió,
    Fusionó,
    Importó,
    Informó,
    Suprimió
};
QString NombreAcción(Acción a);

// Records `a` for each of these applicants as the current user, in the caller's
// transaction: undone with it when the change it records is undone.
void Auditar(Diccionario& d, const std::vector<int32_t>& postulantes, Acción a,
             const QString& detalle = {});
// The entry an erasure leaves: the reason and the document's hash, no name.
void AuditarSupresión(Diccionario& d, int32_t postulante, const QString& motivo,
                      const QString& huella);

// Looking at a card or a CV changes nothing, so it costs no write of its own: the
// entry waits in memory (with the moment it happened) until VolcarLecturas.
void AuditarLectura(int32_t postulante, Acción a);
// Writes the readings waiting in a transaction of their own (nothing while another
// is open); how many were written. On failure they stay waiting.
int VolcarLecturas(Diccionario& d);
// Drops the readings of erased applicants still waiting.
void OlvidarLecturas(const std::vector<int32_t>& postulantes);

struct EntradaAuditoria {
    QString momento;  // "yyyyMMddHHmmss", as the store keeps change times
    QString usuario;
    int32_t postulante = 0;
    QString acción, detalle;
    QString huella;  // of an erasure
};
// The entries from `desde` on ("yyyyMMdd…", empty: all), of one applicant when
// `postulante` is not 0, in the order they were written.
std::vector<EntradaAuditoria> LeerAuditoria(Diccionario& d, const QString& desde = {},
                                            int32_t postulante = 0);
// An applicant's latest entries, latest first, at most `cuántas`: what a card shows.
std::vector<EntradaAuditoria> ÚltimasEntradas(Diccionario& d, int32_t postulante, int cuántas);
// The entries a condition selects, then `resto` ("order by …").
std::vector<EntradaAuditoria> EntradasDonde(Diccionario& d, const QString& condición,
                                            const QVariantList& valores, const QString& resto = {});
