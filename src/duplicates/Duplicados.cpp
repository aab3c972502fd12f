#include "duplicates/Duplicados.h"

#include "records/cPostulante.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

const QString kColumnas = QStringLiteral(
    "p.id, p.apellido, p.nombre, p.email, p.dni_numero, p.tel1_numero, p.tel2_numero, "
    "p.tel3_numero, p.nac_dia, p.nac_mes, p.nac_ano");

DatosIdentidad Datos(const Recordset& r) {
    DatosIdentidad p;
    p.apellido = r.texto(1);
    p.nombre = r.texto(2);
    p.email = r.texto(3);
    p.documento = r.texto(4);
    p.teléfonos = QStringList{r.texto(5), r.texto(6), r.texto(7)};
    p.díaNacimiento = int(r.entero(8));
    p.mesNacimiento = int(r.entero(9));
    p.añoNacimiento = int(r.entero(10));
    return p;
}

// The keys of every applicant of a result set of kColumnas, as rows to store.
std::vector<QVariantList> Filas(Recordset& rs) {
    std::vector<QVariantList> filas;
    for (; !rs.eof(); rs.MoveNext())
        for (const auto& [regla, clave] : ClavesDe(Datos(rs)))
            filas.push_back({rs.entero(0), int(regla), clave});
    return filas;
}

const QStringList kCamposClave{QStringLiteral("postulante"), QStringLiteral("regla"),
                               QStringLiteral("clave")};

// How each of these applicants reads in a list of pairs.
QHash<int32_t, QString> Nombres(Diccionario& d, const QSet<int32_t>& ids) {
    QHash<int32_t, QString> nombres;
    EnLotes(std::vector<int32_t>(ids.begin(), ids.end()),
            [&](const QVariantList& valores, const QString& lista) {
                for (const PostulanteNombrado& p :
                     PostulantesDonde(d, QStringLiteral("p.id in (%1)").arg(lista), valores))
                    nombres.insert(p.id, p.nombre);
            });
    return nombres;
}

void Ordenar(std::vector<ParDuplicado>& pares) {
    std::sort(pares.begin(), pares.end(), [](const ParDuplicado& x, const ParDuplicado& y) {
        const int px = x.puntaje(), py = y.puntaje();
        if (px != py) return px > py;
        return std::pair(x.a, x.b) < std::pair(y.a, y.b);
    });
}

}  // namespace

void ActualizarClaves(Diccionario& d, const std::vector<int32_t>& postulantes) {
    EnLotes(postulantes, [&d](const QVariantList& ids, const QString& lista) {
        Transaccion t(d);
        d.ejecutar(QStringLiteral("delete from candora_claves where postulante in (%1)").arg(lista),
                   ids);
        auto rs = d.AbrirRS(QStringLiteral("select %1 from nvx_m_postulantes p where p.id in (%2)")
                                .arg(kColumnas, lista),
                            ids);
        d.copiar(QStringLiteral("candora_claves"), kCamposClave, Filas(*rs));
        t.confirmar();
    });
}

qint64 ReconstruirClaves(Diccionario& d, const std::function<void(qint64, qint64)>& progreso) {
    Transaccion t(d);
    d.ejecutar(QStringLiteral("delete from candora_claves"));
    const qint64 total =
        d.valorÚnico(QStringLiteral("select count(*) from nvx_m_postulantes")).toLongLong();
    qint64 hechos = 0, último = std::numeric_limits<qint64>::min();
    for (;;) {
        auto rs = d.AbrirRS(
            QStringLiteral("select %1 from nvx_m_postulantes p where p.id > ? order by p.id "
                           "limit 10000")
                .arg(kColumnas),
            {último});
        if (rs->eof()) break;
        hechos += rs->RecordCount();
        rs->MoveLast();
        último = rs->entero(0);
        rs->MoveFirst();
        d.copiar(QStringLiteral("candora_claves"), kCamposClave, Filas(*rs));
        if (progreso) progreso(hechos, total);
    }
    t.confirmar();
    return hechos;
}

Duplicados BuscarDuplicados(Diccionario& d) {
    RelojDeArena reloj;
    Duplicados r;
    r.clavesOmitidas = d.valorÚnico(QStringLiteral("select count(*) from (select 1 from "
                                                   "candora_claves group by regla, clave having "
                                                   "count(*) > ?) g"),
                                    {kMáximoPorClave})
                           .toInt();
    // The keys two to a few applicants share, and the pairs of applicants behind each.
    auto rs = d.AbrirRS(
        QStringLiteral("select a.postulante, b.postulante, a.regla from (select regla, clave "
                       "from candora_claves group by regla, clave having count(*) between 2 "
                       "and ?) g join candora_claves a on a.regla = g.regla and a.clave = "
                       "g.clave join candora_claves b on b.regla = g.regla and b.clave = "
                       "g.clave and b.postulante > a.postulante"),
        {kMáximoPorClave});
    QSet<quint64> descartados;
    for (auto n = d.AbrirRS(QStringLiteral("select a, b from candora_no_duplicados")); !n->eof();
         n->MoveNext())
        descartados.insert(ClavePar(int32_t(n->entero(0)), int32_t(n->entero(1))));
    QHash<quint64, int> reglas;
    for (; !rs->eof(); rs->MoveNext()) {
        const quint64 par = ClavePar(int32_t(rs->entero(0)), int32_t(rs->entero(1)));
        if (!descartados.contains(par)) reglas[par] |= 1 << (rs->entero(2) - 1);
    }
    QSet<int32_t> ids;
    for (auto it = reglas.cbegin(); it != reglas.cend(); ++it) {
        ParDuplicado p;
        p.a = int32_t(it.key() >> 32);
        p.b = int32_t(it.key() & 0xffffffffu);
        p.reglas = it.value();
        ids << p.a << p.b;
        r.pares.push_back(p);
    }
    const QHash<int32_t, QString> nombres = Nombres(d, ids);
    for (ParDuplicado& p : r.pares) {
        p.nombreA = nombres.value(p.a);
        p.nombreB = nombres.value(p.b);
    }
    Ordenar(r.pares);
    return r;
}

std::vector<ParDuplicado> PosiblesDuplicados(Diccionario& d, const DatosIdentidad& datos,
                                             int32_t excluido) {
    QHash<int32_t, int> reglas;
    for (const auto& [regla, clave] : ClavesDe(datos)) {
        auto rs = d.AbrirRS(QStringLiteral("select postulante from candora_claves where regla = "
                                           "? and clave = ? and postulante <> ?"),
                            {int(regla), clave, excluido});
        // A key too many share is no evidence, as in the whole list.
        if (rs->RecordCount() >= kMáximoPorClave) continue;
        for (; !rs->eof(); rs->MoveNext()) reglas[int32_t(rs->entero(0))] |= 1 << (int(regla) - 1);
    }
    QSet<int32_t> descartados;
    if (excluido != 0)
        for (auto rs = d.AbrirRS(QStringLiteral("select a + b - ? from candora_no_duplicados "
                                                "where a = ? or b = ?"),
                                 {excluido, excluido, excluido});
             !rs->eof(); rs->MoveNext())
            descartados.insert(int32_t(rs->entero(0)));
    std::vector<ParDuplicado> pares;
    QSet<int32_t> ids;
    for (auto it = reglas.cbegin(); it != reglas.cend(); ++it) {
        if (descartados.contains(it.key())) continue;
        pares.push_back({excluido, it.key(), it.value(), {}, {}});
        ids << it.key();
    }
    const QHash<int32_t, QString> nombres = Nombres(d, ids);
    for (ParDuplicado& p : pares) p.nombreB = nombres.value(p.b);
    Ordenar(pares);
    return pares;
}

std::vector<ParDuplicado> DuplicadosDe(Diccionario& d, const std::vector<int32_t>& postulantes) {
    if (postulantes.empty()) return {};
    QHash<quint64, int> reglas;
    EnLotes(postulantes, [&](const QVariantList& ids, const QString& lista) {
        auto rs = d.AbrirRS(
            QStringLiteral("select a.postulante, b.postulante, a.regla, a.clave from "
                           "candora_claves a join candora_claves b on b.regla = a.regla and "
                           "b.clave = a.clave and b.postulante <> a.postulante where "
                           "a.postulante in (%1) order by a.postulante, a.regla, a.clave")
                .arg(lista),
            ids);
        // A key too many share is no evidence, as in the whole list.
        QHash<QString, int> compartida;
        for (rs->MoveFirst(); !rs->eof(); rs->MoveNext())
            ++compartida[rs->texto(0) + u' ' + rs->texto(2) + u' ' + rs->texto(3)];
        for (rs->MoveFirst(); !rs->eof(); rs->MoveNext())
            if (compartida.value(rs->texto(0) + u' ' + rs->texto(2) + u' ' + rs->texto(3)) <
                kMáximoPorClave)
                reglas[ClavePar(int32_t(rs->entero(0)), int32_t(rs->entero(1)))] |=
                    1 << (rs->entero(2) - 1);
    });
    QSet<quint64> descartados;
    for (auto n = d.AbrirRS(QStringLiteral("select a, b from candora_no_duplicados")); !n->eof();
         n->MoveNext()) {
        descartados.insert(ClavePar(int32_t(n->entero(0)), int32_t(n->entero(1))));
        descartados.insert(ClavePar(int32_t(n->entero(1)), int32_t(n->entero(0))));
    }
    std::vector<ParDuplicado> pares;
    QSet<int32_t> todos;
    for (auto it = reglas.cbegin(); it != reglas.cend(); ++it) {
        if (descartados.contains(it.key())) continue;
        ParDuplicado p;
        p.a = int32_t(it.key() >> 32);
        p.b = int32_t(it.key() & 0xffffffffu);
        p.reglas = it.value();
        todos << p.a << p.b;
        pares.push_back(p);
    }
    const QHash<int32_t, QString> nombres = Nombres(d, todos);
    for (ParDuplicado& p : pares) {
        p.nombreA = nombres.value(p.a);
        p.nombreB = nombres.value(p.b);
    }
    Ordenar(pares);
    return pares;
}

DatosIdentidad IdentidadDe(const cPostulante& p) {
    DatosIdentidad x;
    x.apellido = p.Apellido;
    x.nombre = p.Nombre;
    x.email = p.email;
    x.documento = p.Dni_Número.texto();
    x.teléfonos = QStringList{p.Tel1_numero, p.Tel2_numero, p.tel3_numero};
    x.díaNacimiento = p.Nac_Día;
    x.mesNacimiento = p.Nac_Mes;
    x.añoNacimiento = p.nac_año;
    return x;
}

void DescartarPar(Diccionario& d, int32_t a, int32_t b, const QString& usuario) {
    if (a > b) std::swap(a, b);
    Transaccion t(d);
    d.ejecutar(QStringLiteral("delete from candora_no_duplicados where a = ? and b = ?"), {a, b});
    d.ejecutar(QStringLiteral("insert into candora_no_duplicados (a, b, usuario, fecha) values "
                              "(?, ?, ?, ?)"),
               {a, b, ValorTexto(usuario), FechaHoraTexto()});
    t.confirmar();
}

std::vector<PostulanteNombrado> PostulantesDonde(Diccionario& d, const QString& condición,
                                                 const QVariantList& valores) {
    std::vector<PostulanteNombrado> postulantes;
    for (auto rs = d.AbrirRS(
             QStringLiteral("select p.id, p.apellido, p.nombre, s.nombre, p.dni_numero, "
                            "coalesce(p.actualizado, p.fecha_ingreso) as cambio from "
                            "nvx_m_postulantes p left join nvx_m_paises s on s.id = p.dni_pais "
                            "where ") +
                 condición,
             valores);
         !rs->eof(); rs->MoveNext())
        postulantes.push_back(
            {int32_t(rs->entero(0)),
             NombreDuplicado(rs->texto(1), rs->texto(2), rs->texto(3), rs->texto(4)),
             rs->texto(5)});
    return postulantes;
}

QString NombreDuplicado(const QString& apellido, const QString& nombre, const QString& país,
                        const QString& documento) {
    QString t = apellido.trimmed();
    if (const QString n = nombre.trimmed(); !n.isEmpty()) t += QStringLiteral(", ") + n;
    const QString doc = documento.trimmed();
    if (doc.isEmpty()) return t;
    if (país.isEmpty() || país == QLatin1String("Argentina"))
        return t + QStringLiteral(" (DNI ") + doc + u')';
    return t + QStringLiteral(" (documento ") + doc + QStringLiteral(" de ") + país + u')';
}
