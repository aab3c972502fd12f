#include "import/cImportador.h"

#include "import/Intercambio.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QFile>
#include <QHash>

#include <optional>

namespace {

const char* const kSecciones[] = {"postulantes", "formacion", "idiomas", "experiencia"};

Diccionario& almacén() {
    if (!dic) throw ErrorAlmacen(QStringLiteral("La base de datos no está abierta."));
    return *dic;
}

void Avisar(const QString& texto, Icono icono) {
    MsgBox(texto, icono);
}

// The file read line by line as windows-1252, CR LF or LF.
class Lector {
  public:
    explicit Lector(QFile& f) : f_(f) {}
    // False at the end of the file.
    bool siguiente(QString& línea) {
        if (f_.atEnd()) return false;
        QByteArray b = f_.readLine();
        if (b.endsWith('\n')) b.chop(1);
        if (b.endsWith('\r')) b.chop(1);
        línea = DesdeWindows1252(b);
        ++número_;
        return true;
    }
    int número() const { return número_; }

  private:
    QFile& f_;
    int número_ = 0;
};

// The staged value lists' columns, read once from the staging tables.
int Columnas(Diccionario& d, const QString& tabla) {
    return d.ColumnasTabla(tabla);
}

}  // namespace

uint8_t cImportador::leer_intercambio() {
    RelojDeArena reloj;
    if (!preparar()) return 1;
    return fusionar() ? 0 : 1;
}

void cImportador::borrartemporal() {
    QFile::setPermissions(Archivo,
                          QFile::permissions(Archivo) | QFile::WriteOwner | QFile::WriteUser);
    QFile::remove(Archivo);
}

// Stages the file in one transaction: a line that is not a value list for its
// section stops the run with nothing staged and nothing merged.
bool cImportador::preparar() {
    Diccionario& d = almacén();
    QFile f(Archivo);
    if (!f.open(QIODevice::ReadOnly)) {
        Avisar(QStringLiteral("No se puede leer el archivo de intercambio «%1».").arg(Archivo),
               Icono::Exclamación);
        return false;
    }
    Transaccion t(d, Transaccion::Bloqueo::Diferido);
    for (const char* s : kSecciones)
        d.ejecutar(QStringLiteral("delete * from imp_") + QLatin1String(s));

    Lector lector(f);
    QString línea;
    if (!lector.siguiente(línea)) {
        t.confirmar();
        Avisar(QStringLiteral("No se encontraron datos para actualizar."), Icono::Información);
        return false;
    }
    const auto falla = [&](const QString& motivo) {
        Avisar(QStringLiteral(
                   "El archivo de intercambio no se importó: en la línea %1 %2.\n\nNo se modificó "
                   "ningún postulante.")
                   .arg(lector.número())
                   .arg(motivo),
               Icono::Exclamación);
        return false;
    };
    if (línea != QLatin1String("[norvexa]")) {
        Avisar(QStringLiteral(
                   "El archivo de intercambio no tiene un formato válido. Puede ser que no sea un "
                   "archivo de intercambio o que el mismo no haya sido preparado correctamente."),
               Icono::Exclamación);
        return false;
    }
    for (int i = 0; i < 3; ++i)
        if (!lector.siguiente(línea))
            return falla(
                QStringLiteral("el archivo termina antes de las tres líneas de encabezado"));

    QHash<QString, int> columnas;
    for (const char* s : kSecciones)
        columnas.insert(QLatin1String(s), Columnas(d, QStringLiteral("imp_") + QLatin1String(s)));
    QString sección;
    QString sentencia;
    QVariantList valores;
    QString motivo;
    while (lector.siguiente(línea) && !línea.isEmpty()) {
        if (línea.size() > 2 && línea.startsWith(u'[') && línea.endsWith(u']')) {
            const QString nombre = línea.mid(1, línea.size() - 2);
            if (columnas.contains(nombre) || nombre == QLatin1String("eof")) {
                sección = nombre;
                sentencia =
                    QStringLiteral("insert into imp_%1 values (%2)")
                        .arg(nombre,
                             QStringList(columnas.value(nombre), QStringLiteral("?")).join(u','));
                continue;
            }
        }
        if (sección == QLatin1String("eof")) continue;
        if (sección.isEmpty())
            return falla(QStringLiteral("hay datos antes del primer encabezado de sección"));
        Reemplazar(línea, QStringLiteral("  "), QStringLiteral(" "));
        if (!LeerListaValores(línea, valores, motivo)) return falla(motivo);
        if (valores.size() != columnas.value(sección))
            return falla(QStringLiteral("hay %1 valores y la sección [%2] lleva %3")
                             .arg(valores.size())
                             .arg(sección)
                             .arg(columnas.value(sección)));
        if (valores.at(0).isNull()) return falla(QStringLiteral("falta el país del documento"));
        if (!valores.at(0).canConvert<qlonglong>() ||
            valores.at(0).metaType().id() == QMetaType::QString)
            return falla(QStringLiteral("el país del documento no es un número"));
        valores[1] = ValorTexto(VacíoSiNulo(valores.at(1)));  // documents are kept trimmed
        d.ejecutar(sentencia, valores);
    }
    t.confirmar();
    return true;
}

namespace {

enum class Conversión { TalCual, Localidad, Barrio };

struct Mapeo {
    const char* origen;
    const char* destino;
    Conversión conversión = Conversión::TalCual;
};

// Staged applicant columns and the applicant columns they overwrite.
const Mapeo kMapeo[] = {
    {"Nombre", "nombre"},
    {"Apellido", "apellido"},
    {"Apellido_Materno", "apellido_materno"},
    {"Sexo", "sexo"},
    {"nac_dia", "nac_dia"},
    {"Nac_Mes", "nac_mes"},
    {"nac_ano", "nac_ano"},
    {"nac_localidad", "nac_localidad", Conversión::Localidad},
    {"nac_provincia", "nac_provincia"},
    {"nac_pais", "nac_pais"},
    {"nacionalidad1", "nacionalidad"},
    {"estado_civil", "estado_civil"},
    {"tiene_hijos", "tiene_hijos"},
    {"res_calle", "res_calle"},
    {"res_barrio", "res_barrio", Conversión::Barrio},
    {"res_localidad", "res_localidad", Conversión::Localidad},
    {"res_provincia", "res_provincia"},
    {"res_pais", "res_pais"},
    {"res_cp", "res_cp"},
    {"Tel1_tipo", "tel1_tipo"},
    {"Tel1_numero", "tel1_numero"},
    {"Tel1_desde", "tel1_desde"},
    {"Tel1_hasta", "tel1_hasta"},
    {"Tel2_tipo", "tel2_tipo"},
    {"Tel2_numero", "tel2_numero"},
    {"Tel2_desde", "tel2_desde"},
    {"Tel2_hasta", "tel2_hasta"},
    {"Tel3_tipo", "tel3_tipo"},
    {"tel3_numero", "tel3_numero"},
    {"tel3_desde", "tel3_desde"},
    {"tel3_hasta", "tel3_hasta"},
    {"email", "email"},
    {"sec_area", "formsec_orientacion"},
    {"sec_instituto", "formsec_instituto"},
    {"sec_estado", "formsec_estado"},
    {"sec_completos", "formsec_completos"},
    {"conocimientos", "conocimientos"},
    {"remun_mes", "remun_mensual"},
    {"Remun_hora", "remun_hora"},
    {"Obra_social", "obra_social"},
    {"tiques", "tiques_almuerzo"},
    {"dependencia", "relacion_dependencia"},
    {"Viajar", "viajar"},
    {"Emigrar", "emigrar"},
    {"disp_dias", "disp_semanal"},
    {"disp_horas", "disp_horaria"},
    {"Estatura", "estatura"},
    {"med_a", "med_a"},
    {"med_b", "med_b"},
    {"med_c", "med_c"},
    {"referencia", "referencia"},
    {"actualizado", "fecha_ingreso"},
};

const QString& SentenciaActualizar() {
    static const QString sql = [] {
        QStringList a;
        for (const Mapeo& m : kMapeo) a << QLatin1String(m.destino) + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE nvx_m_postulantes SET ") + a.join(QStringLiteral(", ")) +
               QStringLiteral(
                   ", activo = 1, actualizado = CASE WHEN coalesce(actualizado, '') > "
                   "candora_ahora() THEN actualizado ELSE candora_ahora() END WHERE id = ?");
    }();
    return sql;
}

// Merges one staged applicant after another; lookup names are cached for the run.
class Fusión {
  public:
    explicit Fusión(Diccionario& d) : d_(d) {}

    // The id of a name in a lookup list, found or added (0 for a blank name).
    QVariant porNombre(const char* tabla, const QVariant& nombre) {
        const QString n = VacíoSiNulo(nombre);
        if (n.trimmed().isEmpty()) return 0;
        const QString clave = QLatin1String(tabla) + u'\t' + n;
        auto it = caché_.constFind(clave);
        if (it != caché_.cend()) return *it;
        const int32_t id = d_.Nuevo_Elemento(QLatin1String(tabla), n);
        caché_.insert(clave, id);
        return id;
    }

    // Inserts a detail row unless the applicant already has one just like it
    // (a new applicant has none).
    void agregar(const char* tabla, const QStringList& columnas, const QVariantList& valores,
                 bool nuevo) {
        auto it = sentencias_.find(tabla);
        if (it == sentencias_.end()) {
            QStringList condición;
            for (const QString& c : columnas) condición << c + QStringLiteral(" IS ?");
            const QString t = QLatin1String(tabla);
            it = sentencias_.insert(
                tabla, {QStringLiteral("select 1 from %1 where %2 limit 1")
                            .arg(t, condición.join(QStringLiteral(" and "))),
                        QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(t, columnas.join(u','),
                                 QStringList(columnas.size(), QStringLiteral("?")).join(u','))});
        }
        if (!nuevo && d_.valorÚnico(it->first, valores).isValid()) return;
        d_.ejecutar(it->second, valores);
    }

    // A title written as a number is a title id; any other text is a title name.
    QVariant título(const QVariant& v) {
        bool ok = false;
        const int id = VacíoSiNulo(v).trimmed().toInt(&ok);
        return ok && id > 0 ? QVariant(id) : porNombre("nvx_m_titulos", v);
    }

    Diccionario& d_;

  private:
    QHash<QString, int32_t> caché_;
    QHash<const char*, std::pair<QString, QString>>
        sentencias_;  // look-up and insert per detail table
};

QVariant Real(const QVariant& v) {
    if (v.isNull()) return QVariant(QMetaType::fromType<double>());
    bool ok = false;
    const double x = v.toDouble(&ok);
    return ok ? QVariant(RedondearSimple(x)) : QVariant(QMetaType::fromType<double>());
}

}  // namespace

bool cImportador::fusionar() {
    Diccionario& d = almacén();
    const int total = d.valorÚnico(QStringLiteral("select count(*) from imp_postulantes")).toInt();
    if (total == 0) {
        Avisar(QStringLiteral("No hay nada que importar. El archivo de intercambio está vacío."),
               Icono::Información);
        return true;
    }
    if (alEmpezar) alEmpezar(total);
    Fusión f(d);
    // Applicants are committed a few hundred at a time, each inside its own
    // savepoint: a failing applicant is undone alone and the ones before it
    // stay merged; a killed process loses at most the open group, never half
    // an applicant.
    std::optional<Transaccion> grupo;
    int enGrupo = 0;
    const auto confirmarGrupo = [&] {
        if (grupo) grupo->confirmar();
        grupo.reset();
        enGrupo = 0;
    };
    const QString porDocumento =
        QStringLiteral(" where doc_pais = ? and doc_numero = ? order by rowid");
    qint64 último = 0;
    for (;;) {
        // Staged applicants a few hundred at a time, so memory stays flat.
        auto lote = d.AbrirRS(QStringLiteral("select rowid as candora_fila, * from imp_postulantes "
                                             "where rowid > ? order by rowid limit 500"),
                              {último});
        if (lote->eof()) break;
        for (; !lote->eof(); lote->MoveNext()) {
            último = lote->entero(QStringLiteral("candora_fila"));
            if (lote->esNulo(QStringLiteral("Apellido"))) {
                ++Cnt_Vacíos;
                if (alAvanzar) alAvanzar();
                continue;
            }
            const QVariant país = lote->valor(QStringLiteral("doc_pais"));
            const QVariant número = lote->valor(QStringLiteral("doc_numero"));
            try {
                if (!grupo) grupo.emplace(d);
                Transaccion t(d);
                const QVariant hallado =
                    d.valorÚnico(QStringLiteral("select id FROM nvx_m_postulantes where dni_pais = "
                                                "? and dni_numero = ? order by id"),
                                 {país, número});
                const bool nuevo = !hallado.isValid();
                int32_t id = hallado.toInt();
                if (nuevo) {
                    id = d.PróximoID(QStringLiteral("nvx_m_postulantes"));
                    if (id == 0) {  // the user has been told
                        t.confirmar();
                        confirmarGrupo();
                        return false;
                    }
                    d.LimpiarPostulante(id);  // refuses a key that already has an applicant
                    d.ejecutar(QStringLiteral("insert INTO nvx_m_postulantes "
                                              "(id,dni_pais,dni_numero,actualizado) values "
                                              "(?,?,?,candora_ahora())"),
                               {id, país, número});
                }
                QVariantList v;
                for (const Mapeo& m : kMapeo) {
                    const QVariant x = lote->valor(QLatin1String(m.origen));
                    v << (m.conversión == Conversión::Localidad
                              ? f.porNombre("nvx_m_localidades", x)
                          : m.conversión == Conversión::Barrio ? f.porNombre("nvx_m_barrios", x)
                                                               : x);
                }
                v << id;
                if (d.ejecutar(SentenciaActualizar(), v) != 1)
                    throw ErrorAlmacen(
                        QStringLiteral("No se pudo actualizar el postulante número %1.").arg(id));

                const QVariantList doc{país, número};
                for (auto r = d.AbrirRS(
                         QStringLiteral("select * from imp_formacion") + porDocumento, doc);
                     !r->eof(); r->MoveNext())
                    f.agregar(
                        "nvx_d_formacion",
                        {"postulante", "nivel", "area", "titulo", "institucion", "estado",
                         "materias_aprobadas", "materias_restantes", "promedio", "ingreso",
                         "ultimo", "completos"},
                        {id, r->valor(QStringLiteral("Tipo")), r->valor(QStringLiteral("area")),
                         f.título(r->valor(QStringLiteral("titulo"))),
                         f.porNombre("nvx_m_formacion_institutos",
                                     r->valor(QStringLiteral("instituto"))),
                         r->valor(QStringLiteral("estado")), r->valor(QStringLiteral("aprobadas")),
                         r->valor(QStringLiteral("restantes")),
                         Real(r->valor(QStringLiteral("Promedio"))),
                         r->valor(QStringLiteral("ingreso")), r->valor(QStringLiteral("ultimo")),
                         r->valor(QStringLiteral("completos"))},
                        nuevo);
                for (auto r =
                         d.AbrirRS(QStringLiteral("select * from imp_idiomas") + porDocumento, doc);
                     !r->eof(); r->MoveNext())
                    f.agregar(
                        "nvx_d_idiomas", {"postulante", "idioma", "habla", "lee", "escribe"},
                        {id, r->valor(QStringLiteral("Idioma")), r->valor(QStringLiteral("Habla")),
                         r->valor(QStringLiteral("Lee")), r->valor(QStringLiteral("Escribe"))},
                        nuevo);
                for (auto r = d.AbrirRS(
                         QStringLiteral("select * from imp_experiencia") + porDocumento, doc);
                     !r->eof(); r->MoveNext())
                    f.agregar(
                        "nvx_d_experiencia",
                        {"postulante", "area", "puesto", "empleador", "empleador_rubro",
                         "actividades", "ingreso_mes", "ingreso_ano", "egreso_mes", "egreso_ano",
                         "empleo_actual", "gente_acargo", "motivo_egreso", "remuneracion"},
                        {id, r->valor(QStringLiteral("area")), r->valor(QStringLiteral("puesto")),
                         f.porNombre("nvx_m_empleadores", r->valor(QStringLiteral("empleador"))),
                         f.porNombre("nvx_m_empleadores_rubros", r->valor(QStringLiteral("rubro"))),
                         ValorTexto(r->texto(QStringLiteral("tareas"))),
                         r->valor(QStringLiteral("ingreso_mes")),
                         r->valor(QStringLiteral("ingreso_ano")),
                         r->valor(QStringLiteral("egreso_mes")),
                         r->valor(QStringLiteral("egreso_ano")), r->valor(QStringLiteral("actual")),
                         r->valor(QStringLiteral("Acargo")), r->valor(QStringLiteral("motivo")),
                         Real(r->valor(QStringLiteral("remun")))},
                        nuevo);
                for (const char* c : {"interes1", "interes2", "interes3"}) {
                    const QVariant área = lote->valor(QLatin1String(c));
                    if (!área.isNull() && área.toLongLong() != 0)
                        f.agregar("nvx_d_interes", {"postulante", "area"}, {id, área}, nuevo);
                }
                d.ejecutar(QStringLiteral("delete from imp_postulantes where rowid = ?"), {último});
                for (const char* s : {"imp_formacion", "imp_idiomas", "imp_experiencia"})
                    d.ejecutar(
                        QStringLiteral("delete from %1 where doc_pais = ? and doc_numero = ?")
                            .arg(QLatin1String(s)),
                        doc);
                t.confirmar();
                ++(nuevo ? Cnt_Postulantes : cnt_Actualizados);
                if (++enGrupo == 250) confirmarGrupo();
            } catch (const ErrorAlmacen& e) {
                try {
                    confirmarGrupo();
                } catch (const ErrorAlmacen&) {
                    grupo.reset();  // the store refused even the earlier ones: all undone
                    Cnt_Postulantes = cnt_Actualizados = 0;
                }
                Avisar(
                    QStringLiteral("La importación se detuvo en el postulante con documento %1 %2: "
                                   "se importaron "
                                   "%3 postulantes nuevos y se actualizaron %4 antes de él.\n\n%5")
                        .arg(VacíoSiNulo(país), VacíoSiNulo(número))
                        .arg(Cnt_Postulantes)
                        .arg(cnt_Actualizados)
                        .arg(e.textoUsuario()),
                    Icono::Crítico);
                return false;
            }
            if (alAvanzar) alAvanzar();
        }
    }
    confirmarGrupo();
    return true;
}
