#pragma once

#include <QByteArray>

struct sqlite3;

// The keyword index's texts as a file store keeps them: deflated with a preset
// dictionary of the words CVs use, which shrinks even a few hundred bytes to less
// than half. A compressed text is a blob whose first byte names the dictionary; a
// text that would not shrink is kept as it is.

// `utf8` compressed, or empty when compressing would save nothing.
QByteArray ComprimirTexto(const QByteArray& utf8);
// The text a compressed blob holds; false when it is not one this program wrote.
bool DescomprimirTexto(const QByteArray& blob, QByteArray& utf8);

// Registers candora_comprimir(x) and candora_descomprimir(x) on a connection:
// Null stays Null, a text that does not shrink and any text read back are texts.
// Returns an SQLite result code.
int RegistrarCompresionSqlite(sqlite3* db);
