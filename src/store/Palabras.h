#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <vector>

class Diccionario;

// The keyword index: every word of each applicant in one text (candora_textos),
// which the store indexes (FTS5 on a file, a GIN index on a server). The program
// brings it up to date inside the transaction of every change.

// Rewrites the texts of these applicants; those no longer on file leave the index.
void ActualizarPalabras(Diccionario& d, const std::vector<int32_t>& postulantes);
// The indexed text of each of these applicants that has one.
QHash<int32_t, QString> TextosPalabras(Diccionario& d, const std::vector<int32_t>& postulantes);
// Rewrites the whole index; returns the applicants indexed.
qint64 ReindexarPalabras(Diccionario& d);
