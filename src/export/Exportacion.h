#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class Diccionario;

// A list of applicants taken to a spreadsheet: every one of them, in the order
// given, with what a recruiter looks at first.

enum class FormatoExportación { Csv, Xlsx };

// One applicant's row. Age and birth date stay numbers and dates for the XLSX.
struct FilaExportación {
    int32_t id = 0;
    QString documento, apellido, nombre;
    int edad = -1;     // -1: unknown
    QDate nacimiento;  // invalid when incomplete
    QString localidad, provincia, teléfonos, email, últimoEmpleo, idiomas, formación;
};

// The column titles, in order.
const QStringList& ColumnasExportación();
// Each column of a row as text, as the CSV writes it (before quoting).
QStringList TextosFila(const FilaExportación& f);

// The rows of these applicants, in this order (those no longer on file left out).
std::vector<FilaExportación> FilasExportación(Diccionario& d, const std::vector<int32_t>& ids,
                                              const QDate& hoy = QDate::currentDate());

// A CSV field as Spanish spreadsheets read it: quoted when it holds the separator,
// quotes or line ends, and a value a spreadsheet would take for a formula (=, +,
// -, @, tab or carriage return first) preceded by an apostrophe so it stays text.
QString CampoCsv(const QString& valor);

// Writes the rows to `archivo` (replaced only once complete): CSV in UTF-8 with a
// BOM, ";" between fields and CR LF between rows, or an XLSX workbook whose texts
// are always texts, never formulas. Returns how many applicants were written;
// ErrorAlmacen, in Spanish, on failure. `progreso` hears rows done of the total.
int ExportarPostulantes(Diccionario& d, const std::vector<int32_t>& ids, FormatoExportación formato,
                        const QString& archivo, const std::function<void(int, int)>& progreso = {});
