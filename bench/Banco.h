#pragma once

#include <QString>

// Shared by the benchmark programs: a scratch folder for the run and a store
// of 100,000 generated applicants, built once per run.
QString RutaBanco(const QString& nombre);
QString BaseGenerada();
