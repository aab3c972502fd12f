#pragma once

#include "records/Subregistros.h"

#include <QString>

class ceCombo;
class ceDropList;
class ceTxtBox;
class QWidget;

// Helpers shared by the file card and its dialogs: lookup lists filled from
// the store, lookup items read back from free lists, numbers from text boxes.

// Fills `lista` from `tabla` and selects `id`. With `predeterminado` false an
// id of 0 selects nothing (filling an existing record never picks a default).
void LlenarLista(ceDropList& lista, const char* tabla, bool porOrden, int32_t id,
                 bool predeterminado, bool conNinguno = false);
void LlenarLista(ceCombo& lista, const char* tabla, bool porOrden, const Elemento& e,
                 bool conNinguno = false);
// The id of the selected entry; 0 with none.
int32_t IdElegido(const ceDropList& lista);
// The lookup item a free list shows: the chosen entry, an existing item of
// that name, or a new name (id 0). Empty text clears the item.
Elemento ElementoElegido(const ceCombo& lista, const char* tabla);

// The number a text box reads as, within [0, máximo]; empty reads as 0.
qint64 NúmeroDe(const ceTxtBox& t, qint64 máximo);
double DecimalDe(const ceTxtBox& t);
// A number as its text box shows it: "" for 0 when `vacíoSiCero`.
QString TextoNúmero(double v, bool vacíoSiCero = false);

// The month names "Enero" … "Diciembre", in list order.
void LlenarMeses(ceDropList& lista);
