#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

class ControlLista;
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
QString FormatearFechaHora(const QString& texto);
QString NombreMes(int mes);

// Fixed lists.
QString NombreOperador(int código);
void LlenarSíNo(ControlLista& lista, int marca);
void SeleccionarPorTexto(ControlLista& lista, const QString& texto);

// Key handling for input fields: the typed character code, changed in place
// (0 = swallowed), and type-ahead, which returns the code to let through.
void FiltrarTeclaNumérica(ControlTexto& control, int& tecla, bool permitirDecimales);
int Autocompletar(ControlCombo& combo, int tecla, int inicio, int largo);
