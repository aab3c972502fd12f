#pragma once

struct sqlite3;

// Registers on one SQLite connection what Candora's SQL needs: the TEXTO
// collation (case-insensitive, accents as a second-level difference, ñ as its
// own letter), the functions ucase(x) and lcase(x) with Unicode case rules, and
// candora_ahora(), the local time as change stamps are written.
// Returns an SQLite result code.
int RegistrarTextoSqlite(sqlite3* db);

// The collation itself, for tests and for sorting in memory with the store's order.
int CompararTexto(const char* a, int largoA, const char* b, int largoB);
