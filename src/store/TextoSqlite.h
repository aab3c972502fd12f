#pragma once

#include <QString>

#include <utility>

struct sqlite3;

// Registers on one SQLite connection what Candora's SQL needs: the TEXTO
// collation (case-insensitive, accents as a second-level difference, ñ as its
// own letter), the functions ucase(x) and lcase(x) with Unicode case rules,
// candora_plano(x), the text's plain form (TextoPlano), and candora_ahora(), the
// local time as change stamps are written, string_agg(x, separador), and the
// keyword index's compression (Compresion.h).
// Returns an SQLite result code.
int RegistrarTextoSqlite(sqlite3* db);

// The collation itself, for tests and for sorting in memory with the store's order.
int CompararTexto(const char* a, int largoA, const char* b, int largoB);

// Upper case without accents: "Núñez" and "NUÑEZ" both read "NUNEZ" (the accented
// letters of Latin-1 and Ÿ lose their accents). Searches compare texts in this
// form, so a name typed without accents is found.
QString TextoPlano(const QString& texto);

// The upper-case letters TextoPlano replaces and their replacements, position by
// position: a server gets the same form with translate(upper(x), first, second).
std::pair<QString, QString> TablaPlana();
