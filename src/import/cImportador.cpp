#include "import/cImportador.h"

#include "duplicates/Duplicados.h"
#include "import/Intercambio.h"
#include "privacy/Auditoria.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Palabras.h"
#include "store/Rangos.h"
#include "store/Valores.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

namespace {

void Avisar(const QString& texto, Icono icono) {
    MsgBox(texto, icono);
}

// True when the file is UTF-8: it starts with a byte-order mark, or it has bytes
// past ASCII and all of them form UTF-8 sequences (windows-1252 text with
// accents practically never does). The file is left at its start. Checked by
// hand: Qt 6.4's UTF-8 decoder does not report a malformed sequence.
bool EsUtf8(QIODevice& f) {
    if (f.peek(3) == QByteArray("\xEF\xBB\xBF")) return true;
    bool multibyte = false, válido = true;
    int faltan = 0;
    uchar mín = 0x80, máx = 0xBF;
    QByteArray bloque;
    while (válido && !(bloque = f.read(1 << 20)).isEmpty()) {
        for (const char c : bloque) {
            const auto b = uchar(c);
            if (faltan > 0) {
                if (b < mín || b > máx) {
                    válido = false;
                    break;
                }
                mín = 0x80;
                máx = 0xBF;
                --faltan;
            } else if (b >= 0x80) {
                multibyte = true;
                // Lead bytes; the first continuation byte's range rules out overlong
                // forms, surrogates and code points past U+10FFFF.
                if (b >= 0xC2 && b <= 0xDF) {
                    faltan = 1;
                } else if (b >= 0xE0 && b <= 0xEF) {
                    faltan = 2;
                    if (b == 0xE0) mín = 0xA0;
                    if (b == 0xED) máx = 0x9F;
                } else if (b >= 0xF0 && b <= 0xF4) {
                    faltan = 3;
                    if (b == 0xF0) mín = 0x90;
                    if (b == 0xF4) máx = 0x8F;
                } else {
                    válido = false;
                    break;
                }
            }
        }
    }
    f.seek(0);
    return válido && multibyte && faltan == 0;
}

// The file read line by line, CR LF or LF, as UTF-8 or as windows-1252.
class Lector {
  public:
    explicit Lector(QFile& f) : f_(f), utf8_(EsUtf8(f)) {}
    // False at the end of the file.
    bool siguiente(QString& línea) {
        if (f_.atEnd()) return false;
        QByteArray b = f_.readLine();
        if (b.endsWith('\n')) b.chop(1);
        if (b.endsWith('\r')) b.chop(1);
        if (número_ == 0 && b.startsWith("\xEF\xBB\xBF")) b.remove(0, 3);
        línea = utf8_ ? QString::fromUtf8(b) : DesdeWindows1252(b);
        ++número_;
        return true;
    }
    int número() const { return número_; }
    int porcentaje() const { return f_.size() > 0 ? int(100 * f_.pos() / f_.size()) : 100; }

  private:
    QFile& f_;
    bool utf8_;
    int número_ = 0;
};

enum class Conversión { TalCual, PorNombre, Título, Real, Texto };

struct Mapeo {
    const char* origen;
    const char* destino;
    Conversión conversión = Conversión::TalCual;
    const char* lista = nullptr;  // the lookup list of a name
};

// Staged applicant columns and the applicant columns they overwrite.
const Mapeo kPostulante[] = {
    {"Nombre", "nombre"},
    {"Apellido", "apellido"},
    {"Apellido_Materno", "apellido_materno"},
    {"Sexo", "sexo"},
    {"nac_dia", "nac_dia"},
    {"Nac_Mes", "nac_mes"},
    {"nac_ano", "nac_ano"},
    {"nac_localidad", "nac_localidad", Conversión::PorNombre, "nvx_m_localidades"},
    {"nac_provincia", "nac_provincia"},
    {"nac_pais", "nac_pais"},
    {"nacionalidad1", "nacionalidad"},
    {"estado_civil", "estado_civil"},
    {"tiene_hijos", "tiene_hijos"},
    {"res_calle", "res_calle"},
    {"res_barrio", "res_barrio", Conversión::PorNombre, "nvx_m_barrios"},
    {"res_localidad", "res_localidad", Conversión::PorNombre, "nvx_m_localidades"},
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

// Staged detail columns and the columns of the detail rows they become.
const Mapeo kFormación[] = {
    {"Tipo", "nivel"},
    {"area", "area"},
    {"titulo", "titulo", Conversión::Título},
    {"instituto", "institucion", Conversión::PorNombre, "nvx_m_formacion_institutos"},
    {"estado", "estado"},
    {"aprobadas", "materias_aprobadas"},
    {"restantes", "materias_restantes"},
    {"Promedio", "promedio", Conversión::Real},
    {"ingreso", "ingreso"},
    {"ultimo", "ultimo"},
    {"completos", "completos"},
};
const Mapeo kIdiomas[] = {
    {"Idioma", "idioma"}, {"Habla", "habla"}, {"Lee", "lee"}, {"Escribe", "escribe"}};
const Mapeo kExperiencia[] = {
    {"area", "area"},
    {"puesto", "puesto"},
    {"empleador", "empleador", Conversión::PorNombre, "nvx_m_empleadores"},
    {"rubro", "empleador_rubro", Conversión::PorNombre, "nvx_m_empleadores_rubros"},
    {"tareas", "actividades", Conversión::Texto},
    {"ingreso_mes", "ingreso_mes"},
    {"ingreso_ano", "ingreso_ano"},
    {"egreso_mes", "egreso_mes"},
    {"egreso_ano", "egreso_ano"},
    {"actual", "empleo_actual"},
    {"Acargo", "gente_acargo"},
    {"motivo", "motivo_egreso"},
    {"remun", "remuneracion", Conversión::Real},
};

struct Sección {
    const char* nombre;  // of the file's header and of its staging table, "imp_" + nombre
    const char* tabla;   // the table its rows become
    std::span<const Mapeo> mapeo;
};
const Sección kSecciones[] = {
    {"postulantes", "nvx_m_postulantes", kPostulante},
    {"formacion", "nvx_d_formacion", kFormación},
    {"idiomas", "nvx_d_idiomas", kIdiomas},
    {"experiencia", "nvx_d_experiencia", kExperiencia},
};

const Mapeo* MapeoDe(const Sección& s, const QString& columna) {
    for (const Mapeo& m : s.mapeo)
        if (columna.compare(QLatin1String(m.origen), Qt::CaseInsensitive) == 0) return &m;
    return nullptr;
}

bool EsNúmero(const QVariant& v) {
    const int t = v.metaType().id();
    return t == QMetaType::LongLong || t == QMetaType::Double;
}

// "yyyymmdd", "yyyymmddhhnn" or "yyyymmddhhnnss", a real date and time.
bool FechaHoraVálida(const QString& t) {
    static const QRegularExpression cifras(QStringLiteral("^\\d{8}(\\d{4}(\\d{2})?)?$"));
    if (!cifras.match(t).hasMatch()) return false;
    const QString completa = t + QString(14 - t.size(), u'0');
    return QDateTime::fromString(completa, QStringLiteral("yyyyMMddHHmmss")).isValid();
}

// Checks one staged line's values, turning numbers into texts where the column
// holds text; why it cannot be staged, or "".
class Verificador {
  public:
    explicit Verificador(Diccionario& d) : d_(d) {}

    QString verificar(const Sección& s, const QStringList& columnas, QVariantList& valores) {
        for (qsizetype i = 0; i < valores.size(); ++i)
            if (QString m = valor(s, columnas.at(i), valores[i]); !m.isEmpty()) {
                // Named as the file's format spells it (a server folds names to lower case).
                const Mapeo* mapeo = MapeoDe(s, columnas.at(i));
                return QStringLiteral("la columna «%1» %2")
                    .arg(mapeo ? QLatin1String(mapeo->origen) : columnas.at(i), m);
            }
        if (s.tabla == QLatin1String("nvx_m_postulantes")) {
            const auto parte = [&](const char* c) {
                for (qsizetype i = 0; i < columnas.size(); ++i)
                    if (columnas.at(i).compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
                        return valores.at(i).toInt();
                return 0;
            };
            const int día = parte("nac_dia"), mes = parte("Nac_Mes"), año = parte("nac_ano");
            if (!FechaPosible(día, mes, año))
                return QStringLiteral("la fecha de nacimiento %1/%2/%3 no existe")
                    .arg(día)
                    .arg(mes)
                    .arg(año);
        }
        return {};
    }

  private:
    QString valor(const Sección& s, const QString& columna, QVariant& v) {
        const auto es = [&](const char* nombre) {
            return columna.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0;
        };
        if (v.metaType().id() == QMetaType::QString) {
            const QString t = v.toString();
            const bool nota = es("conocimientos") || es("tareas");
            for (const QChar c : t)
                if ((c.unicode() < 0x20 && c != u'\t' && !(nota && c == u'\r')) ||
                    (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                    return QStringLiteral(
                               "tiene un carácter de control (código %1), que no puede "
                               "ser parte de un texto")
                        .arg(c.unicode());
        }
        if (es("doc_pais")) {
            if (v.isNull()) return QStringLiteral("no tiene el país del documento");
            return código(RangoDe(QStringLiteral("nvx_m_postulantes"), QStringLiteral("dni_pais")),
                          v, true);
        }
        if (es("doc_numero")) {
            v = ValorTexto(VacíoSiNulo(v));  // documents are kept trimmed
            return v.isNull() ? QStringLiteral(
                                    "no tiene el número de documento, sin el cual el "
                                    "postulante no se puede reconocer")
                              : QString();
        }
        const Mapeo* m = MapeoDe(s, columna);
        const Rango* r =
            m && (m->conversión == Conversión::TalCual || m->conversión == Conversión::Real)
                ? RangoDe(QLatin1String(s.tabla), QLatin1String(m->destino))
                : nullptr;
        if (!r && s.tabla == QLatin1String("nvx_m_postulantes") &&
            columna.startsWith(QLatin1String("interes"), Qt::CaseInsensitive))
            r = RangoDe(QStringLiteral("nvx_d_interes"), QStringLiteral("area"));
        if (r) return código(r, v, false);
        if (m && m->conversión == Conversión::Título) {  // a number is a title id: it must exist
            bool ok = false;
            QVariant id = VacíoSiNulo(v).trimmed().toLongLong(&ok);
            if (ok && id.toLongLong() > 0)
                return código(RangoDe(QLatin1String(s.tabla), QLatin1String(m->destino)), id, true);
        }
        if (EsNúmero(v)) v = v.toString();  // a number written bare in a text column
        const QString t = VacíoSiNulo(v);
        if (m && QLatin1String(m->destino) == QLatin1String("fecha_ingreso") && !t.isEmpty() &&
            !FechaHoraVálida(t))
            return QStringLiteral("tiene «%1», que no es una fecha (aaaammdd o aaaammddhhnnss)")
                .arg(t);
        static const QRegularExpression hora(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d$"));
        const QByteArray destino = m ? QByteArray(m->destino) : QByteArray();
        if ((destino.endsWith("_desde") || destino.endsWith("_hasta")) && !t.isEmpty() &&
            !hora.match(t).hasMatch())
            return QStringLiteral("tiene «%1», que no es una hora (hh:mm)").arg(t);
        return {};
    }

    // A code or number within its column's range; a code of a list, one of its items.
    QString código(const Rango* r, QVariant& v, bool exigido) {
        if (v.isNull()) return {};
        if (v.metaType().id() == QMetaType::QString) {  // a number written as a text
            bool ok = false;
            const double x = v.toString().trimmed().toDouble(&ok);
            if (!ok)
                return QStringLiteral("tiene «%1» y debe ser %2")
                    .arg(v.toString(), DescripciónRango(*r));
            v = x == std::floor(x) && std::abs(x) < 1e15 ? QVariant(qlonglong(x)) : QVariant(x);
        }
        if (const QString fuera = FueraDeRango(*r, v); !fuera.isEmpty())
            return QStringLiteral("(%1) tiene %2 y %3").arg(NombreRango(*r), v.toString(), fuera);
        const qint64 id = v.toLongLong();
        if (!r->lista || (id == 0 && !exigido)) return {};
        if (!ids(r->lista).contains(id))
            return QStringLiteral("(%1) tiene el código %2, que no está en la lista")
                .arg(NombreRango(*r))
                .arg(id);
        return {};
    }

    const QSet<qint64>& ids(const char* lista) {
        auto it = listas_.find(lista);
        if (it == listas_.end()) {
            QSet<qint64> s;
            for (auto rs =
                     d_.AbrirRS(QStringLiteral("select id from %1").arg(QLatin1String(lista)));
                 !rs->eof(); rs->MoveNext())
                s.insert(rs->entero(0));
            it = listas_.insert(lista, s);
        }
        return *it;
    }

    Diccionario& d_;
    QHash<const char*, QSet<qint64>> listas_;
};

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
// section, or holds a value its column cannot take, stops the run with nothing
// staged and nothing merged.
bool cImportador::preparar() {
    Diccionario& d = Almacén();
    QFile f(Archivo);
    if (!f.open(QIODevice::ReadOnly)) {
        Avisar(QStringLiteral("No se puede leer el archivo de intercambio «%1».").arg(Archivo),
               Icono::Exclamación);
        return false;
    }
    // Staging belongs to this connection: an import elsewhere never sees these rows.
    d.PrepararTablasImportación();
    Transaccion t(d, Transaccion::Bloqueo::Diferido);
    for (const Sección& s : kSecciones)
        d.ejecutar(QStringLiteral("delete from imp_") + QLatin1String(s.nombre));

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

    QHash<QString, QStringList> columnas;
    for (const Sección& s : kSecciones)
        columnas.insert(QLatin1String(s.nombre),
                        d.NombresColumnas(QStringLiteral("imp_") + QLatin1String(s.nombre)));
    Verificador verificador(d);
    const Sección* sección = nullptr;
    bool fin = false;  // under [eof]
    // Checked rows go to the staging a few thousand at a time, in one bulk copy.
    std::vector<QVariantList> filas;
    const auto copiar = [&] {
        if (sección)
            d.copiar(QStringLiteral("imp_") + QLatin1String(sección->nombre),
                     columnas[QLatin1String(sección->nombre)], filas);
        filas.clear();
    };
    QVariantList valores;
    QString motivo;
    while (lector.siguiente(línea) && !línea.isEmpty()) {
        if (alPreparar && lector.número() % 2000 == 0) alPreparar(lector.porcentaje());
        if (línea.size() > 2 && línea.startsWith(u'[') && línea.endsWith(u']')) {
            const QString nombre = línea.mid(1, línea.size() - 2);
            const auto s =
                std::find_if(std::begin(kSecciones), std::end(kSecciones),
                             [&](const Sección& x) { return nombre == QLatin1String(x.nombre); });
            if (s != std::end(kSecciones) || nombre == QLatin1String("eof")) {
                copiar();
                fin = s == std::end(kSecciones);
                sección = fin ? nullptr : &*s;
                continue;
            }
        }
        if (fin) continue;
        if (!sección)
            return falla(QStringLiteral("hay datos antes del primer encabezado de sección"));
        const QStringList& nombres = columnas[QLatin1String(sección->nombre)];
        // Every run of blanks reads as one, inside texts too.
        if (!LeerListaValores(ColapsarBlancos(línea), valores, motivo)) return falla(motivo);
        if (valores.size() != nombres.size())
            return falla(QStringLiteral("hay %1 valores y la sección [%2] lleva %3")
                             .arg(valores.size())
                             .arg(QLatin1String(sección->nombre))
                             .arg(nombres.size()));
        if (const QString m = verificador.verificar(*sección, nombres, valores); !m.isEmpty())
            return falla(m);
        filas.push_back(valores);
        if (filas.size() == 5000) copiar();
    }
    copiar();
    t.confirmar();
    if (alPreparar) alPreparar(100);
    return true;
}

namespace {

const QString& SentenciaActualizar() {
    static const QString sql = [] {
        QStringList a;
        for (const Mapeo& m : kPostulante) a << QLatin1String(m.destino) + QStringLiteral(" = ?");
        return QStringLiteral("UPDATE nvx_m_postulantes SET ") + a.join(QStringLiteral(", ")) +
               QStringLiteral(
                   ", activo = 1, actualizado = CASE WHEN coalesce(actualizado, '') > "
                   "candora_ahora() THEN actualizado ELSE candora_ahora() END WHERE id = ?");
    }();
    return sql;
}

// A new applicant's row, whole: one row version, its indexes written once.
const QString& SentenciaAlta() {
    static const QString sql = [] {
        QStringList c;
        for (const Mapeo& m : kPostulante) c << QLatin1String(m.destino);
        return QStringLiteral(
                   "insert into nvx_m_postulantes (%1, id, dni_pais, dni_numero, "
                   "activo, actualizado) values (%2, ?, ?, ?, 1, candora_ahora())")
            .arg(c.join(QStringLiteral(", ")),
                 QStringList(c.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    }();
    return sql;
}

QVariant Real(const QVariant& v) {
    if (v.isNull()) return QVariant(QMetaType::fromType<double>());
    bool ok = false;
    const double x = v.toDouble(&ok);
    return ok ? QVariant(RedondearSimple(x)) : QVariant(QMetaType::fromType<double>());
}

// "documento 40111222 de Argentina"; the country's name is left out when the
// store cannot say it (the run may have stopped because the store failed).
QString TextoDocumento(Diccionario& d, const QVariant& país, const QVariant& número) {
    QString t = QStringLiteral("documento ") + VacíoSiNulo(número).trimmed();
    try {
        const QString nombre = d.NombreElemento(QStringLiteral("nvx_m_paises"), país.toInt());
        if (!nombre.isEmpty()) t += QStringLiteral(" de ") + nombre;
    } catch (const ErrorAlmacen&) {
    }
    return t;
}

// "se importaron 3 postulantes nuevos y se actualizó 1", the counts as the user reads them.
QString ImportadosYActualizados(int32_t nuevos, int32_t actualizados) {
    return SegúnCantidad(nuevos, QStringLiteral("se importó"), QStringLiteral("se importaron")) +
           u' ' +
           TextoCantidad(nuevos, QStringLiteral("postulante nuevo"),
                         QStringLiteral("postulantes nuevos")) +
           QStringLiteral(" y ") +
           SegúnCantidad(actualizados, QStringLiteral("se actualizó"),
                         QStringLiteral("se actualizaron")) +
           u' ' + LocaleVisible().toString(actualizados);
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

    // A staged value as its column stores it.
    QVariant convertir(const Mapeo& m, const QVariant& v) {
        switch (m.conversión) {
            case Conversión::PorNombre:
                return porNombre(m.lista, v);
            case Conversión::Título: {
                // A title written as a number is a title id; any other text is a title name.
                bool ok = false;
                const int id = VacíoSiNulo(v).trimmed().toInt(&ok);
                return ok && id > 0 ? QVariant(id) : porNombre("nvx_m_titulos", v);
            }
            case Conversión::Real:
                return Real(v);
            case Conversión::Texto:
                return ValorTexto(VacíoSiNulo(v));
            case Conversión::TalCual:
                break;
        }
        return v;
    }

    // Reads what the merge of the staged applicants in (desde, hasta] needs, a
    // statement for all of them: the applicant already on file for each document,
    // and the staged detail rows of each section with the staged applicant that
    // owns them (the store matches documents as it compares texts).
    void leerLote(qint64 desde, qint64 hasta) {
        hallados_.clear();
        for (auto rs = d_.AbrirRS(
                 QStringLiteral("select p.rowid, min(m.id) from imp_postulantes p join "
                                "nvx_m_postulantes m on m.dni_pais = p.doc_pais and m.dni_numero "
                                "= p.doc_numero where p.rowid > ? and p.rowid <= ? group by "
                                "p.rowid"),
                 {desde, hasta});
             !rs->eof(); rs->MoveNext())
            hallados_.insert(rs->entero(0), int32_t(rs->entero(1)));
        // A document staged twice in the lot is looked up when its turn comes: the
        // first may have just added it.
        repetidos_.clear();
        for (auto rs = d_.AbrirRS(
                 QStringLiteral("select p.rowid from imp_postulantes p where p.rowid > ? and "
                                "p.rowid <= ? and exists (select 1 from imp_postulantes q where "
                                "q.doc_pais = p.doc_pais and q.doc_numero = p.doc_numero and "
                                "q.rowid > ? and q.rowid < p.rowid)"),
                 {desde, hasta, desde});
             !rs->eof(); rs->MoveNext())
            repetidos_.insert(rs->entero(0));
        for (size_t k = 0; k < std::size(detalles_); ++k) {
            Detalles& x = detalles_[k];
            x.filas = d_.AbrirRS(
                QStringLiteral("select p.rowid as candora_dueno, x.rowid as candora_fila, x.* "
                               "from imp_%1 x join imp_postulantes p on p.doc_pais = x.doc_pais "
                               "and p.doc_numero = x.doc_numero where p.rowid > ? and p.rowid <= "
                               "? order by x.rowid")
                    .arg(QLatin1String(kSecciones[k + 1].nombre)),
                {desde, hasta});
            x.porDueño.clear();
            for (; !x.filas->eof(); x.filas->MoveNext())
                x.porDueño[x.filas->entero(0)].push_back(x.filas->AbsolutePosition());
        }
    }

    // While a group is merged in one go, new applicants' rows wait and go
    // together, a few statements for the whole group (see vaciar).
    bool enBloque = true;

    // Adds a new applicant's row.
    void alta(const QVariantList& valores) { insertar(SentenciaAlta(), valores); }

    // Sends the rows waiting, table by table in the order they came, many rows to
    // a statement (a handful of statement sizes, so each stays prepared).
    void vaciar() {
        for (Pendientes& p : pendientes_) {
            const qsizetype corte = p.inserción.lastIndexOf(QLatin1String(" values ")) + 8;
            const QString principio = p.inserción.left(corte), fila = p.inserción.mid(corte);
            for (qsizetype i = 0; i < p.filas.size();) {
                qsizetype n = 128;
                while (n > p.filas.size() - i) n /= 2;
                QVariantList valores;
                for (qsizetype j = i; j < i + n; ++j) valores << p.filas.at(j);
                d_.encolar(principio + QStringList(n, fila).join(QStringLiteral(", ")), valores);
                i += n;
            }
            p.filas.clear();
        }
    }

    // Forgets everything of a group that was undone: names added in it, rows taken.
    void olvidar() {
        for (Pendientes& p : pendientes_) p.filas.clear();
        caché_.clear();
        for (Detalles& x : detalles_) {
            x.tomadas.clear();
            x.enCurso.clear();
        }
        for (QList<qint64>& filas : porBorrar_) filas.clear();
    }

    // The applicant on file with the document of the staged applicant `fila`;
    // invalid when there is none.
    QVariant hallado(qint64 fila, const QVariantList& documento) {
        if (repetidos_.contains(fila)) vaciar();  // the first of the two may be waiting
        if (repetidos_.contains(fila))
            return d_.valorÚnico(QStringLiteral("select id FROM nvx_m_postulantes where "
                                                "dni_pais = ? and dni_numero = ? order by id"),
                                 documento);
        const auto it = hallados_.constFind(fila);
        return it == hallados_.cend() ? QVariant() : QVariant(*it);
    }

    // The staged rows of a merged applicant leave the staging with the group it
    // was committed in, a statement for many rows.
    void confirmado(qint64 fila) {
        porBorrar_[0] << fila;
        for (size_t k = 0; k < std::size(detalles_); ++k) {
            porBorrar_[k + 1] << detalles_[k].enCurso;
            detalles_[k].enCurso.clear();
        }
    }
    void descartado() {
        for (Detalles& x : detalles_) {
            for (const qint64 fila : std::as_const(x.enCurso)) x.tomadas.remove(fila);
            x.enCurso.clear();
        }
    }
    void borrarConfirmados() {
        for (size_t k = 0; k < std::size(porBorrar_); ++k) {
            QList<qint64>& filas = porBorrar_[k];
            for (qsizetype i = 0; i < filas.size(); i += 500) {
                const qsizetype n = std::min<qsizetype>(500, filas.size() - i);
                QVariantList valores;
                for (qsizetype j = i; j < i + n; ++j) valores << filas.at(j);
                d_.encolar(QStringLiteral("delete from imp_%1 where rowid in (%2)")
                               .arg(QLatin1String(kSecciones[k].nombre),
                                    QStringList(n, QStringLiteral("?")).join(u',')),
                           valores);
            }
            filas.clear();
        }
    }

    // Adds the staged rows of every section for the staged applicant `fila`, each
    // unless the applicant already has one just like it (a new applicant has none).
    // A row goes to the first staged applicant of its document only, as the rows
    // are taken off the staging when an applicant is merged.
    void agregarDetalles(int32_t id, qint64 fila, bool nuevo) {
        for (size_t k = 0; k < std::size(detalles_); ++k) {
            Detalles& x = detalles_[k];
            for (const int posición : x.porDueño.value(fila)) {
                x.filas->Move(posición);
                if (x.tomadas.contains(x.filas->entero(1))) continue;
                x.tomadas.insert(x.filas->entero(1));
                x.enCurso << x.filas->entero(1);
                agregarDetalle(kSecciones[k + 1], id, *x.filas, nuevo);
            }
        }
    }

  private:
    void agregarDetalle(const Sección& s, int32_t id, const Recordset& r, bool nuevo) {
        const QString tabla = QLatin1String(s.tabla);
        auto it = sentencias_.find(s.tabla);
        if (it == sentencias_.end()) {
            QStringList columnas{QStringLiteral("postulante")};
            for (const Mapeo& m : s.mapeo) columnas << QLatin1String(m.destino);
            QStringList condición;
            // The applicant's rows through the index; Null matches Null in the others.
            for (const QString& c : columnas)
                condición << c + (condición.isEmpty() ? QStringLiteral(" = ?")
                                                      : QStringLiteral(" IS NOT DISTINCT FROM ?"));
            it = sentencias_.insert(
                s.tabla, {QStringLiteral("select 1 from %1 where %2 limit 1")
                              .arg(tabla, condición.join(QStringLiteral(" and "))),
                          QStringLiteral("insert into %1 (%2) values (%3)")
                              .arg(tabla, columnas.join(u','),
                                   QStringList(columnas.size(), QStringLiteral("?")).join(u','))});
        }
        QVariantList valores{id};
        for (const Mapeo& m : s.mapeo) valores << convertir(m, r.valor(QLatin1String(m.origen)));
        agregar(*it, valores, nuevo);
    }

  public:
    void agregarInterés(int32_t id, const QVariant& área, bool nuevo) {
        static const std::pair<QString, QString> sentencias{
            QStringLiteral("select 1 from nvx_d_interes where postulante = ? and "
                           "area IS NOT DISTINCT FROM ? limit 1"),
            QStringLiteral("insert into nvx_d_interes (postulante,area) values (?,?)")};
        agregar(sentencias, {id, área}, nuevo);
    }

  private:
    void agregar(const std::pair<QString, QString>& sentencias, const QVariantList& valores,
                 bool nuevo) {
        if (!nuevo && d_.valorÚnico(sentencias.first, valores).isValid()) return;
        insertar(sentencias.second, valores);
    }

    void insertar(const QString& inserción, const QVariantList& valores) {
        if (!enBloque) {
            d_.encolar(inserción, valores);
            return;
        }
        auto p = std::find_if(pendientes_.begin(), pendientes_.end(),
                              [&](const Pendientes& x) { return x.inserción == inserción; });
        if (p == pendientes_.end()) p = pendientes_.insert(p, {inserción, {}});
        p->filas << valores;
    }

    // Rows of one insert statement waiting to be sent.
    struct Pendientes {
        QString inserción;  // "insert into … values (…)", one row
        QList<QVariantList> filas;
    };
    std::vector<Pendientes> pendientes_;

    // One section's staged rows of the applicants being merged.
    struct Detalles {
        std::unique_ptr<Recordset> filas;
        QHash<qint64, QList<int>> porDueño;  // staged applicant -> positions in `filas`
        QSet<qint64> tomadas;                // staged rows already merged
        QList<qint64> enCurso;               // the ones of the applicant being merged
    };

    Diccionario& d_;
    Detalles detalles_[std::size(kSecciones) - 1];
    QHash<qint64, int32_t> hallados_;  // staged applicant -> applicant on file
    QSet<qint64> repetidos_;
    QList<qint64> porBorrar_[std::size(kSecciones)];  // staged rows merged, per section
    QHash<QString, int32_t> caché_;
    QHash<const char*, std::pair<QString, QString>> sentencias_;  // look-up and insert per table
};

}  // namespace

bool cImportador::fusionar() {
    Diccionario& d = Almacén();
    const int total = d.valorÚnico(QStringLiteral("select count(*) from imp_postulantes")).toInt();
    if (total == 0) {
        Avisar(QStringLiteral("No hay nada que importar. El archivo de intercambio está vacío."),
               Icono::Información);
        return true;
    }
    if (alEmpezar) alEmpezar(total);
    Fusión f(d);
    // Applicants are committed a few hundred at a time. A group is first merged
    // in one go, its new applicants' rows sent together. Should anything in it
    // fail, the group is undone and merged again one applicant at a time, each
    // inside its own savepoint: a failing applicant is undone alone and the ones
    // before it stay merged. A killed process loses at most the open group, never
    // half an applicant. The counters always say what is committed or about to
    // be: when a group cannot be committed they go back to the last committed one.
    std::optional<Transaccion> grupo;
    int enGrupo = 0;
    int32_t nuevosConfirmados = 0, actualizadosConfirmados = 0, vacíosConfirmados = Cnt_Vacíos;
    qint64 último = 0, confirmado = 0;    // the staged rows read, and committed
    std::vector<int32_t> delGrupo;        // applicants merged in the open group
    std::vector<int32_t> nuevosDelGrupo;  // those of them that were not on file
    QSet<quint64> paresVistos;            // possible duplicates already reported
    const auto confirmarGrupo = [&] {
        if (grupo) {
            f.vaciar();
            f.borrarConfirmados();
            // The keyword index and the duplicate keys, in the same transaction.
            ActualizarPalabras(d, delGrupo);
            ActualizarClaves(d, delGrupo);
            Auditar(d, delGrupo, Acción::Importó, QFileInfo(Archivo).fileName());
            std::vector<ParDuplicado> pares = DuplicadosDe(d, nuevosDelGrupo);
            std::vector<Reaparecido> vueltos = Reaparecidos(d, nuevosDelGrupo);
            grupo->confirmar();
            std::move(vueltos.begin(), vueltos.end(), std::back_inserter(reaparecidos));
            for (ParDuplicado& par : pares) {
                const auto [x, y] = std::minmax(par.a, par.b);
                if (!paresVistos.contains(ClavePar(x, y))) {
                    paresVistos.insert(ClavePar(x, y));
                    posiblesDuplicados.push_back(std::move(par));
                }
            }
        }
        delGrupo.clear();
        nuevosDelGrupo.clear();
        grupo.reset();
        enGrupo = 0;
        nuevosConfirmados = Cnt_Postulantes;
        actualizadosConfirmados = cnt_Actualizados;
        vacíosConfirmados = Cnt_Vacíos;
        confirmado = último;
    };
    const auto unoAUno = [&] {
        grupo.reset();  // undone
        delGrupo.clear();
        nuevosDelGrupo.clear();
        f.olvidar();
        f.enBloque = false;
        enGrupo = 0;
        Cnt_Postulantes = nuevosConfirmados;
        cnt_Actualizados = actualizadosConfirmados;
        Cnt_Vacíos = vacíosConfirmados;
        último = confirmado;
    };
    for (;;) {
        bool repetir = false;
        for (;;) {
            // Staged applicants a few hundred at a time, so memory stays flat.
            auto lote =
                d.AbrirRS(QStringLiteral("select rowid as candora_fila, * from imp_postulantes "
                                         "where rowid > ? order by rowid limit 500"),
                          {último});
            if (lote->eof()) break;
            lote->MoveLast();
            try {
                // Inside the open group: what was merged is not read again.
                f.vaciar();
                f.borrarConfirmados();
            } catch (const ErrorAlmacen&) {
                if (!f.enBloque) throw;
                unoAUno();
                repetir = true;
                break;
            }
            f.leerLote(último, lote->entero(QStringLiteral("candora_fila")));
            for (lote->MoveFirst(); !lote->eof(); lote->MoveNext()) {
                último = lote->entero(QStringLiteral("candora_fila"));
                if (lote->esNulo(QStringLiteral("Apellido"))) {
                    ++Cnt_Vacíos;
                    if (alAvanzar) alAvanzar();
                    continue;
                }
                const QVariantList documento{lote->valor(QStringLiteral("doc_pais")),
                                             lote->valor(QStringLiteral("doc_numero"))};
                try {
                    if (!grupo) grupo.emplace(d);
                    std::optional<Transaccion> t;
                    if (!f.enBloque) t.emplace(d);
                    const QVariant hallado = f.hallado(último, documento);
                    const bool nuevo = !hallado.isValid();
                    int32_t id = hallado.toInt();
                    if (nuevo) {
                        id = d.PróximoID(QStringLiteral("nvx_m_postulantes"));
                        if (id == 0) {  // the user has been told
                            if (t) t->confirmar();
                            confirmarGrupo();
                            return false;
                        }
                        d.LimpiarPostulante(id);  // refuses a key that already has an applicant
                    }
                    QVariantList v;
                    for (const Mapeo& m : kPostulante)
                        v << f.convertir(m, lote->valor(QLatin1String(m.origen)));
                    v << id;
                    if (nuevo)
                        f.alta(v << documento.at(0) << documento.at(1));
                    else if (d.ejecutar(SentenciaActualizar(), v) != 1)
                        throw ErrorAlmacen(
                            QStringLiteral("No se pudo actualizar el postulante número %1.")
                                .arg(id));
                    f.agregarDetalles(id, último, nuevo);
                    for (const char* c : {"interes1", "interes2", "interes3"}) {
                        const QVariant área = lote->valor(QLatin1String(c));
                        if (!área.isNull() && área.toLongLong() != 0)
                            f.agregarInterés(id, área, nuevo);
                    }
                    if (t) t->confirmar();
                    f.confirmado(último);
                    delGrupo.push_back(id);
                    if (nuevo) nuevosDelGrupo.push_back(id);
                    ++(nuevo ? Cnt_Postulantes : cnt_Actualizados);
                    if (++enGrupo == 250) confirmarGrupo();
                } catch (const ErrorAlmacen& e) {
                    if (f.enBloque) {
                        unoAUno();
                        repetir = true;
                        break;
                    }
                    f.descartado();
                    // The failing applicant is undone; the ones before it in the group are
                    // kept when the store still takes them (a full disk may have undone
                    // them all).
                    try {
                        confirmarGrupo();
                    } catch (const ErrorAlmacen&) {
                        grupo.reset();
                    }
                    Cnt_Postulantes = nuevosConfirmados;
                    cnt_Actualizados = actualizadosConfirmados;
                    const QString nombre =
                        (lote->texto(QStringLiteral("Apellido")) + QStringLiteral(", ") +
                         lote->texto(QStringLiteral("Nombre")))
                            .trimmed();
                    const int32_t guardados = Cnt_Postulantes + cnt_Actualizados;
                    InformarError(
                        QStringLiteral("La importación se detuvo en el postulante %1 (%2): %3 "
                                       "antes de él%4.")
                            .arg(
                                nombre, TextoDocumento(d, documento.at(0), documento.at(1)),
                                ImportadosYActualizados(Cnt_Postulantes, cnt_Actualizados),
                                guardados == 0
                                    ? QString()
                                    : SegúnCantidad(guardados, QStringLiteral(", y quedó guardado"),
                                                    QStringLiteral(", y quedaron guardados"))),
                        e);
                    return false;
                }
                if (alAvanzar) alAvanzar();
            }
            if (repetir) break;
        }
        if (repetir) continue;
        try {
            confirmarGrupo();
        } catch (const ErrorAlmacen& e) {
            if (f.enBloque) {
                unoAUno();
                continue;
            }
            grupo.reset();
            Cnt_Postulantes = nuevosConfirmados;
            cnt_Actualizados = actualizadosConfirmados;
            InformarError(
                QStringLiteral("La importación no pudo guardar los últimos postulantes: "
                               "quedaron guardados %1 y %2.")
                    .arg(TextoCantidad(Cnt_Postulantes, QStringLiteral("postulante nuevo"),
                                       QStringLiteral("postulantes nuevos")),
                         TextoCantidad(cnt_Actualizados, QStringLiteral("actualizado"),
                                       QStringLiteral("actualizados"))),
                e);
            return false;
        }
        return true;
    }
}
