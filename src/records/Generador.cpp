#include "records/Generador.h"

#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kLote = 2000;

}  // namespace

QStringList ListaGenerador(const char* nombre) {
    QFile f(QStringLiteral(":/generador/%1.txt").arg(QLatin1String(nombre)));
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorAlmacen(
            QStringLiteral("No se pueden generar postulantes."),
            QStringLiteral("Falta la lista «%1» en el programa.").arg(QLatin1String(nombre)));
    QStringList l = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (QString& s : l) s = s.trimmed();
    return l;
}

namespace {

QStringList Lista(const char* nombre) {
    return ListaGenerador(nombre);
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

class Generador {
  public:
    Generador(Diccionario& d, quint32 semilla) : d_(d), azar_(semilla) {}

    void preparar();
    void uno(int32_t id);

  private:
    uint32_t n(uint32_t hasta) { return hasta ? azar_() % hasta : 0; }
    int entre(int desde, int hasta) { return desde + int(n(uint32_t(hasta - desde + 1))); }
    bool moneda(int porCiento) { return int(n(100)) < porCiento; }
    template <class V>
    const auto& uno_de(const V& v) {
        return v[n(uint32_t(v.size()))];
    }
    QString fecha(int añoDesde, int añoHasta) {
        return QStringLiteral("%1%2%3%4%5%6")
            .arg(entre(añoDesde, añoHasta))
            .arg(entre(1, 12), 2, 10, QLatin1Char('0'))
            .arg(entre(1, 28), 2, 10, QLatin1Char('0'))
            .arg(entre(8, 19), 2, 10, QLatin1Char('0'))
            .arg(entre(0, 59), 2, 10, QLatin1Char('0'))
            .arg(entre(0, 59), 2, 10, QLatin1Char('0'));
    }
    QString documento(int país);

    Diccionario& d_;
    std::mt19937 azar_;
    QStringList nombresF_, nombresM_, apellidos_, calles_, actividades_, conocimientos_;
    struct Localidad {
        int32_t id;
        int32_t provincia;
    };
    std::vector<Localidad> localidades_;
    int32_t caba_ = 0;
    std::vector<int32_t> empleadores_, barrios_, estadosCiviles_, tiposTel_, parentescos_,
        ocupaciones_, rubros_, áreasExp_, puestos_, motivos_, tiposForm_, áreasForm_, estadosForm_,
        institutos_, títulos_, orientaciones_, idiomas_, niveles_, dispSem_, dispHor_, presencias_,
        contexturas_, zonas_, fuentes_;
    int32_t femenino_ = 1, masculino_ = 2;
    QSet<QString> documentos_;
    int siguienteDoc_[7] = {};
};

void Generador::preparar() {
    nombresF_ = Lista("nombres_femeninos");
    nombresM_ = Lista("nombres_masculinos");
    apellidos_ = Lista("apellidos");
    calles_ = Lista("calles");
    actividades_ = Lista("actividades");
    conocimientos_ = Lista("conocimientos");

    // Lookup items the applicants refer to, found or added once.
    Transaccion t(d_);
    for (const QString& línea : Lista("localidades")) {
        const QStringList partes = línea.split(u'\t');
        if (partes.size() != 2) continue;
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
    parentescos_ = Ids(d_, "nvx_m_parentescos");
    ocupaciones_ = Ids(d_, "nvx_m_ocupaciones");
    rubros_ = Ids(d_, "nvx_m_empleadores_rubros");
    áreasExp_ = Ids(d_, "nvx_m_experiencia_areas");
    puestos_ = Ids(d_, "nvx_m_experiencia_puestos");
    motivos_ = Ids(d_, "nvx_m_motivos_egreso");
    tiposForm_ = Ids(d_, "nvx_m_formacion_tipos");
    áreasForm_ = Ids(d_, "nvx_m_formacion_areas");
    estadosForm_ = Ids(d_, "nvx_m_formacion_estados");
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
QString Generador::documento(int país) {
    for (;;) {
        const qint64 k = siguienteDoc_[país]++;
        const QString número = QString::number(10000000 + (k * 7919 + país * 104729) % 40000000);
        if (!documentos_.contains(QString::number(país) + u'/' + número)) {
            documentos_.insert(QString::number(país) + u'/' + número);
            return número;
        }
    }
}

void Generador::uno(int32_t id) {
    // Detail rows first: their triggers then find no applicant row to touch yet.
    for (int i = 0, familia = entre(0, 3); i < familia; ++i)
        d_.ejecutar(
            QStringLiteral(
                "insert into nvx_d_familiares (postulante,parentesco,nombre,edad,vive,convive,"
                "acargo,ocupacion,empresa) values (?,?,?,?,?,?,?,?,?)"),
            {id, uno_de(parentescos_), moneda(50) ? uno_de(nombresF_) : uno_de(nombresM_),
             entre(1, 80), moneda(92), moneda(60), moneda(40),
             moneda(70) ? uno_de(ocupaciones_) : 0, 0});
    for (int i = 0, estudios = entre(0, 3); i < estudios; ++i) {
        const int ingreso = entre(1980, 2022);
        d_.ejecutar(
            QStringLiteral(
                "insert into nvx_d_formacion (postulante,nivel,area,titulo,institucion,estado,"
                "materias_aprobadas,materias_restantes,promedio,ingreso,ultimo,completos) "
                "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
            {id, uno_de(tiposForm_), uno_de(áreasForm_), uno_de(títulos_), uno_de(institutos_),
             uno_de(estadosForm_), entre(0, 40), entre(0, 20),
             RedondearSimple(entre(400, 990) / 100.0), ingreso, ingreso + entre(0, 7),
             entre(0, 6)});
    }
    {
        std::vector<int32_t> lenguas = idiomas_;
        std::shuffle(lenguas.begin(), lenguas.end(), azar_);
        for (int i = 0, cuántos = std::min<int>(entre(0, 3), int(lenguas.size())); i < cuántos; ++i)
            d_.ejecutar(
                QStringLiteral("insert into nvx_d_idiomas (postulante,idioma,habla,lee,escribe) "
                               "values (?,?,?,?,?)"),
                {id, lenguas[i], uno_de(niveles_), uno_de(niveles_), uno_de(niveles_)});
    }
    for (int i = 0, empleos = entre(0, 5); i < empleos; ++i) {
        const bool actual = i == 0 && moneda(40);
        const int ingreso = entre(1990, 2025);
        const QString tareas =
            uno_de(actividades_) +
            (moneda(50) ? QStringLiteral("\n") + uno_de(actividades_) : QString());
        d_.ejecutar(
            QStringLiteral(
                "insert into nvx_d_experiencia (postulante,area,puesto,empleador,empleador_rubro,"
                "actividades,ingreso_mes,ingreso_ano,egreso_mes,egreso_ano,empleo_actual,"
                "gente_acargo,motivo_egreso,observaciones,remuneracion) "
                "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {id, uno_de(áreasExp_), uno_de(puestos_), uno_de(empleadores_), uno_de(rubros_), tareas,
             entre(1, 12), ingreso, actual ? 0 : entre(1, 12), actual ? 0 : ingreso + entre(0, 6),
             actual ? 1 : 0, moneda(25) ? 1 : 0, actual ? 0 : uno_de(motivos_),
             moneda(10) ? QVariant(QStringLiteral("Buenas referencias.")) : ValorTexto(QString()),
             moneda(80) ? QVariant(double(entre(150, 3000) * 1000)) : ValorNumérico(QString())});
    }
    {
        std::vector<int32_t> áreas = áreasExp_;
        std::shuffle(áreas.begin(), áreas.end(), azar_);
        for (int i = 0, cuántas = std::min<int>(entre(0, 3), int(áreas.size())); i < cuántas; ++i)
            d_.ejecutar(QStringLiteral("insert into nvx_d_interes (postulante,area) values (?,?)"),
                        {id, áreas[i]});
    }
    for (int i = 0, fotos = entre(0, 2); i < fotos; ++i)
        d_.ejecutar(
            QStringLiteral("insert into nvx_d_fotos (postulante,titulo,foto) values (?,?,?)"),
            {id, i == 0 ? QStringLiteral("Foto de perfil") : QStringLiteral(""),
             QStringLiteral("/srv/candora/fotos/%1_%2.jpg").arg(id).arg(i + 1)});

    const bool mujer = moneda(52);
    const QString nombre = mujer ? uno_de(nombresF_) : uno_de(nombresM_);
    const QString apellido = uno_de(apellidos_);
    const int país = moneda(92) ? 1 : entre(2, 6);
    const Localidad& nac = uno_de(localidades_);
    const Localidad& res = moneda(70) ? nac : uno_de(localidades_);
    const bool segundoTel = moneda(40);
    QStringList saberes;
    for (int i = 0, k = entre(0, 3); i < k; ++i) saberes << uno_de(conocimientos_);
    const QString alta = fecha(2019, 2026);
    const QVariant nulo = ValorTexto(QString());

    d_.ejecutar(
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
         país,
         documento(país),
         nombre,
         apellido,
         moneda(60) ? QVariant(uno_de(apellidos_)) : nulo,
         mujer ? femenino_ : masculino_,
         entre(1, 28),
         entre(1, 12),
         entre(1960, 2006),
         nac.id,
         nac.provincia,
         país,
         país,
         uno_de(estadosCiviles_),
         moneda(45) ? 1 : 0,
         QStringLiteral("%1 %2").arg(uno_de(calles_)).arg(entre(1, 9800)) +
             (moneda(30) ? QStringLiteral(" piso %1 depto %2")
                               .arg(entre(1, 20))
                               .arg(QChar(u'A' + entre(0, 7)))
                         : QString()),
         res.provincia == caba_ ? uno_de(barrios_) : 0,
         res.id,
         res.provincia,
         1,
         QString::number(entre(1000, 9431)),
         QStringLiteral("%1.%2%3@%4")
             .arg(Ascii(nombre), Ascii(apellido))
             .arg(entre(1, 999))
             .arg(uno_de(std::vector<QString>{
                 QStringLiteral("correo.com.ar"), QStringLiteral("gmail.com"),
                 QStringLiteral("hotmail.com"), QStringLiteral("yahoo.com.ar")})),
         1,
         QStringLiteral("11 %1-%2")
             .arg(entre(5000, 6999))
             .arg(entre(0, 9999), 4, 10, QLatin1Char('0')),
         moneda(30) ? QStringLiteral("09:00") : QStringLiteral("00:00"),
         moneda(30) ? QStringLiteral("18:00") : QStringLiteral("23:30"),
         segundoTel ? uno_de(tiposTel_) : 1,
         segundoTel ? QVariant(QStringLiteral("4%1-%2")
                                   .arg(entre(100, 999))
                                   .arg(entre(0, 9999), 4, 10, QLatin1Char('0')))
                    : nulo,
         1,
         uno_de(orientaciones_),
         moneda(50) ? QVariant(QStringLiteral("Escuela de Educación Media %1").arg(entre(1, 60)))
                    : nulo,
         entre(1, 3),
         entre(0, 5),
         saberes.isEmpty() ? nulo : QVariant(saberes.join(u'\n')),
         entre(30, 300) * 10000,
         RedondearSimple(entre(2000, 20000) / 4.0),
         1,
         1,
         moneda(70) ? 1 : 0,
         moneda(40) ? 1 : 0,
         moneda(80) ? 1 : 0,
         moneda(50) ? 1 : 0,
         moneda(15) ? 1 : 0,
         uno_de(dispSem_),
         uno_de(dispHor_),
         entre(150, 195),
         moneda(50) ? uno_de(presencias_) : 0,
         moneda(50) ? uno_de(contexturas_) : 0,
         moneda(10) ? QVariant(QStringLiteral("Disponibilidad inmediata.")) : nulo,
         uno_de(zonas_),
         uno_de(fuentes_),
         alta,
         alta,
         moneda(30) ? QVariant(QStringLiteral("Aviso %1").arg(entre(1, 500))) : nulo,
         moneda(95) ? 1 : 0});
}

}  // namespace

int GenerarPostulantes(Diccionario& d, int cantidad, quint32 semilla,
                       const std::function<void(int, int)>& progreso) {
    if (cantidad <= 0) return 0;
    RelojDeArena reloj;
    Generador g(d, semilla);
    g.preparar();
    int hechos = 0;
    while (hechos < cantidad) {
        Transaccion t(d);
        const int lote = std::min(kLote, cantidad - hechos);
        for (int i = 0; i < lote; ++i) {
            const int32_t id = d.PróximoID(QStringLiteral("nvx_m_postulantes"));
            if (id == 0) return hechos;
            if (d.valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id})
                    .isValid())
                throw ErrorAlmacen(
                    QStringLiteral("No se pueden generar postulantes."),
                    QStringLiteral("El número de orden %1 ya pertenece a otro postulante: el "
                                   "contador de postulantes está atrasado.")
                        .arg(id));
            g.uno(id);
        }
        t.confirmar();
        hechos += lote;
        if (progreso) progreso(hechos, cantidad);
    }
    return hechos;
}
