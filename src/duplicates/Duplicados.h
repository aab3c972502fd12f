#pragma once

#include "duplicates/Reglas.h"

#include <QString>
#include <QVariantList>

#include <cstdint>
#include <functional>
#include <vector>

class Diccionario;
class cPostulante;

// The duplicate keys of each applicant (candora_claves), kept by the program in the
// transaction of every change, and the pairs they reveal.

// Rewrites the keys of these applicants; those no longer on file lose theirs.
void ActualizarClaves(Diccionario& d, const std::vector<int32_t>& postulantes);
// Rewrites every applicant's keys in one transaction; returns the applicants read.
qint64 ReconstruirClaves(Diccionario& d, const std::function<void(qint64, qint64)>& progreso = {});

// Two applicants that may be one person: `a` < `b`, the rules they match by (a bit
// mask, see Reglas.h), and how each reads ("Pérez, José (DNI 20111222)").
struct ParDuplicado {
    int32_t a = 0, b = 0;
    int reglas = 0;
    QString nombreA, nombreB;
    int puntaje() const { return PuntajeReglas(reglas); }
    QString evidencia() const { return EvidenciaReglas(reglas); }
};

// One number for an ordered pair of applicants.
inline quint64 ClavePar(int32_t a, int32_t b) {
    return (quint64(quint32(a)) << 32) | quint32(b);
}

// A key more applicants than this share says nothing about who they are (an
// office's telephone, "no tiene@…"): its pairs are not listed.
inline constexpr int kMáximoPorClave = 20;

struct Duplicados {
    std::vector<ParDuplicado> pares;  // best first, then by the applicants' keys
    int clavesOmitidas = 0;           // keys left out for being shared too widely
};
// Every pair of applicants that shares a key, except those set aside as not the same person.
Duplicados BuscarDuplicados(Diccionario& d);

// The applicants other than `excluido` that share a key with `datos`, best first
// (`a` is `excluido`, `b` the one on file).
std::vector<ParDuplicado> PosiblesDuplicados(Diccionario& d, const DatosIdentidad& datos,
                                             int32_t excluido = 0);

// The applicants that share a key with each of `postulantes` (`a` one of them, `b`
// the other), except pairs set aside, best first.
std::vector<ParDuplicado> DuplicadosDe(Diccionario& d, const std::vector<int32_t>& postulantes);

// What the rules read of a card.
DatosIdentidad IdentidadDe(const cPostulante& p);

// Remembers that two applicants are not the same person: their pair is not listed again.
void DescartarPar(Diccionario& d, int32_t a, int32_t b, const QString& usuario);

// How an applicant reads in a list of duplicates: "Pérez, José (DNI 20111222)", or
// "(documento X de País)" for another country's document.
QString NombreDuplicado(const QString& apellido, const QString& nombre, const QString& país,
                        const QString& documento);

// An applicant named so, with their last change (else their filing), "yyyyMMddHHmmss".
struct PostulanteNombrado {
    int32_t id = 0;
    QString nombre;
    QString actualizado;
};
// The applicants a condition on `p` (nvx_m_postulantes) selects, named so; the
// condition may end in an "order by".
std::vector<PostulanteNombrado> PostulantesDonde(Diccionario& d, const QString& condición,
                                                 const QVariantList& valores);
