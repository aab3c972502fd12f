#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

class ControlLista;
class QDate;
class QDateTime;
class QLocale;
class ControlTexto;
class ControlCombo;

// Conversions at the store's boundary.
QString VacíoSiNulo(const QVariant& valor);
QVariant NuloSiVacío(const QString& texto);
// 'text' with inner apostrophes doubled: the one way a text is put between apostrophes.
QString ComillasSQL(const QString& texto);
// "null" for Null or blanks, otherwise the trimmed value through ComillasSQL.
QString TextoSQL(const QVariant& valor);
QString EntreComillas(const QString& texto);
// The bound form of TextoSQL: Null for blanks, else the trimmed text.
QVariant ValorTexto(const QString& texto);
// A number held as text (C notation) as a bound value; Null when it is not a number.
QVariant ValorNumérico(const QString& texto);
// A decimal for SQL text: C locale, point separator, the single precision's digits.
QString NúmeroSQL(double valor);
// A value rounded to what a single-precision column holds.
double RedondearSimple(double valor);

// Text.
void Reemplazar(QString& texto, const QString& buscar, const QString& reemplazo);
// Trims a typed text and turns every run of blanks (and tabs) into one blank;
// returns the cleaned text as well. Apostrophes, dots, commas, hyphens and
// slashes stay as typed.
QString LimpiarTexto(QString& texto);
// Every run of blanks as one blank, in one pass; with `tabuladores`, tabs count as blanks.
QString ColapsarBlancos(const QString& texto, bool tabuladores = false);
QString RellenarIzquierda(const QString& texto, int ancho, const QString& relleno = {});
QString RellenarDerecha(const QString& texto, int ancho, const QString& relleno = {});
int32_t Máximo(int32_t a, int32_t b);
int16_t Mínimo(int16_t a, int16_t b);

// Dates.
QString FechaHoraTexto();
// A 14-digit timestamp as FechaHoraVisible shows it; "" when it is not one.
QString FormatearFechaHora(const QString& texto);
QString NombreMes(int mes);

// What the user reads: dates, numbers and amounts as written in Argentina
// (es_AR), whatever the system's locale. Stored values never go through these.
const QLocale& LocaleVisible();
QString FechaVisible(const QDate& fecha);            // "8 dic 2026"
QString FechaHoraVisible(const QDateTime& momento);  // "8 dic 2026 10:30"
// Grouped thousands, at most two decimals, no trailing zeros: "1.560.000", "1.915,25", "12,5".
QString NúmeroVisible(double valor);
// "$ 1.560.000 mensuales (Peso argentino)": symbol, amount (two decimals only
// when it has cents), `período`, currency name; each part left out when empty.
// "" for an amount of 0 or less.
QString ImporteVisible(double monto, const QString& símbolo, const QString& moneda,
                       const QString& período = {});
// "mar 2010"; "2010" without a valid month; "" without a year.
QString MesAñoVisible(int mes, int año);
// "mar 2010 – jul 2014", "2015 – actual", "desde 2015", "hasta 2014"; "" when nothing is known.
QString PeríodoVisible(int mesDesde, int añoDesde, int mesHasta, int añoHasta, bool actual);
// The texts that are not blank, trimmed and joined by `separador`.
QString UnirTextos(std::initializer_list<QString> partes, const QString& separador);
// "1 currículum", "3 currículos", "1.250 postulantes".
QString TextoCantidad(qint64 n, const QString& singular, const QString& plural);
// The words that agree with a count of `n`: `singular` for 1, else `plural`
// ("se importó" / "se importaron").
QString SegúnCantidad(qint64 n, const QString& singular, const QString& plural);

// Fixed lists.
QString NombreOperador(int código);
void LlenarSíNo(ControlLista& lista, int marca);
void SeleccionarPorTexto(ControlLista& lista, const QString& texto);

// Key handling for input fields: the typed character code, changed in place
// (0 = swallowed), and type-ahead, which returns the code to let through.
void FiltrarTeclaNumérica(ControlTexto& control, int& tecla, bool permitirDecimales);
int Autocompletar(ControlCombo& combo, int tecla, int inicio, int largo);

// Calls `f` with `ids` a few hundred at a time (as many values as one statement
// takes): as bound values, and as the "?,?,…" marks of an "in (…)" list.
void EnLotes(const std::vector<int32_t>& ids,
             const std::function<void(const QVariantList& valores, const QString& marcas)>& f);
