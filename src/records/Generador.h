#pragma once

#include <QStringList>
#include <QtGlobal>

#include <functional>

class Diccionario;

// Fills a store with realistic demonstration applicants: Argentine names and
// addresses, unique documents, education, languages, jobs, interests, photo
// references and family. Everything agrees with the applicant's age and with
// today: no job or study ends after this month, relatives' ages fit their
// relationship, pay is what was paid in each job's year, and the hourly pay
// asked for is the monthly one over about 200 hours. The same seed on the same
// store and day gives the same applicants. Rows are written as the applicant
// record writes them, in one transaction per batch. Returns how many
// applicants were added.
int GenerarPostulantes(Diccionario& d, int cantidad, quint32 semilla,
                       const std::function<void(int hechos, int total)>& progreso = {});

// One of the generator's word lists (names, surnames, localities…), one entry a line.
QStringList ListaGenerador(const char* nombre);
