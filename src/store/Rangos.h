#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <limits>
#include <span>

// What each numeric column of the data tables may hold. One list serves every
// door: the store's own CHECK constraints, the exchange-file reader and the
// file card's checks before a save.

enum class ClaseValor {
    Entero,  // a whole number between mínimo and máximo
    Año,     // 0 (not given) or a year between mínimo and máximo
    Real,    // a number between mínimo and máximo
};

// The bound of amounts that have no natural one: far above any pay, and still a
// bound, so that a text in a number column never passes for a number.
inline constexpr qint64 kSinTope = 1000000000000000;
inline constexpr qint64 kByte = 255;
inline constexpr qint64 k16 = 32767;
inline constexpr qint64 k32 = std::numeric_limits<int32_t>::max();

struct Rango {
    const char* tabla;
    const char* columna;
    ClaseValor clase;
    qint64 mínimo;
    qint64 máximo;
    const char* lista = nullptr;   // the lookup list its non-zero values are ids of
    const char* nombre = nullptr;  // what the user calls it; the column name when null
};

std::span<const Rango> Rangos();
// The range of a column (names compared without regard to case); nullptr when it has none.
const Rango* RangoDe(const QString& tabla, const QString& columna);
// The name a message uses for the column.
QString NombreRango(const Rango& r);

// "un número entero entre 0 y 255", "un año entre 1900 y 2100 (0 si no se conoce)".
QString DescripciónRango(const Rango& r);
// Null when `valor` fits the column, else why not, in Spanish ("debe ser un número
// entero entre 0 y 255"). Null values always fit: the store reads them as 0.
QString FueraDeRango(const Rango& r, const QVariant& valor);

// True when a birth date's parts are each 0 (not given) or together a real date:
// 31/2 never is, 29/2 only in a leap year (or with the year not given).
bool FechaPosible(int día, int mes, int año);

// The CHECK constraints of a data table, as table constraints ("CONSTRAINT
// rango_m_postulantes_sexo CHECK (…)"), in a form both stores accept; empty
// for a table without ranges.
QStringList RestriccionesTabla(const QString& tabla);
// The CREATE TABLE statement with its table's constraints added before the closing parenthesis.
QString ConRestricciones(const QString& crearTabla);
// The condition a row of the table meets when every value is in range (a WHERE text).
QString CondiciónRango(const Rango& r);
// The birth-date condition of nvx_m_postulantes.
QString CondiciónFechaNacimiento();
// A store's refusal of an out-of-range value (its constraint name inside
// `mensaje`) as a sentence for the user; empty for any other message.
QString ExplicarRestricción(const QString& mensaje);
