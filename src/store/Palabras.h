#pragma once

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class Diccionario;

// The keyword index: every word of each applicant in one text (candora_textos),
// which the store indexes (FTS5 on a file, a GIN index on a server). The program
// brings it up to date inside the transaction of every change.

// Rewrites the texts of these applicants; those no longer on file leave the index.
void ActualizarPalabras(Diccionario& d, const std::vector<int32_t>& postulantes);
// The indexed text of each of these applicants that has one.
QHash<int32_t, QString> TextosPalabras(Diccionario& d, const std::vector<int32_t>& postulantes);
// Rewrites the whole index in one transaction; returns the applicants indexed.
// `progreso` hears how many are done of how many, every few thousand.
qint64 ReindexarPalabras(Diccionario& d, const std::function<void(qint64, qint64)>& progreso = {});
