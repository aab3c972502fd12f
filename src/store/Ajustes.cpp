#include "store/Ajustes.h"

#include "store/Diccionario.h"
#include "store/Valores.h"

QString Ajuste(Diccionario& d, const QString& clave, const QString& predeterminado) {
    const QVariant v =
        d.valorÚnico(QStringLiteral("select valor from candora_ajustes where clave = ?"), {clave});
    return v.isValid() ? VacíoSiNulo(v) : predeterminado;
}

void FijarAjuste(Diccionario& d, const QString& clave, const QString& valor) {
    Transaccion t(d);
    d.ejecutar(QStringLiteral("insert into candora_ajustes (clave, valor) values (?, ?) on "
                              "conflict (clave) do update set valor = excluded.valor"),
               {clave, valor});
    t.confirmar();
}

QString AjusteFijado(Diccionario& d, const QString& clave, const QString& valor) {
    Transaccion t(d);
    d.ejecutar(QStringLiteral("insert into candora_ajustes (clave, valor) values (?, ?) on "
                              "conflict (clave) do nothing"),
               {clave, valor});
    const QString fijado = Ajuste(d, clave);
    t.confirmar();
    return fijado;
}
