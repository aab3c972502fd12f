#pragma once

#include <QString>

// Shared by the benchmark programs: a scratch folder for the run and a store
// of 100,000 generated applicants (or as many as CANDORA_BANCO_POSTULANTES
// says), built once per run on each kind of store.
QString RutaBanco(const QString& nombre);
QString BaseGenerada();

// The kind of store a benchmark runs on, as its argument: 0 the file, 1 a
// throwaway PostgreSQL server started for the run.
enum Almacén : int { kArchivo = 0, kServidor = 1 };
const char* NombreAlmacén(int almacén);

// Opens the program's `dic` on the generated applicants: on the store itself,
// or on a fresh copy of it that the benchmark may change. Empty when it is
// open, else why not.
QString AbrirGenerada(int almacén, bool copia = false);

// A fresh store named `nombre` on the run's server, made as CrearBasePostgres
// makes it; its connection text goes to `conexión`. Empty when it is ready,
// else why not.
QString BaseNuevaEnServidor(const QString& nombre, QString& conexión);
