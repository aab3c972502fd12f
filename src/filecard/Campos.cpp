#include "filecard/Campos.h"

#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "store/Diccionario.h"
#include "store/Valores.h"

void LlenarLista(ceDropList& lista, const char* tabla, bool porOrden, int32_t id,
                 bool predeterminado, bool conNinguno) {
    const QSignalBlocker b(lista);
    Almacén().LlenarComboElementos(QString::fromLatin1(tabla), lista, porOrden ? 1 : 0, conNinguno,
                                   id);
    if (id == 0 && !predeterminado) lista.setListIndex(conNinguno ? 0 : -1);
}

void LlenarLista(ceCombo& lista, const char* tabla, bool porOrden, const Elemento& e,
                 bool conNinguno) {
    const QSignalBlocker b(lista);
    Almacén().LlenarComboElementos(QString::fromLatin1(tabla), lista, porOrden ? 1 : 0, conNinguno,
                                   e.id == 0 ? -1 : e.id);
    if (lista.ListIndex() < 0) lista.setText(e.Nombre);
}

int32_t IdElegido(const ceDropList& lista) {
    const int i = lista.ListIndex();
    return i < 0 ? 0 : lista.ItemData(i);
}

Elemento ElementoElegido(const ceCombo& lista, const char* tabla) {
    Elemento e;
    const int i = lista.ListIndex();
    if (i >= 0 && lista.ItemData(i) != 0) {
        e.cargar_id(Almacén(), lista.ItemData(i), QString::fromLatin1(tabla));
        return e;
    }
    QString t = lista.Text();
    t = t.trimmed();
    if (i >= 0 || t.isEmpty()) return e;  // "(ninguno)" or blank: no item
    e.cargar_nombre(Almacén(), t, QString::fromLatin1(tabla));
    return e;
}

qint64 NúmeroDe(const ceTxtBox& t, qint64 máximo) {
    bool ok = false;
    const qint64 n = t.text().trimmed().toLongLong(&ok);
    return ok ? std::clamp<qint64>(n, 0, máximo) : 0;
}

double DecimalDe(const ceTxtBox& t) {
    return ValorNumérico(t.text().trimmed()).toDouble();  // Null reads as 0
}

QString TextoNúmero(double v, bool vacíoSiCero) {
    if (v == 0 && vacíoSiCero) return {};
    return QString::number(v, 'g', 9);
}

void LlenarMeses(ceDropList& lista) {
    const QSignalBlocker b(lista);
    lista.clear();
    for (int m = 1; m <= 12; ++m) lista.AddItem(NombreMes(m));
}
