#include "records/Generador.h"

#include "duplicates/Duplicados.h"
#include "records/Subregistros.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Palabras.h"
#include "store/TextoSqlite.h"
#include "store/Valores.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>
#include <vector>

namespace {

constexpr int kLote = 2000;

// One of the generator's word lists (names, surnames, localities…), one entry a line.
QStringList Lista(const char* nombre) {
    QFile f(QStringLiteral(":/generador/%1.txt").arg(QLatin1String(nombre)));
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorAlmacen(
            QStringLiteral("No se pueden generar postulantes."),
            QStringLiteral("Falta la lista «%1» en el programa.").arg(QLatin1String(nombre)));
    QStringList l = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (QString& s : l) s = s.trimmed();
    return l;
}

std::vector<int32_t> Ids(Diccionario& d, const char* tabla) {
    std::vector<int32_t> ids;
    for (auto rs =
             d.AbrirRS(QStringLiteral("select id from %1 order by id").arg(QLatin1String(tabla)));
         !rs->eof(); rs->MoveNext())
        ids.push_back(int32_t(rs->entero(0)));
    if (ids.empty()) ids.push_back(0);
    return ids;
}

// Lower-case ASCII for e-mail addresses: accents, blanks and apostrophes dropped.
QString Ascii(const QString& t) {
    QString r;
    for (const QChar c : t.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber() && c.unicode() < 128) r += c.toLower();
    return r;
}

// Relationships the generator gives family members, by their delivered names.
enum class Parentesco {
    Cónyuge,
    Pareja,
    Hijo,
    Padre,
    Madre,
    Hermano,
    Abuelo,
    Nieto,
    Tío,
    Sobrino,
    Primo,
    Suegro,
    Cuñado,
    Yerno,
    Nuera,
    Padrastro,
    Madrastra,
    Tutor,
    Otro,
    Cuántos
};

// The ages a relative of that kind can have, as offsets from the applicant's
// age and as plain bounds; a kind no range fits is not given.
struct RangoEdad {
    int desde, hasta;  // applicant's age + offset
    int mínima, máxima;
};
constexpr RangoEdad kEdades[] = {
    {-8, 8, 18, 90},     // Cónyuge
    {-8, 8, 18, 90},     // Pareja
    {-45, -18, 0, 70},   // Hijo/a
    {20, 45, 38, 95},    // Padre
    {18, 42, 36, 95},    // Madre
    {-12, 12, 1, 95},    // Hermano/a
    {40, 70, 58, 100},   // Abuelo/a
    {-70, -38, 0, 40},   // Nieto/a
    {15, 40, 33, 95},    // Tío/a
    {-40, -10, 0, 50},   // Sobrino/a
    {-12, 12, 1, 95},    // Primo/a
    {18, 45, 36, 95},    // Suegro/a
    {-12, 12, 16, 95},   // Cuñado/a
    {-45, -18, 18, 60},  // Yerno
    {-45, -18, 18, 60},  // Nuera
    {12, 40, 30, 95},    // Padrastro
    {12, 40, 30, 95},    // Madrastra
    {20, 50, 38, 80},    // Tutor/a, of a young applicant only
    {-30, 30, 18, 85},   // Otro
};

// Rough nominal monthly pay of an office job in pesos, by year: old jobs show
// what they paid then.
double SueldoDelAño(int año) {
    static const std::pair<int, double> tabla[] = {
        {2001, 900},   {2005, 1300},   {2008, 2400},   {2010, 3500},   {2012, 5600},
        {2014, 9000},  {2016, 15000},  {2018, 24000},  {2019, 33000},  {2020, 45000},
        {2021, 65000}, {2022, 120000}, {2023, 280000}, {2024, 800000}, {2025, 1200000}};
    if (año <= tabla[0].first) return tabla[0].second;
    for (size_t i = 1; i < std::size(tabla); ++i) {
        if (año > tabla[i].first) continue;
        const auto [a0, v0] = tabla[i - 1];
        const auto [a1, v1] = tabla[i];
        return v0 * std::pow(v1 / v0, double(año - a0) / double(a1 - a0));
    }
    return tabla[std::size(tabla) - 1].second *
           std::pow(1.2, año - tabla[std::size(tabla) - 1].first);
}

// Pay as people say it: to the hundred, or to the thousand past a hundred thousand.
double Redondo(double v) {
    const double paso = v >= 100000 ? 1000 : v >= 1000 ? 100 : 10;
    return std::max(paso, std::round(v / paso) * paso);
}

// Every id of a lookup table with its name.
QHash<QString, int32_t> IdsPorNombre(Diccionario& d, const char* tabla) {
    QHash<QString, int32_t> r;
    for (auto rs = d.AbrirRS(
             QStringLiteral("select id, nombre from %1 order by id").arg(QLatin1String(tabla)));
         !rs->eof(); rs->MoveNext())
        r.insert(rs->texto(1), int32_t(rs->entero(0)));
    return r;
}

}  // namespace

class FuenteDemo::Reglas {
  public:
    Reglas(Diccionario& d, quint32 semilla, int primerDocumento)
        : d_(d), azar_(semilla), azarTexto_(semilla ^ 0x5eed7e57u), hoy_(QDate::currentDate()) {
        std::fill(std::begin(siguienteDoc_), std::end(siguienteDoc_), primerDocumento);
    }

    void preparar();
    PostulanteDemo uno();

  private:
    uint32_t n(uint32_t hasta) { return hasta ? azar_() % hasta : 0; }
    int entre(int desde, int hasta) { return desde + int(n(uint32_t(hasta - desde + 1))); }
    bool moneda(int porCiento) { return int(n(100)) < porCiento; }
    template <class V>
    const auto& uno_de(const V& v) {
        return v[n(uint32_t(std::size(v)))];
    }
    // Free text has its own sequence, so the rest of each applicant stays as it was.
    bool monedaTexto(int porCiento) { return int(azarTexto_() % 100) < porCiento; }
    // One of `plantillas` with its blanks filled: {conocimiento}, {localidad}, {persona},
    // {día}, {mes}, {año}, {número}.
    QString frase(const QStringList& plantillas);
    // A moment of that day (before now when it is today) as "yyyyMMddHHmmss".
    QString momento(const QDate& día);
    QString documento(int país);
    // The lookup id of a delivered name (0 when the store has no such item).
    static int32_t idDe(const QHash<QString, int32_t>& ids, const char* nombre) {
        return ids.value(QString::fromUtf8(nombre));
    }

    struct Persona {
        QDate nacimiento;
        int edad;
        bool mujer;
        QString apellido;
        int32_t estadoCivil;
        bool casada, enPareja, hijos;
    };
    void familia(PostulanteDemo& r, const Persona& p);
    void familiar(PostulanteDemo& r, const Persona& p, Parentesco k);
    void formación(PostulanteDemo& r, const Persona& p);
    void experiencia(PostulanteDemo& r, const Persona& p);

    Diccionario& d_;
    std::mt19937 azar_, azarTexto_;
    const QDate hoy_;
    QStringList nombresF_, nombresM_, apellidos_, calles_, conocimientos_, nombresLocalidad_;
    QStringList observaciones_, tareasLibres_, cursos_;  // sentences with blanks
    // A job's tasks with the area they belong to and the positions that do them.
    struct Tarea {
        int32_t área;
        std::vector<int32_t> puestos;
        QString texto;
    };
    std::vector<Tarea> tareas_;
    QHash<int32_t, std::vector<int>> tareasPorÁrea_;
    // A degree with its level and field of study.
    struct Carrera {
        int32_t título, nivel, área;
    };
    std::vector<Carrera> carreras_;
    struct Localidad {
        int32_t id;
        int32_t provincia;
    };
    std::vector<Localidad> localidades_;
    int32_t caba_ = 0;
    std::vector<int32_t> empleadores_, barrios_, estadosCiviles_, tiposTel_, ocupaciones_, rubros_,
        áreasExp_, puestos_, motivos_, tiposForm_, áreasForm_, estadosForm_, institutos_, títulos_,
        orientaciones_, idiomas_, niveles_, dispSem_, dispHor_, presencias_, contexturas_, zonas_,
        fuentes_;
    // Ids of the relationships by kind (0: not in this store's list).
    int32_t parentescos_[int(Parentesco::Cuántos)] = {};
    int32_t soltero_ = 0, casado_ = 0, unión_ = 0, estudiante_ = 0, jubilado_ = 0, enCurso_ = 0,
            completo_ = 0, universitario_ = 0;
    int32_t femenino_ = 1, masculino_ = 2;
    QSet<QString> documentos_;
    std::vector<PostulanteDemo> recientes_;  // some of those made, to file again
    int siguienteDoc_[7] = {};
};

void FuenteDemo::Reglas::preparar() {
    nombresF_ = Lista("nombres_femeninos");
    nombresM_ = Lista("nombres_masculinos");
    apellidos_ = Lista("apellidos");
    calles_ = Lista("calles");
    conocimientos_ = Lista("conocimientos");
    for (const QString& línea : Lista("frases")) {
        const qsizetype tab = línea.indexOf(u'\t');
        const QString tipo = línea.left(tab), texto = línea.mid(tab + 1);
        (tipo == QLatin1String("obs")     ? observaciones_
         : tipo == QLatin1String("tarea") ? tareasLibres_
                                          : cursos_)
            << texto;
    }

    // Lookup items the applicants refer to, found or added once.
    Transaccion t(d_);
    for (const QString& línea : Lista("localidades")) {
        const QStringList partes = línea.split(u'\t');
        if (partes.size() != 2) continue;
        nombresLocalidad_ << partes[0];
        const int32_t id = d_.Nuevo_Elemento(QStringLiteral("nvx_m_localidades"), partes[0]);
        if (id)
            localidades_.push_back(
                {id, d_.ElementoID(QStringLiteral("nvx_m_provincias"), partes[1])});
    }
    caba_ = d_.ElementoID(QStringLiteral("nvx_m_provincias"),
                          QStringLiteral("Ciudad Autónoma de Buenos Aires"));
    {
        // A fixed set of employers, the same whatever the seed.
        std::mt19937 fijo(20261207);
        const QStringList rubros = Lista("empresa_rubros"), palabras = Lista("empresa_palabras"),
                          sufijos = Lista("empresa_sufijos");
        QSet<QString> vistos;
        for (int intentos = 0; empleadores_.size() < 3000 && intentos < 20000; ++intentos) {
            const QString nombre = rubros[fijo() % rubros.size()] + u' ' +
                                   palabras[fijo() % palabras.size()] + u' ' +
                                   sufijos[fijo() % sufijos.size()];
            if (vistos.contains(nombre)) continue;
            vistos.insert(nombre);
            if (const int32_t id = d_.Nuevo_Elemento(QStringLiteral("nvx_m_empleadores"), nombre))
                empleadores_.push_back(id);
        }
    }
    for (const char* z : {"Zona Norte", "Zona Sur", "Zona Oeste", "Capital", "Interior"})
        zonas_.push_back(d_.Nuevo_Elemento(QStringLiteral("nvx_m_datos_a"), QString::fromUtf8(z)));
    for (const char* f :
         {"Aviso web", "Recomendación", "Bolsa universitaria", "Presentación espontánea"})
        fuentes_.push_back(
            d_.Nuevo_Elemento(QStringLiteral("nvx_m_datos_b"), QString::fromUtf8(f)));
    t.confirmar();

    barrios_ = Ids(d_, "nvx_m_barrios");
    estadosCiviles_ = Ids(d_, "nvx_m_estados_civiles");
    tiposTel_ = Ids(d_, "nvx_m_tipos_telefono");
    rubros_ = Ids(d_, "nvx_m_empleadores_rubros");
    áreasExp_ = Ids(d_, "nvx_m_experiencia_areas");
    puestos_ = Ids(d_, "nvx_m_experiencia_puestos");
    tiposForm_ = Ids(d_, "nvx_m_formacion_tipos");
    áreasForm_ = Ids(d_, "nvx_m_formacion_areas");
    estadosForm_ = Ids(d_, "nvx_m_formacion_estados");

    // Tasks, positions and areas that go together; degrees with their level and field.
    const auto id = [this](const char* tabla, const QString& nombre) {
        return d_.ElementoID(QLatin1String(tabla), nombre);
    };
    for (const QString& línea : Lista("actividades")) {
        const QStringList partes = línea.split(u'\t');
        if (partes.size() != 3) continue;
        Tarea t{id("nvx_m_experiencia_areas", partes[0]), {}, partes[2]};
        for (const QString& puesto : partes[1].split(QStringLiteral(", ")))
            if (const int32_t p = id("nvx_m_experiencia_puestos", puesto)) t.puestos.push_back(p);
        if (t.área) tareasPorÁrea_[t.área].push_back(int(tareas_.size()));
        tareas_.push_back(std::move(t));
    }
    if (tareas_.empty()) tareas_.push_back({0, {}, QString()});
    universitario_ = id("nvx_m_formacion_tipos", QStringLiteral("Universitario"));
    for (const QString& línea : Lista("titulos")) {
        const QStringList partes = línea.split(u'\t');
        if (partes.size() != 3) continue;
        const Carrera c{id("nvx_m_titulos", partes[0]), id("nvx_m_formacion_tipos", partes[1]),
                        id("nvx_m_formacion_areas", partes[2])};
        if (c.título && c.nivel && c.área) carreras_.push_back(c);
    }

    // Relationships, civil states, occupations and reasons are chosen by what
    // they mean, so that ages and dates agree with them.
    const QHash<QString, int32_t> parentescos = IdsPorNombre(d_, "nvx_m_parentescos");
    const char* const nombresParentesco[] = {
        "Cónyuge", "Pareja",    "Hijo/a",    "Padre",   "Madre",    "Hermano/a", "Abuelo/a",
        "Nieto/a", "Tío/a",     "Sobrino/a", "Primo/a", "Suegro/a", "Cuñado/a",  "Yerno",
        "Nuera",   "Padrastro", "Madrastra", "Tutor/a", "Otro"};
    for (int k = 0; k < int(Parentesco::Cuántos); ++k)
        parentescos_[k] = idDe(parentescos, nombresParentesco[k]);
    const QHash<QString, int32_t> estados = IdsPorNombre(d_, "nvx_m_estados_civiles");
    soltero_ = idDe(estados, "Soltero/a");
    casado_ = idDe(estados, "Casado/a");
    unión_ = idDe(estados, "Unión convivencial");
    const QHash<QString, int32_t> ocupaciones = IdsPorNombre(d_, "nvx_m_ocupaciones");
    estudiante_ = idDe(ocupaciones, "Estudiante");
    jubilado_ = idDe(ocupaciones, "Jubilado/a");
    for (auto it = ocupaciones.cbegin(); it != ocupaciones.cend(); ++it)
        if (it.value() != estudiante_ && it.value() != jubilado_)
            ocupaciones_.push_back(it.value());
    std::sort(ocupaciones_.begin(), ocupaciones_.end());
    if (ocupaciones_.empty()) ocupaciones_.push_back(0);
    const QHash<QString, int32_t> motivos = IdsPorNombre(d_, "nvx_m_motivos_egreso");
    for (auto it = motivos.cbegin(); it != motivos.cend(); ++it)
        if (it.key() != QStringLiteral("Jubilación")) motivos_.push_back(it.value());
    std::sort(motivos_.begin(), motivos_.end());
    if (motivos_.empty()) motivos_.push_back(0);
    const QHash<QString, int32_t> estadosForm = IdsPorNombre(d_, "nvx_m_formacion_estados");
    enCurso_ = idDe(estadosForm, "En curso");
    completo_ = idDe(estadosForm, "Completo");
    institutos_ = Ids(d_, "nvx_m_formacion_institutos");
    títulos_ = Ids(d_, "nvx_m_titulos");
    orientaciones_ = Ids(d_, "nvx_m_formsec_areas");
    idiomas_ = Ids(d_, "nvx_m_idiomas");
    niveles_ = Ids(d_, "nvx_m_idiomas_niveles");
    dispSem_ = Ids(d_, "nvx_m_disponibilidad_semanal");
    dispHor_ = Ids(d_, "nvx_m_disponibilidad_horaria");
    presencias_ = Ids(d_, "nvx_m_presencias");
    contexturas_ = Ids(d_, "nvx_m_contexturas");
    if (const int32_t f = d_.ElementoID(QStringLiteral("nvx_m_sexos"), QStringLiteral("Femenino")))
        femenino_ = f;
    if (const int32_t m = d_.ElementoID(QStringLiteral("nvx_m_sexos"), QStringLiteral("Masculino")))
        masculino_ = m;
    for (auto rs = d_.AbrirRS(QStringLiteral("select dni_pais, dni_numero from nvx_m_postulantes"));
         !rs->eof(); rs->MoveNext())
        documentos_.insert(rs->texto(0) + u'/' + rs->texto(1));
}

// A document number not yet used in that country: a fixed stride through
// eight-digit numbers, so they look random and never repeat.
QString FuenteDemo::Reglas::documento(int país) {
    for (;;) {
        const qint64 k = siguienteDoc_[país]++;
        const QString número = QString::number(10000000 + (k * 7919 + país * 104729) % 40000000);
        if (!documentos_.contains(QString::number(país) + u'/' + número)) {
            documentos_.insert(QString::number(país) + u'/' + número);
            return número;
        }
    }
}

QString FuenteDemo::Reglas::momento(const QDate& día) {
    const QTime ahora = QTime::currentTime();
    const int hasta = día == hoy_ ? std::max(0, ahora.msecsSinceStartOfDay() / 1000 - 1) : 86399;
    const int segundo = std::min(hasta, entre(8 * 3600, 19 * 3600 + 3599));
    return día.toString(QStringLiteral("yyyyMMdd")) +
           QTime(0, 0).addSecs(segundo).toString(QStringLiteral("HHmmss"));
}

// A relative of kind `k`: an age that fits the applicant's, a name that fits
// the kind, and living arrangements that fit the age.
void FuenteDemo::Reglas::familiar(PostulanteDemo& r, const Persona& p, Parentesco k) {
    const int32_t parentesco = parentescos_[int(k)];
    const RangoEdad& rango = kEdades[int(k)];
    const int desde = std::max(p.edad + rango.desde, rango.mínima);
    const int hasta = std::min(p.edad + rango.hasta, rango.máxima);
    if (!parentesco || desde > hasta) return;
    if (k == Parentesco::Tutor && p.edad > 21) return;
    const int edad = entre(desde, hasta);
    bool mujer = moneda(50);
    switch (k) {
        case Parentesco::Madre:
        case Parentesco::Madrastra:
        case Parentesco::Nuera:
            mujer = true;
            break;
        case Parentesco::Padre:
        case Parentesco::Padrastro:
        case Parentesco::Yerno:
            mujer = false;
            break;
        case Parentesco::Cónyuge:
        case Parentesco::Pareja:
            mujer = moneda(92) ? !p.mujer : p.mujer;
            break;
        default:
            break;
    }
    const bool mayor = k == Parentesco::Padre || k == Parentesco::Madre ||
                       k == Parentesco::Abuelo || k == Parentesco::Suegro ||
                       k == Parentesco::Padrastro || k == Parentesco::Madrastra;
    const bool vive = edad < 60 ? moneda(99) : edad < 80 ? moneda(85) : moneda(55);
    const bool pareja = k == Parentesco::Cónyuge || k == Parentesco::Pareja;
    const bool hijo = k == Parentesco::Hijo;
    const bool convive = vive && (pareja ? moneda(95)
                                  : hijo ? moneda(edad < 18 ? 95 : 40)
                                         : moneda(mayor ? 25 : 8));
    const bool aCargo = vive && (hijo    ? moneda(edad < 18 ? 90 : 15)
                                 : mayor ? moneda(edad >= 70 ? 30 : 5)
                                         : moneda(pareja ? 20 : 3));
    int32_t ocupación = 0;
    if (vive && edad >= 6) {
        if (edad < 18)
            ocupación = estudiante_;
        else if (edad >= 65 && moneda(75))
            ocupación = jubilado_;
        else if (edad < 25 && moneda(50))
            ocupación = estudiante_;
        else if (moneda(80))
            ocupación = uno_de(ocupaciones_);
    }
    const QString nombre = mujer ? uno_de(nombresF_) : uno_de(nombresM_);
    r.familiares.push_back({parentesco, nombre, edad, vive, convive, aCargo, ocupación});
}

void FuenteDemo::Reglas::familia(PostulanteDemo& r, const Persona& p) {
    if (p.casada && moneda(75)) familiar(r, p, Parentesco::Cónyuge);
    if (p.enPareja && moneda(75)) familiar(r, p, Parentesco::Pareja);
    if (p.hijos && moneda(70))
        for (int i = 0, hijos = entre(1, 3); i < hijos; ++i) familiar(r, p, Parentesco::Hijo);
    if (moneda(35)) familiar(r, p, Parentesco::Madre);
    if (moneda(25)) familiar(r, p, Parentesco::Padre);
    if (moneda(15)) familiar(r, p, Parentesco::Hermano);
    if (moneda(10)) {
        // Now and then a less usual relative, whose age still has to fit.
        static constexpr Parentesco otros[] = {
            Parentesco::Abuelo,    Parentesco::Nieto,     Parentesco::Tío,   Parentesco::Sobrino,
            Parentesco::Primo,     Parentesco::Cuñado,    Parentesco::Yerno, Parentesco::Nuera,
            Parentesco::Padrastro, Parentesco::Madrastra, Parentesco::Tutor, Parentesco::Otro};
        familiar(r, p, uno_de(otros));
    }
    if ((p.casada || p.enPareja) && moneda(8)) familiar(r, p, Parentesco::Suegro);
}

// Studies begun at 17 or later, none after this year; one in progress goes on this year.
void FuenteDemo::Reglas::formación(PostulanteDemo& r, const Persona& p) {
    const int año = hoy_.year();
    int inicio = p.nacimiento.year() + 17 + entre(0, 2);
    std::vector<Carrera> carreras = carreras_;
    std::shuffle(carreras.begin(), carreras.end(), azar_);
    for (int i = 0, estudios = entre(0, 2); i < estudios && inicio <= año; ++i) {
        PostulanteDemo::Estudio e;
        // A degree of the delivered list, each at most once; the whole lists otherwise.
        const bool carrera = size_t(i) < carreras.size();
        e.nivel = carrera ? carreras[size_t(i)].nivel : uno_de(tiposForm_);
        e.área = carrera ? carreras[size_t(i)].área : uno_de(áreasForm_);
        e.título = carrera ? carreras[size_t(i)].título : uno_de(títulos_);
        e.instituto = uno_de(institutos_);
        // A degree takes its years: one that could not be over yet is still in progress.
        const int duración = (e.nivel == universitario_ && universitario_ ? 5 : 3) + entre(0, 2);
        int32_t estado = uno_de(estadosForm_);
        if (inicio + duración > año && enCurso_)
            estado = enCurso_;
        else if (estado == enCurso_ && completo_)
            estado = completo_;
        const bool enCurso = estado == enCurso_ && enCurso_;
        const bool terminado = estado == completo_ && completo_;
        e.estado = estado;
        e.ingreso = inicio;
        e.último = enCurso ? año : terminado ? inicio + duración : inicio + entre(0, duración - 1);
        e.aprobadas = entre(terminado ? 20 : 0, 40);
        e.restantes = terminado ? 0 : entre(1, 20);
        e.promedio = RedondearSimple(entre(400, 990) / 100.0);
        e.completos = std::min(e.último - e.ingreso, 6);
        r.estudios.push_back(e);
        inicio = e.último + entre(0, 3);  // the next one after this one
    }
}

// Jobs from the most recent back, one after another, the first at 16 or later:
// none begins or ends after this month, and each paid what was paid then.
void FuenteDemo::Reglas::experiencia(PostulanteDemo& r, const Persona& p) {
    const int primerMes =
        (p.nacimiento.year() + (moneda(20) ? 16 : 18)) * 12 + p.nacimiento.month() - 1;
    int cursor = hoy_.year() * 12 + hoy_.month() - 1;  // months since year 0
    const double sueldoPropio = entre(50, 200) / 100.0;
    for (int i = 0, empleos = entre(0, 5); i < empleos; ++i) {
        const bool actual = i == 0 && moneda(40);
        const int egreso = actual ? cursor : cursor - entre(0, i == 0 ? 18 : 10);
        const int ingreso = egreso - entre(actual ? 2 : 3, 96);
        if (ingreso < primerMes) break;
        PostulanteDemo::Empleo e;
        // One or two lines of tasks of one area, done by the position held there.
        const Tarea& t = uno_de(tareas_);
        e.tareas << t.texto;
        if (const auto otras = tareasPorÁrea_.constFind(t.área);
            moneda(50) && otras != tareasPorÁrea_.cend() && otras->size() > 1)
            if (const QString& segunda = tareas_[size_t(uno_de(*otras))].texto; segunda != t.texto)
                e.tareas << segunda;
        const double sueldo =
            Redondo(SueldoDelAño(egreso / 12) * sueldoPropio * entre(85, 115) / 100.0);
        e.área = t.área ? t.área : uno_de(áreasExp_);
        e.puesto = t.puestos.empty() ? uno_de(puestos_) : uno_de(t.puestos);
        e.empleador = uno_de(empleadores_);
        e.rubro = uno_de(rubros_);
        e.ingresoMes = ingreso % 12 + 1;
        e.ingresoAño = ingreso / 12;
        e.egresoMes = actual ? 0 : egreso % 12 + 1;
        e.egresoAño = actual ? 0 : egreso / 12;
        e.actual = actual;
        e.aCargo = moneda(25);
        e.motivo = actual ? 0 : uno_de(motivos_);
        if (moneda(10)) e.observaciones = QStringLiteral("Buenas referencias.");
        for (int k = int(azarTexto_() % 3); k > 0; --k) e.tareas << frase(tareasLibres_);
        e.sueldo = moneda(80) ? sueldo : 0;
        r.empleos.push_back(e);
        cursor = ingreso - entre(0, 12);
    }
}

QString FuenteDemo::Reglas::frase(const QStringList& plantillas) {
    if (plantillas.isEmpty()) return {};
    static const char* const meses[] = {"enero",      "febrero", "marzo",     "abril",
                                        "mayo",       "junio",   "julio",     "agosto",
                                        "septiembre", "octubre", "noviembre", "diciembre"};
    const auto uno = [this](const QStringList& l) {
        return l.isEmpty() ? QString() : l[qsizetype(azarTexto_() % l.size())];
    };
    QString t = uno(plantillas);
    t.replace(QStringLiteral("{conocimiento}"), uno(conocimientos_));
    t.replace(QStringLiteral("{localidad}"), uno(nombresLocalidad_));
    t.replace(QStringLiteral("{persona}"), uno(azarTexto_() % 2 ? nombresF_ : nombresM_));
    t.replace(QStringLiteral("{día}"), QString::number(1 + azarTexto_() % 28));
    t.replace(QStringLiteral("{mes}"), QString::fromLatin1(meses[azarTexto_() % 12]));
    t.replace(QStringLiteral("{año}"), QString::number(hoy_.year() - int(azarTexto_() % 12)));
    t.replace(QStringLiteral("{número}"), QString::number(2 + azarTexto_() % 14));
    return t;
}

PostulanteDemo FuenteDemo::Reglas::uno() {
    PostulanteDemo r;
    // Who the applicant is comes first: the details must agree with it.
    Persona p;
    const int tramo = entre(1, 100);
    p.edad = tramo <= 5    ? entre(18, 19)
             : tramo <= 65 ? entre(20, 35)
             : tramo <= 92 ? entre(36, 50)
                           : entre(51, 64);
    p.nacimiento = hoy_.addYears(-p.edad).addDays(-entre(0, 364));
    p.mujer = moneda(52);
    p.apellido = uno_de(apellidos_);
    const int e = entre(1, 100);
    if (!soltero_ || !casado_ || !unión_)
        p.estadoCivil = uno_de(estadosCiviles_);
    else if (p.edad < 25)
        p.estadoCivil = e <= 80 ? soltero_ : e <= 95 ? unión_ : casado_;
    else if (p.edad < 40)
        p.estadoCivil = e <= 40   ? soltero_
                        : e <= 70 ? casado_
                        : e <= 90 ? unión_
                                  : uno_de(estadosCiviles_);
    else
        p.estadoCivil = e <= 15   ? soltero_
                        : e <= 60 ? casado_
                        : e <= 70 ? unión_
                                  : uno_de(estadosCiviles_);
    p.casada = p.estadoCivil == casado_ && casado_;
    p.enPareja = p.estadoCivil == unión_ && unión_;
    p.hijos = p.edad >= 20 && moneda(std::min(80, 10 + (p.edad - 20) * 3));

    familia(r, p);
    formación(r, p);
    {
        std::vector<int32_t> lenguas = idiomas_;
        std::shuffle(lenguas.begin(), lenguas.end(), azar_);
        for (int i = 0, cuántos = std::min<int>(entre(0, 3), int(lenguas.size())); i < cuántos; ++i)
            r.idiomas.push_back({lenguas[i], uno_de(niveles_), uno_de(niveles_), uno_de(niveles_)});
    }
    experiencia(r, p);
    {
        std::vector<int32_t> áreas = áreasExp_;
        std::shuffle(áreas.begin(), áreas.end(), azar_);
        r.intereses.assign(áreas.begin(),
                           áreas.begin() + std::min<int>(entre(0, 3), int(áreas.size())));
    }
    r.fotos = entre(0, 2);

    r.nombre = p.mujer ? uno_de(nombresF_) : uno_de(nombresM_);
    r.país = moneda(92) ? 1 : entre(2, 6);
    const Localidad& nac = uno_de(localidades_);
    const Localidad& res = moneda(70) ? nac : uno_de(localidades_);
    const bool segundoTel = moneda(40);
    for (int i = 0, k = entre(0, 3); i < k; ++i) r.conocimientos << uno_de(conocimientos_);
    // On file since some day of the last six years, never before turning 18.
    const QDate mayoría = p.nacimiento.addYears(18);
    const QDate alta =
        hoy_.addDays(-entre(0, int(std::min<qint64>(6 * 365, mayoría.daysTo(hoy_)))));
    r.alta = momento(alta);
    // Pay asked for: a month's, and by the hour what a month of about 200 hours gives.
    r.mensual = Redondo(SueldoDelAño(hoy_.year()) * entre(60, 280) / 100.0);
    r.hora = RedondearSimple(Redondo(r.mensual / 200.0 * entre(90, 130) / 100.0));

    r.documento = documento(r.país);
    r.apellido = p.apellido;
    if (moneda(60)) r.apellidoMaterno = uno_de(apellidos_);
    r.sexo = p.mujer ? femenino_ : masculino_;
    r.nacimiento = p.nacimiento;
    r.nacLocalidad = nac.id;
    r.nacProvincia = nac.provincia;
    r.estadoCivil = p.estadoCivil;
    r.hijos = p.hijos;
    r.calle =
        QStringLiteral("%1 %2").arg(uno_de(calles_)).arg(entre(1, 9800)) +
        (moneda(30)
             ? QStringLiteral(" piso %1 depto %2").arg(entre(1, 20)).arg(QChar(u'A' + entre(0, 7)))
             : QString());
    r.barrio = res.provincia == caba_ ? uno_de(barrios_) : 0;
    r.resLocalidad = res.id;
    r.resProvincia = res.provincia;
    r.códigoPostal = QString::number(entre(1000, 9431));
    r.email = QStringLiteral("%1.%2%3@%4")
                  .arg(Ascii(r.nombre), Ascii(p.apellido))
                  .arg(entre(1, 999))
                  .arg(uno_de(std::vector<QString>{
                      QStringLiteral("correo.com.ar"), QStringLiteral("gmail.com"),
                      QStringLiteral("hotmail.com"), QStringLiteral("yahoo.com.ar")}));
    r.tel1 = QStringLiteral("11 %1-%2")
                 .arg(entre(5000, 6999))
                 .arg(entre(0, 9999), 4, 10, QLatin1Char('0'));
    r.tel1Desde = moneda(30) ? QStringLiteral("09:00") : QStringLiteral("00:00");
    r.tel1Hasta = moneda(30) ? QStringLiteral("18:00") : QStringLiteral("23:30");
    r.tel2Tipo = segundoTel ? uno_de(tiposTel_) : 1;
    if (segundoTel)
        r.tel2 = QStringLiteral("4%1-%2")
                     .arg(entre(100, 999))
                     .arg(entre(0, 9999), 4, 10, QLatin1Char('0'));
    r.orientación = uno_de(orientaciones_);
    if (moneda(50)) r.escuela = QStringLiteral("Escuela de Educación Media %1").arg(entre(1, 60));
    r.escuelaEstado = entre(1, 3);
    r.escuelaAños = entre(0, 5);
    r.obraSocial = moneda(70);
    r.tiques = moneda(40);
    r.dependencia = moneda(80);
    r.viajar = moneda(50);
    r.emigrar = moneda(15);
    r.dispSemanal = uno_de(dispSem_);
    r.dispHoraria = uno_de(dispHor_);
    r.estatura = p.mujer ? entre(150, 178) : entre(160, 195);
    r.presencia = moneda(50) ? uno_de(presencias_) : 0;
    r.contextura = moneda(50) ? uno_de(contexturas_) : 0;
    if (moneda(10)) r.observaciones = QStringLiteral("Disponibilidad inmediata.");
    if (monedaTexto(60)) {
        QStringList notas{r.observaciones};
        for (int k = 1 + int(azarTexto_() % 3); k > 0; --k) notas << frase(observaciones_);
        r.observaciones = notas.join(u' ').trimmed();
    }
    if (monedaTexto(40)) r.conocimientos << frase(cursos_);
    r.datoA = uno_de(zonas_);
    r.datoB = uno_de(fuentes_);
    if (moneda(30)) r.referencia = QStringLiteral("Aviso %1").arg(entre(1, 500));
    r.activo = moneda(95);
    // Now and then someone is filed twice: the same person again under a passport,
    // the name typed in capitals without accents, as offices see it happen.
    if (!recientes_.empty() && monedaTexto(1)) {
        PostulanteDemo otra = recientes_[azarTexto_() % recientes_.size()];
        otra.país = otra.país == 1 ? 2 + int(azarTexto_() % 5) : 1;
        const QString mismo = QString::number(otra.país) + u'/' + otra.documento;
        if (monedaTexto(50) && !documentos_.contains(mismo))
            documentos_.insert(mismo);  // the same number, under another country
        else
            otra.documento = documento(otra.país);
        otra.apellido = TextoPlano(otra.apellido);
        otra.nombre = TextoPlano(otra.nombre);
        if (monedaTexto(50)) otra.email.clear();
        return otra;
    }
    if (recientes_.size() < 500)
        recientes_.push_back(r);
    else
        recientes_[azarTexto_() % recientes_.size()] = r;
    return r;
}

FuenteDemo::FuenteDemo(Diccionario& d, quint32 semilla, int primerDocumento)
    : reglas_(std::make_unique<Reglas>(d, semilla, primerDocumento)) {
    reglas_->preparar();
}

FuenteDemo::~FuenteDemo() = default;

PostulanteDemo FuenteDemo::siguiente() {
    return reglas_->uno();
}

namespace {

// Writes an applicant's rows as the applicant record writes them; detail rows
// first, so their triggers find no applicant row to touch yet.
void Guardar(Diccionario& d, int32_t id, const PostulanteDemo& p) {
    const QVariant nulo = ValorTexto(QString());
    for (const auto& f : p.familiares)
        d.ejecutar(AltaDetalle::kFamiliar, {id, f.parentesco, f.nombre, f.edad, f.vive ? 1 : 0,
                                            f.convive ? 1 : 0, f.aCargo ? 1 : 0, f.ocupación, 0});
    for (const auto& e : p.estudios)
        d.ejecutar(AltaDetalle::kFormación,
                   {id, e.nivel, e.área, e.título, e.instituto, e.estado, e.aprobadas, e.restantes,
                    e.promedio, e.ingreso, e.último, e.completos});
    for (const auto& i : p.idiomas)
        d.ejecutar(AltaDetalle::kIdioma, {id, i.idioma, i.habla, i.lee, i.escribe});
    for (const auto& e : p.empleos)
        d.ejecutar(AltaDetalle::kExperiencia,
                   {id, e.área, e.puesto, e.empleador, e.rubro, e.tareas.join(u'\n'), e.ingresoMes,
                    e.ingresoAño, e.egresoMes, e.egresoAño, e.actual ? 1 : 0, e.aCargo ? 1 : 0,
                    e.motivo, ValorTexto(e.observaciones),
                    e.sueldo > 0 ? QVariant(e.sueldo) : ValorNumérico(QString())});
    for (const int32_t área : p.intereses) d.ejecutar(AltaDetalle::kInterés, {id, área});
    for (int i = 0; i < p.fotos; ++i)
        d.ejecutar(AltaDetalle::kFoto,
                   {id, i == 0 ? QStringLiteral("Foto de perfil") : QStringLiteral(""),
                    QStringLiteral("/srv/candora/fotos/%1_%2.jpg").arg(id).arg(i + 1)});

    d.ejecutar(
        QStringLiteral("insert into nvx_m_postulantes "
                       "(id,dni_pais,dni_numero,nombre,apellido,apellido_materno,sexo,nac_dia,"
                       "nac_mes,nac_ano,nac_localidad,nac_provincia,nac_pais,nacionalidad,estado_"
                       "civil,tiene_hijos,res_calle,"
                       "res_barrio,res_localidad,res_provincia,res_pais,res_cp,email,tel1_tipo,"
                       "tel1_numero,tel1_desde,"
                       "tel1_hasta,tel2_tipo,tel2_numero,tel3_tipo,formsec_orientacion,formsec_"
                       "instituto,formsec_estado,"
                       "formsec_completos,conocimientos,remun_mensual,remun_hora,moneda_mes,moneda_"
                       "hora,obra_social,"
                       "tiques_almuerzo,relacion_dependencia,viajar,emigrar,disp_semanal,disp_"
                       "horaria,estatura,presencia,"
                       "contextura,observaciones,dato_a,dato_b,fecha_ingreso,actualizado,"
                       "referencia,activo) values "
                       "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                       "?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                       "?,?,?,?)"),
        {id,
         p.país,
         p.documento,
         p.nombre,
         p.apellido,
         ValorTexto(p.apellidoMaterno),
         p.sexo,
         p.nacimiento.day(),
         p.nacimiento.month(),
         p.nacimiento.year(),
         p.nacLocalidad,
         p.nacProvincia,
         p.país,
         p.país,
         p.estadoCivil,
         p.hijos ? 1 : 0,
         p.calle,
         p.barrio,
         p.resLocalidad,
         p.resProvincia,
         1,
         p.códigoPostal,
         p.email,
         1,
         p.tel1,
         p.tel1Desde,
         p.tel1Hasta,
         p.tel2Tipo,
         ValorTexto(p.tel2),
         1,
         p.orientación,
         ValorTexto(p.escuela),
         p.escuelaEstado,
         p.escuelaAños,
         p.conocimientos.isEmpty() ? nulo : QVariant(p.conocimientos.join(u'\n')),
         qint64(p.mensual),
         p.hora,
         1,
         1,
         p.obraSocial ? 1 : 0,
         p.tiques ? 1 : 0,
         p.dependencia ? 1 : 0,
         p.viajar ? 1 : 0,
         p.emigrar ? 1 : 0,
         p.dispSemanal,
         p.dispHoraria,
         p.estatura,
         p.presencia,
         p.contextura,
         ValorTexto(p.observaciones),
         p.datoA,
         p.datoB,
         p.alta,
         p.alta,
         ValorTexto(p.referencia),
         p.activo ? 1 : 0});
}

}  // namespace

int GenerarPostulantes(Diccionario& d, int cantidad, quint32 semilla,
                       const std::function<void(int, int)>& progreso) {
    if (cantidad <= 0) return 0;
    RelojDeArena reloj;
    FuenteDemo fuente(d, semilla);
    int hechos = 0;
    while (hechos < cantidad) {
        Transaccion t(d);
        const int lote = std::min(kLote, cantidad - hechos);
        std::vector<int32_t> hechosLote;
        for (int i = 0; i < lote; ++i) {
            const int32_t id = d.PróximoID(QStringLiteral("nvx_m_postulantes"));
            if (id == 0) return hechos;
            hechosLote.push_back(id);
            if (d.valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id})
                    .isValid())
                throw ErrorAlmacen(
                    QStringLiteral("No se pueden generar postulantes."),
                    QStringLiteral("El número de orden %1 ya pertenece a otro postulante: el "
                                   "contador de postulantes está atrasado.")
                        .arg(id));
            Guardar(d, id, fuente.siguiente());
        }
        ActualizarPalabras(d, hechosLote);
        ActualizarClaves(d, hechosLote);
        t.confirmar();
        hechos += lote;
        if (progreso) progreso(hechos, cantidad);
    }
    return hechos;
}
