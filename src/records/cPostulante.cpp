#include "records/cPostulante.h"

#include "duplicates/Duplicados.h"
#include "privacy/Auditoria.h"
#include "store/Palabras.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Rangos.h"
#include "store/Valores.h"

#include <QDateTime>

#include <variant>

namespace {

using P = cPostulante;
using Miembro = std::variant<TextoRecortado P::*, QString P::*, uint8_t P::*, int16_t P::*,
                             int32_t P::*, float P::*, Elemento P::*>;

struct Columna {
    const char* nombre;
    Miembro miembro;
    const char* lista = nullptr;  // the lookup table of an item-valued column
    bool escrita = true;          // false: loaded, never written by a save
};

// Every column of nvx_m_postulantes but the key, with the member that holds it.
const Columna kColumnas[] = {
    {"dni_pais", &P::Dni_País},
    {"dni_numero", &P::Dni_Número},
    {"nombre", &P::Nombre},
    {"apellido", &P::Apellido},
    {"apellido_materno", &P::Apellido_Materno},
    {"sexo", &P::Sexo},
    {"nac_dia", &P::Nac_Día},
    {"nac_mes", &P::Nac_Mes},
    {"nac_ano", &P::nac_año},
    {"nac_localidad", &P::nac_localidad, "nvx_m_localidades"},
    {"nac_provincia", &P::nac_provincia},
    {"nac_pais", &P::nac_país},
    {"nacionalidad", &P::nacionalidad},
    {"estado_civil", &P::estado_civil},
    {"tiene_hijos", &P::tiene_hijos},
    {"res_calle", &P::res_calle},
    {"res_barrio", &P::res_barrio, "nvx_m_barrios"},
    {"res_localidad", &P::res_localidad, "nvx_m_localidades"},
    {"res_provincia", &P::res_provincia},
    {"res_pais", &P::res_país},
    {"res_cp", &P::res_cp},
    {"email", &P::email},
    {"tel1_tipo", &P::Tel1_tipo},
    {"tel1_numero", &P::Tel1_numero},
    {"tel1_desde", &P::Tel1_desde},
    {"tel1_hasta", &P::Tel1_hasta},
    {"tel2_tipo", &P::Tel2_tipo},
    {"tel2_numero", &P::Tel2_numero},
    {"tel2_desde", &P::Tel2_desde},
    {"tel2_hasta", &P::Tel2_hasta},
    {"tel3_tipo", &P::Tel3_tipo},
    {"tel3_numero", &P::tel3_numero},
    {"tel3_desde", &P::tel3_desde},
    {"tel3_hasta", &P::tel3_hasta},
    {"formsec_orientacion", &P::Formsec_orientacion},
    {"formsec_instituto", &P::Formsec_instituto},
    {"formsec_estado", &P::Formsec_estado},
    {"formsec_completos", &P::Formsec_completos},
    {"conocimientos", &P::conocimientos},
    {"remun_mensual", &P::remun_mes},
    {"remun_hora", &P::Remun_hora},
    {"moneda_mes", &P::MonedaMes},
    {"moneda_hora", &P::MonedaHora},
    {"obra_social", &P::Obra_social},
    {"tiques_almuerzo", &P::Tiques_almuerzo},
    {"relacion_dependencia", &P::Relación_dependencia},
    {"viajar", &P::Viajar},
    {"emigrar", &P::Emigrar},
    {"disp_semanal", &P::disp_semanal},
    {"disp_horaria", &P::disp_horaria},
    {"estatura", &P::Estatura},
    {"med_a", &P::med_a},
    {"med_b", &P::med_b},
    {"med_c", &P::med_c},
    {"presencia", &P::presencia},
    {"contextura", &P::contextura},
    {"observaciones", &P::Observaciones},
    {"dato_a", &P::dato_a, "nvx_m_datos_a"},
    {"dato_b", &P::dato_b, "nvx_m_datos_b"},
    {"dato_c", &P::dato_c, "nvx_m_datos_c"},
    {"dato_d", &P::dato_d, "nvx_m_datos_d"},
    {"dato_e", &P::dato_e, "nvx_m_datos_e"},
    {"dato_f", &P::dato_f, "nvx_m_datos_f"},
    {"dato_g", &P::dato_g, "nvx_m_datos_g"},
    {"dato_h", &P::dato_h, "nvx_m_datos_h"},
    {"dato_i", &P::dato_i, "nvx_m_datos_i"},
    {"dato_j", &P::dato_j, "nvx_m_datos_j"},
    {"fecha_ingreso", &P::fecha_ingreso, nullptr, false},
    {"actualizado", &P::actualizado, nullptr, false},
    {"referencia", &P::ref_búsqueda},
    {"activo", &P::Activo},
};

template <class... F>
struct Visitante : F... {
    using F::operator()...;
};

// The UPDATE of every written column, built once.
const QString& sentenciaActualizar() {
    static const QString sql = [] {
        QStringList asignaciones;
        for (const Columna& c : kColumnas)
            if (c.escrita) asignaciones << QString::fromLatin1(c.nombre) + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE nvx_m_postulantes SET ") +
               asignaciones.join(QStringLiteral(", ")) +
               QStringLiteral(", actualizado = ? WHERE id = ?");
    }();
    return sql;
}

// The change time a save writes: now, and always later than the time it replaces,
// so another workstation's copy never looks current after this save.
QString SiguienteActualización(const QString& anterior) {
    const QString formato = QStringLiteral("yyyyMMddHHmmss");
    QString ahora = FechaHoraTexto();
    const QDateTime previa = QDateTime::fromString(anterior, formato);
    if (previa.isValid() && ahora <= anterior) ahora = previa.addSecs(1).toString(formato);
    return ahora;
}

void leerElemento(Elemento& e, const char* tabla, int32_t clave) {
    e = Elemento();
    if (clave != 0) e.cargar_id(clave, QLatin1String(tabla));
}

}  // namespace

void cPostulante::AplicarPredeterminados() {
    Diccionario& d = Almacén();
    for (const Columna& c : kColumnas) {
        const Rango* r = RangoDe(QStringLiteral("nvx_m_postulantes"), QLatin1String(c.nombre));
        // Free lists (items by name) start empty; the document's country is chosen first.
        if (!r || !r->lista || c.lista || qstrcmp(c.nombre, "dni_pais") == 0) continue;
        const auto poner = [&](auto P::*m) {
            if (this->*m != 0) return;
            const qint64 id = d.valorÚnico(QStringLiteral("select id from %1 where "
                                                          "predeterminado = 1 order by id")
                                               .arg(QLatin1String(r->lista)))
                                  .toLongLong();
            if (id > 0 && id <= r->máximo)
                this->*m = std::remove_reference_t<decltype(this->*m)>(id);
        };
        if (auto* m = std::get_if<uint8_t P::*>(&c.miembro)) poner(*m);
        if (auto* m = std::get_if<int16_t P::*>(&c.miembro)) poner(*m);
    }
}

void cPostulante::vaciarColecciones() {
    familiares.Clear();
    formación.Clear();
    idiomas.Clear();
    Experiencia.Clear();
    ÁreasInterés.Clear();
    Fotos.Clear();
}

uint8_t cPostulante::cargar() {
    vaciarColecciones();
    std::unique_ptr<Recordset> rs;
    if (id != 0)
        rs =
            Almacén().AbrirRS(QStringLiteral("select * from nvx_m_postulantes where id = ?"), {id});
    else if (!Dni_Número.isEmpty() && Dni_País != 0)
        rs = Almacén().AbrirRS(
            QStringLiteral("select * from nvx_m_postulantes where dni_pais = ? and dni_numero = ?"),
            {Dni_País, Dni_Número.texto()});
    else
        return 0;
    if (rs->eof()) return 0;

    id = int32_t(rs->entero(QStringLiteral("id")));
    for (const Columna& c : kColumnas) {
        const int campo = rs->índice(QString::fromLatin1(c.nombre));
        std::visit(Visitante{
                       [&](TextoRecortado P::*m) { this->*m = rs->valor(campo).toString(); },
                       [&](QString P::*m) { this->*m = rs->texto(campo); },
                       [&](uint8_t P::*m) { this->*m = uint8_t(rs->entero(campo)); },
                       [&](int16_t P::*m) { this->*m = int16_t(rs->entero(campo)); },
                       [&](int32_t P::*m) { this->*m = int32_t(rs->entero(campo)); },
                       [&](float P::*m) { this->*m = float(rs->real(campo)); },
                       [&](Elemento P::*m) {
                           leerElemento(this->*m, c.lista, int32_t(rs->entero(campo)));
                       },
                   },
                   c.miembro);
    }

    Diccionario& d = Almacén();
    const auto detalle = [&](const char* tabla) {
        return d.AbrirRS(QStringLiteral("select * from %1 where postulante = ? order by rowid")
                             .arg(QLatin1String(tabla)),
                         {id});
    };
    const auto elemento = [&](const char* tabla, const Recordset& r, const char* columna) {
        return d.GetElemento(QLatin1String(tabla), int32_t(r.entero(QLatin1String(columna))));
    };
    const auto n = [](const Recordset& r, const char* columna) {
        return r.entero(QLatin1String(columna));
    };
    const auto t = [](const Recordset& r, const char* columna) {
        return r.texto(QLatin1String(columna));
    };

    for (auto r = detalle("nvx_d_familiares"); !r->eof(); r->MoveNext())
        familiares.Add(uint8_t(n(*r, "parentesco")), uint8_t(n(*r, "edad")), n(*r, "acargo") != 0,
                       t(*r, "nombre"), n(*r, "vive") != 0, n(*r, "convive") != 0,
                       elemento("nvx_m_ocupaciones", *r, "ocupacion"),
                       elemento("nvx_m_empleadores", *r, "empresa"));
    for (auto r = detalle("nvx_d_formacion"); !r->eof(); r->MoveNext())
        formación
            .Add(uint8_t(n(*r, "nivel")), elemento("nvx_m_formacion_institutos", *r, "institucion"),
                 uint8_t(n(*r, "estado")), uint8_t(n(*r, "materias_aprobadas")),
                 uint8_t(n(*r, "materias_restantes")), int16_t(n(*r, "ingreso")),
                 int16_t(n(*r, "ultimo")), float(r->real(QStringLiteral("promedio"))),
                 uint8_t(n(*r, "area")), elemento("nvx_m_titulos", *r, "titulo"))
            .AñosCompletos = uint8_t(n(*r, "completos"));
    for (auto r = detalle("nvx_d_idiomas"); !r->eof(); r->MoveNext())
        idiomas.Add(uint8_t(n(*r, "idioma")), uint8_t(n(*r, "habla")), uint8_t(n(*r, "lee")),
                    uint8_t(n(*r, "escribe")));
    for (auto r = detalle("nvx_d_experiencia"); !r->eof(); r->MoveNext())
        Experiencia.Add(
            uint8_t(n(*r, "area")), uint8_t(n(*r, "puesto")),
            elemento("nvx_m_empleadores", *r, "empleador"), int32_t(n(*r, "empleador_rubro")),
            uint8_t(n(*r, "ingreso_mes")), int16_t(n(*r, "ingreso_ano")),
            uint8_t(n(*r, "egreso_mes")), int16_t(n(*r, "egreso_ano")),
            uint8_t(n(*r, "empleo_actual")), t(*r, "actividades"), uint8_t(n(*r, "gente_acargo")),
            uint8_t(n(*r, "motivo_egreso")), t(*r, "remuneracion"), t(*r, "observaciones"));
    for (auto r = detalle("nvx_d_interes"); !r->eof(); r->MoveNext())
        ÁreasInterés.Add(uint8_t(n(*r, "area")));
    for (auto r = detalle("nvx_d_fotos"); !r->eof(); r->MoveNext())
        Fotos.Add(t(*r, "titulo"), t(*r, "foto"));
    return 1;
}

bool cPostulante::guardar(bool sobrescribir) {
    cambiadaEl.clear();
    RelojDeArena reloj;
    Diccionario& d = Almacén();
    Transaccion transacción(d);

    const bool esNueva = id == 0;
    const int32_t clave = esNueva ? d.PróximoID(QStringLiteral("nvx_m_postulantes")) : id;
    if (clave == 0) return false;  // no key: nothing is stored under 0

    QString anterior;
    if (esNueva) {
        if (d.valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {clave})
                .isValid())
            throw ErrorAlmacen(
                QStringLiteral("No se pudo guardar la ficha."),
                QStringLiteral("El número de orden %1 ya pertenece a otro postulante: el "
                               "contador de postulantes está atrasado.")
                    .arg(clave));
        d.ejecutar(QStringLiteral("INSERT INTO nvx_m_postulantes (ID) values (?)"), {clave});
    } else {
        const QVariant guardado = d.valorÚnico(
            QStringLiteral("select actualizado from nvx_m_postulantes where id = ?"), {clave});
        if (!guardado.isValid())
            throw ErrorAlmacen(
                QStringLiteral("No se pudo guardar la ficha."),
                QStringLiteral("El postulante número %1 ya no está en la base de datos.")
                    .arg(clave));
        anterior = VacíoSiNulo(guardado);
        if (!sobrescribir && anterior != actualizado) {
            cambiadaEl = anterior;  // the caller decides what to do
            return false;
        }
    }

    // Item-valued columns: names typed that are not in their lists are added now.
    // Copies, so a rolled-back save leaves the record's items as they were.
    QVariantList valores;
    std::vector<std::pair<Elemento P::*, int32_t>> nuevosItems;
    for (const Columna& c : kColumnas) {
        if (!c.escrita) continue;
        valores << std::visit(Visitante{
                                  [&](TextoRecortado P::*m) {
                                      return QVariant((this->*m).texto().isNull()
                                                          ? QStringLiteral("")
                                                          : (this->*m).texto());
                                  },
                                  [&](QString P::*m) { return NuloSiVacío(this->*m); },
                                  [&](uint8_t P::*m) { return QVariant(int(this->*m)); },
                                  [&](int16_t P::*m) { return QVariant(int(this->*m)); },
                                  [&](int32_t P::*m) { return QVariant(this->*m); },
                                  [&](float P::*m) { return QVariant(RedondearSimple(this->*m)); },
                                  [&](Elemento P::*m) {
                                      Elemento e = this->*m;
                                      if (!e.Nombre.isEmpty() && e.id == 0 &&
                                          e.guardar(d, QLatin1String(c.lista)) != 0)
                                          nuevosItems.emplace_back(m, e.id);
                                      return QVariant(e.id);
                                  },
                              },
                              c.miembro);
    }
    const QString cambio = SiguienteActualización(anterior);
    valores << cambio << clave;
    if (d.ejecutar(sentenciaActualizar(), valores) != 1)
        throw ErrorAlmacen(
            QStringLiteral("No se pudo guardar la ficha."),
            QStringLiteral("La fila del postulante número %1 no se pudo actualizar.").arg(clave));

    if (!Importando) familiares.guardar(clave);
    formación.guardar(clave);
    Experiencia.guardar(clave);
    ÁreasInterés.guardar(clave);
    idiomas.guardar(clave);
    Fotos.guardar(clave);
    ActualizarPalabras(d, {clave});
    ActualizarClaves(d, {clave});
    Auditar(d, {clave}, Acción::Guardó, esNueva ? QStringLiteral("ficha nueva") : QString());
    transacción.confirmar();

    id = clave;
    for (const auto& [m, idItem] : nuevosItems) (this->*m).id = idItem;
    actualizado = VacíoSiNulo(d.valorÚnico(
        QStringLiteral("select actualizado from nvx_m_postulantes where id = ?"), {clave}));
    return true;
}

const QStringList& TablasDetalle() {
    static const QStringList tablas{
        QStringLiteral("nvx_d_familiares"), QStringLiteral("nvx_d_formacion"),
        QStringLiteral("nvx_d_idiomas"),    QStringLiteral("nvx_d_experiencia"),
        QStringLiteral("nvx_d_fotos"),      QStringLiteral("nvx_d_interes"),
        QStringLiteral("nvx_d_documentos")};
    return tablas;
}

void cPostulante::eliminar() {
    Diccionario& d = Almacén();
    Transaccion t(d);
    d.DeleteId(QStringLiteral("nvx_m_postulantes"), QStringLiteral("id"), id);
    for (const QString& tabla : TablasDetalle())
        d.DeleteId(tabla, QStringLiteral("postulante"), id);
    ActualizarPalabras(d, {id});
    ActualizarClaves(d, {id});
    Auditar(d, {id}, Acción::Eliminó);
    t.confirmar();
}
