#pragma once

#include "duplicates/Duplicados.h"
#include "privacy/Supresion.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// One import run: reads an exchange file into the staging tables, then merges
// every staged applicant into the store, each in its own transaction.
class cImportador {
  public:
    QString Archivo;
    int32_t Cnt_Postulantes = 0;   // created
    int32_t cnt_Actualizados = 0;  // found and updated
    int32_t Cnt_Vacíos = 0;        // skipped for an empty surname
    // New applicants that may be someone already on file (or another new one): they
    // are imported all the same, as only the document decides who is who.
    std::vector<ParDuplicado> posiblesDuplicados;
    // New applicants whose document was erased before: imported all the same, for
    // the office to decide.
    std::vector<Reaparecido> reaparecidos;
    int32_t Cnt_Formaciones = 0;
    int32_t Cnt_Idiomas = 0;
    int32_t Cnt_Experiencias = 0;

    // While the file is read: the percentage read so far, now and then.
    std::function<void(int porcentaje)> alPreparar;
    // Told the number of staged applicants before the merge starts, then
    // called after every staged applicant.
    std::function<void(int total)> alEmpezar;
    std::function<void()> alAvanzar;

    // 0 when the file was read and merged; 1 when the run stopped after telling
    // the user why (empty file, wrong format, a line that is not a value list or
    // holds a value its column cannot take, a merge failure: applicants merged
    // before it stay merged, and the counters say how many).
    uint8_t leer_intercambio();

    // Deletes the file named by Archivo, read-only or not, without asking.
    void borrartemporal();

    // The two halves of a run: stage the file (nothing staged unless every
    // line is a value list for its section whose values fit their columns),
    // then merge what is staged. The file may be windows-1252 or UTF-8.
    bool preparar();
    bool fusionar();
};
