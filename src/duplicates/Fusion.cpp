#include "duplicates/Fusion.h"

#include "duplicates/Duplicados.h"
#include "privacy/Auditoria.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Palabras.h"
#include "store/Valores.h"

#include <QHash>
#include <QMetaType>
#include <QSet>

namespace {

// Values filled from the other card together, and the column that says whether
// the kept card has them: a birth date, a place, an address, a telephone…
struct Grupo {
    QStringList columnas;
    QString decide;
};

const std::vector<Grupo>& Grupos() {
    static const std::vector<Grupo> grupos = [] {
        std::vector<Grupo> g{
            {{"nac_dia", "nac_mes", "nac_ano"}, "nac_ano"},
            {{"nac_localidad", "nac_provincia", "nac_pais"}, "nac_localidad"},
            {{"res_calle", "res_barrio", "res_localidad", "res_provincia", "res_pais", "res_cp"},
             "res_calle"},
            {{"formsec_orientacion", "formsec_instituto", "formsec_estado", "formsec_completos"},
             "formsec_instituto"},
            {{"remun_mensual", "moneda_mes"}, "remun_mensual"},
            {{"remun_hora", "moneda_hora"}, "remun_hora"}};
        for (const char* n : {"tel1", "tel2", "tel3"}) {
            const QString t = QString::fromLatin1(n);
            g.push_back({{t + QStringLiteral("_tipo"), t + QStringLiteral("_numero"),
                          t + QStringLiteral("_desde"), t + QStringLiteral("_hasta")},
                         t + QStringLiteral("_numero")});
        }
        return g;
    }();
    return grupos;
}

// Columns the merge never copies: the keys, the document, the stamps and the state.
const QStringList kPropias{QStringLiteral("id"),          QStringLiteral("dni_pais"),
                           QStringLiteral("dni_numero"),  QStringLiteral("fecha_ingreso"),
                           QStringLiteral("actualizado"), QStringLiteral("activo")};

bool Vacío(const QVariant& v) {
    if (v.isNull()) return true;
    if (v.typeId() == QMetaType::QString) return v.toString().trimmed().isEmpty();
    return v.toDouble() == 0;
}

QHash<QString, QVariant> Fila(Diccionario& d, int32_t id) {
    auto rs = d.AbrirRS(QStringLiteral("select * from nvx_m_postulantes where id = ?"), {id});
    if (rs->eof())
        throw ErrorAlmacen(QStringLiteral("No se pudieron fusionar los postulantes."),
                           QStringLiteral("El postulante número %1 ya no existe.").arg(id));
    QHash<QString, QVariant> fila;
    for (int i = 0; i < rs->FieldCount(); ++i)
        fila.insert(rs->FieldName(i).toLower(), rs->valor(i));
    return fila;
}

// The detail tables and what makes two of their rows the same (empty: every column).
struct Detalle {
    const char* tabla;
    const char* iguales;
};
constexpr Detalle kDetalles[] = {{"nvx_d_familiares", ""},      {"nvx_d_formacion", ""},
                                 {"nvx_d_idiomas", "idioma"},   {"nvx_d_experiencia", ""},
                                 {"nvx_d_interes", "area"},     {"nvx_d_fotos", "foto"},
                                 {"nvx_d_documentos", "sha256"}};

QStringList Iguales(Diccionario& d, const Detalle& t) {
    if (*t.iguales) return {QString::fromLatin1(t.iguales)};
    QStringList c;
    auto rs = d.AbrirRS(QStringLiteral("select * from %1 where 1 = 0").arg(QLatin1String(t.tabla)));
    for (int i = 0; i < rs->FieldCount(); ++i)
        if (const QString n = rs->FieldName(i).toLower(); n != QLatin1String("postulante")) c << n;
    return c;
}

// "20111222 de Brasil"
QString Documento(Diccionario& d, const QHash<QString, QVariant>& fila) {
    const QString país = VacíoSiNulo(d.valorÚnico(
        QStringLiteral("select nombre from nvx_m_paises where id = ?"), {fila.value("dni_pais")}));
    const QString número = fila.value("dni_numero").toString().trimmed();
    return país.isEmpty() ? número : número + QStringLiteral(" de ") + país;
}

}  // namespace

void FusionarPostulantes(Diccionario& d, int32_t conservar, int32_t eliminar,
                         const QString& usuario) {
    RelojDeArena reloj;
    const QString falla = QStringLiteral("No se pudieron fusionar los postulantes.");
    if (conservar == eliminar)
        throw ErrorAlmacen(falla, QStringLiteral("Un postulante no se fusiona consigo mismo."));
    Transaccion t(d);
    const QHash<QString, QVariant> queda = Fila(d, conservar), sale = Fila(d, eliminar);

    // The kept card's values win; its empty ones come from the other, a group at a time.
    QStringList asignar;
    QVariantList valores;
    QSet<QString> vistas(kPropias.begin(), kPropias.end());
    const auto tomar = [&](const QStringList& columnas, const QString& decide) {
        for (const QString& c : columnas) vistas.insert(c);
        if (!Vacío(queda.value(decide)) || Vacío(sale.value(decide))) return;
        for (const QString& c : columnas) {
            asignar << c + QStringLiteral(" = ?");
            valores << sale.value(c);
        }
    };
    for (const Grupo& g : Grupos()) tomar(g.columnas, g.decide);
    for (auto it = queda.cbegin(); it != queda.cend(); ++it)
        if (!vistas.contains(it.key())) tomar({it.key()}, it.key());
    if (!asignar.isEmpty())
        d.ejecutar(QStringLiteral("update nvx_m_postulantes set %1 where id = ?")
                       .arg(asignar.join(QStringLiteral(", "))),
                   valores << conservar);

    // The other's rows move over, except those the kept card already has.
    for (const Detalle& x : kDetalles) {
        const QString tabla = QLatin1String(x.tabla);
        QString mismas;
        for (const QString& c : Iguales(d, x))
            mismas += QStringLiteral(" and k.%1 IS NOT DISTINCT FROM %2.%1").arg(c, tabla);
        d.ejecutar(QStringLiteral("update %1 set postulante = ? where postulante = ? and not "
                                  "exists (select 1 from %1 k where k.postulante = ?%2)")
                       .arg(tabla, mismas),
                   {conservar, eliminar, conservar});
        d.ejecutar(QStringLiteral("delete from %1 where postulante = ?").arg(tabla), {eliminar});
    }
    // Saved results that held the other now hold the kept one, once.
    d.ejecutar(QStringLiteral("update RESULTADO set ID = ? where ID = ? and not exists (select 1 "
                              "from RESULTADO r where r.CONSULTA = RESULTADO.CONSULTA and r.ID = "
                              "?)"),
               {conservar, eliminar, conservar});
    d.ejecutar(QStringLiteral("delete from RESULTADO where ID = ?"), {eliminar});
    d.ejecutar(QStringLiteral("delete from candora_no_duplicados where a = ? or b = ?"),
               {eliminar, eliminar});
    d.ejecutar(QStringLiteral("delete from nvx_m_postulantes where id = ?"), {eliminar});
    ActualizarPalabras(d, {conservar, eliminar});
    ActualizarClaves(d, {conservar, eliminar});
    Auditar(d, {conservar}, Acción::Fusionó,
            QStringLiteral("con el postulante %1 (documento %2)")
                .arg(eliminar)
                .arg(Documento(d, sale)));
    d.ejecutar(
        QStringLiteral("insert into candora_fusiones (conservado, eliminado, documento_conservado, "
                       "documento_eliminado, nombre_eliminado, usuario, fecha) values (?, ?, ?, "
                       "?, ?, ?, ?)"),
        {conservar, eliminar, Documento(d, queda), Documento(d, sale),
         NombreDuplicado(sale.value("apellido").toString(), sale.value("nombre").toString(), {},
                         {}),
         ValorTexto(usuario), FechaHoraTexto()});
    t.confirmar();
}

QString FusionesDe(Diccionario& d, int32_t postulante) {
    QStringList líneas;
    for (auto rs = d.AbrirRS(QStringLiteral("select nombre_eliminado, documento_eliminado, fecha, "
                                            "usuario from candora_fusiones where conservado = ? "
                                            "order by fecha"),
                             {postulante});
         !rs->eof(); rs->MoveNext()) {
        QString l = QStringLiteral("Fusionado con %1 (documento %2) el %3")
                        .arg(rs->texto(0), rs->texto(1), FormatearFechaHora(rs->texto(2)));
        if (const QString u = rs->texto(3).trimmed(); !u.isEmpty())
            l += QStringLiteral(" por ") + u;
        líneas << l;
    }
    return líneas.join(u'\n');
}
