#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// When two applicants may be the same person. Each rule turns what an applicant
// says about themself into keys; two applicants that share a key of a rule match
// by it. Keys are kept in the store (candora_claves), so candidates are found
// through an index and never by comparing every pair.
enum class Regla : int {
    Correo = 1,             // the same e-mail, whatever its case and blanks
    Teléfono = 2,           // the same telephone digits, without 0, 15 or 54/549
    NombreYNacimiento = 3,  // the same surname and name, accents, case and blanks aside,
                            // born the same day
    Documento = 4,          // the same document number, under any country
};
inline constexpr Regla kReglas[] = {Regla::Correo, Regla::Teléfono, Regla::NombreYNacimiento,
                                    Regla::Documento};

// What the rules read of an applicant.
struct DatosIdentidad {
    QString apellido, nombre, email, documento;
    QStringList teléfonos;
    int díaNacimiento = 0, mesNacimiento = 0, añoNacimiento = 0;
};

// Each rule's key of a value; empty when the value says nothing (no "@", too few
// digits, an incomplete birth date…).
QString ClaveCorreo(const QString& email);
QString ClaveTeléfono(const QString& número);
QString ClaveNombre(const QString& apellido, const QString& nombre, int día, int mes, int año);
QString ClaveDocumento(const QString& número);

// Every key of an applicant, once each.
std::vector<std::pair<Regla, QString>> ClavesDe(const DatosIdentidad& datos);

// How much a rule weighs in a pair's score, and how the evidence names it.
int PesoRegla(Regla r);
QString NombreRegla(Regla r);
// A set of rules as a bit mask (bit r-1 for rule r), its score and its evidence.
int PuntajeReglas(int reglas);
QString EvidenciaReglas(int reglas);
