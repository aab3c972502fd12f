#include "import/Intercambio.h"

#include "records/Generador.h"
#include "store/Archivos.h"
#include "store/BaseEntregada.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Valores.h"

#include <QHash>
#include <QTemporaryDir>

namespace {

// windows-1252 bytes 0x80-0x9F; 0 where the code page defines nothing.
constexpr char16_t k1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

QString DesdeWindows1252(const QByteArray& bytes) {
    QString t;
    t.resize(bytes.size());
    QChar* d = t.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b >= 0x80 && b < 0xA0 && k1252[b - 0x80] ? k1252[b - 0x80] : char16_t(b));
    }
    return t;
}

QByteArray AWindows1252(const QString& texto) {
    static const QHash<char16_t, char> altos = [] {
        QHash<char16_t, char> h;
        for (int i = 0; i < 32; ++i)
            if (k1252[i]) h.insert(k1252[i], char(0x80 + i));
        return h;
    }();
    QByteArray r;
    r.reserve(texto.size());
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            r += char(u);
        else
            r += altos.value(u, '?');
    }
    return r;
}

bool LeerListaValores(const QString& línea, QVariantList& valores, QString& motivo) {
    valores.clear();
    const qsizetype n = línea.size();
    qsizetype i = 0;
    const auto blancos = [&] {
        while (i < n && línea.at(i) == u' ') ++i;
    };
    for (;;) {
        blancos();
        if (i >= n) {
            motivo = valores.isEmpty() ? QStringLiteral("la línea no tiene valores")
                                       : QStringLiteral("falta un valor después de la última coma");
            return false;
        }
        const QChar c = línea.at(i);
        if (c == u'"') {
            const qsizetype fin = línea.indexOf(u'"', i + 1);
            if (fin < 0) {
                motivo = QStringLiteral("un texto entre comillas no se cierra");
                return false;
            }
            const QString t = línea.mid(i + 1, fin - i - 1);
            valores << (t.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(t));
            i = fin + 1;
        } else if (línea.mid(i, 4).compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) {
            valores << QVariant(QMetaType::fromType<QString>());
            i += 4;
        } else {
            const qsizetype inicio = i;
            if (i < n && (línea.at(i) == u'-' || línea.at(i) == u'+')) ++i;
            qsizetype cifras = 0, puntos = 0;
            while (i < n && (línea.at(i).isDigit() || línea.at(i) == u'.')) {
                (línea.at(i) == u'.' ? puntos : cifras)++;
                ++i;
            }
            if (cifras == 0 || puntos > 1) {
                motivo = QStringLiteral("«%1» no es un número, un texto entre comillas ni null")
                             .arg(línea.mid(inicio, 20).section(u',', 0, 0).trimmed());
                return false;
            }
            const QString número = línea.mid(inicio, i - inicio);
            bool ok = false;
            if (puntos == 0) {
                const qlonglong v = número.toLongLong(&ok);
                if (ok) valores << QVariant(v);
            }
            if (!ok) valores << QVariant(número.toDouble());
        }
        blancos();
        if (i >= n) return true;
        if (línea.at(i) != u',') {
            motivo = QStringLiteral("falta una coma entre dos valores (columna %1)")
                         .arg(valores.size() + 1);
            return false;
        }
        ++i;
    }
}

namespace {

// Every name of a lookup list by id: the exchange file names places, schools
// and employers where the store keeps ids.
QHash<int32_t, QString> Nombres(Diccionario& d, const char* tabla) {
    QHash<int32_t, QString> r;
    for (auto rs = d.AbrirRS(QStringLiteral("select id, nombre from %1").arg(QLatin1String(tabla)));
         !rs->eof(); rs->MoveNext())
        r.insert(int32_t(rs->entero(0)), rs->texto(1));
    return r;
}

// Writes the generator's applicants as exchange lines.
class Escritor {
  public:
    explicit Escritor(Diccionario& d)
        : localidades_(Nombres(d, "nvx_m_localidades")),
          barrios_(Nombres(d, "nvx_m_barrios")),
          institutos_(Nombres(d, "nvx_m_formacion_institutos")),
          títulos_(Nombres(d, "nvx_m_titulos")),
          empleadores_(Nombres(d, "nvx_m_empleadores")),
          rubros_(Nombres(d, "nvx_m_empleadores_rubros")) {}

    void escribir(const PostulanteDemo& p, QStringList& postulantes, QStringList& formación,
                  QStringList& idiomas, QStringList& experiencia) const;

  private:
    static QString t(const QString& s) { return u'"' + s + u'"'; }
    static QString n(qint64 v) { return QString::number(v); }
    static QString real(double v) { return QString::number(v, 'f', 2); }
    static QString nombre(const QHash<int32_t, QString>& lista, int32_t id) {
        return t(lista.value(id));
    }

    QHash<int32_t, QString> localidades_, barrios_, institutos_, títulos_, empleadores_, rubros_;
};

void Escritor::escribir(const PostulanteDemo& p, QStringList& postulantes, QStringList& formación,
                        QStringList& idiomas, QStringList& experiencia) const {
    const QString doc = n(p.país) + u',' + t(p.documento);
    const auto interés = [&](size_t i) { return n(i < p.intereses.size() ? p.intereses[i] : 0); };
    postulantes << QStringList{doc, t(p.nombre), t(p.apellido), t(p.apellidoMaterno), n(p.sexo),
                               n(p.nacimiento.day()), n(p.nacimiento.month()),
                               n(p.nacimiento.year()), nombre(localidades_, p.nacLocalidad),
                               n(p.nacProvincia), n(p.país), n(p.país), n(p.estadoCivil),
                               n(p.hijos), t(p.calle), nombre(barrios_, p.barrio),
                               nombre(localidades_, p.resLocalidad), n(p.resProvincia), n(1),
                               t(p.códigoPostal), n(1), t(p.tel1), t(p.tel1Desde), t(p.tel1Hasta),
                               n(p.tel2Tipo), t(p.tel2), t(QStringLiteral("00:00")),
                               t(QStringLiteral("23:30")), n(1), t(QString()),
                               t(QStringLiteral("00:00")), t(QStringLiteral("23:30")), t(p.email),
                               n(p.orientación), t(p.escuela), n(p.escuelaEstado), n(p.escuelaAños),
                               // A line holds no line break: the note's lines go one after another.
                               t(p.conocimientos.join(QStringLiteral(", "))), n(qint64(p.mensual)),
                               real(p.hora), n(p.obraSocial), n(p.tiques), n(p.dependencia),
                               n(p.viajar), n(p.emigrar), n(p.dispSemanal), n(p.dispHoraria),
                               n(p.estatura), n(0), n(0), n(0), t(p.referencia), t(p.alta),
                               interés(0), interés(1), interés(2)}
                       .join(u',');
    for (const auto& e : p.estudios)
        formación << doc + u',' +
                         QStringList{n(e.nivel),
                                     n(e.área),
                                     nombre(títulos_, e.título),
                                     nombre(institutos_, e.instituto),
                                     n(e.estado),
                                     n(e.aprobadas),
                                     n(e.restantes),
                                     real(e.promedio),
                                     n(e.ingreso),
                                     n(e.último),
                                     n(e.completos)}
                             .join(u',');
    for (const auto& i : p.idiomas)
        idiomas << doc + u',' +
                       QStringList{n(i.idioma), n(i.habla), n(i.lee), n(i.escribe)}.join(u',');
    for (const auto& e : p.empleos)
        experiencia << doc + u',' +
                           QStringList{n(e.área),
                                       n(e.puesto),
                                       nombre(empleadores_, e.empleador),
                                       nombre(rubros_, e.rubro),
                                       t(e.tareas.join(u' ')),
                                       n(e.ingresoMes),
                                       n(e.ingresoAño),
                                       n(e.egresoMes),
                                       n(e.egresoAño),
                                       n(e.actual),
                                       n(e.aCargo),
                                       n(e.motivo),
                                       e.sueldo > 0 ? n(qint64(e.sueldo)) : QStringLiteral("null")}
                               .join(u',');
}

}  // namespace

void EscribirIntercambio(const QString& ruta, int cantidad, quint32 semilla,
                         const std::function<void(int, int)>& progreso) {
    ArchivoCompleto f(ruta);
    const auto falla = [&] {
        return ErrorAlmacen(
            QStringLiteral("No se pudo guardar el archivo de intercambio en «%1»: %2")
                .arg(ruta, f.motivo()));
    };
    if (!f.abrir()) throw falla();
    // The applicants are drawn on a scratch copy of the delivered lookup lists,
    // whose codes a receiving store shares. Each seed numbers its documents in
    // a range of its own, past those of a generated store of a couple of
    // hundred thousand applicants, so that a file adds applicants to one.
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        throw ErrorAlmacen(
            QStringLiteral("No se pudo preparar el archivo de intercambio."),
            QStringLiteral("No se pudo crear una carpeta temporal: %1").arg(carpeta.errorString()));
    const QString listas = carpeta.filePath(QStringLiteral("listas.db"));
    CrearBase(listas);
    Diccionario d;
    d.abrirArchivo(listas, false);
    FuenteDemo fuente(d, semilla, 200000 + int(semilla % 1000) * 20000);
    const Escritor e(d);
    QByteArray bloque;
    const auto escribir = [&](const QString& línea) { bloque += AWindows1252(línea) + "\r\n"; };
    escribir(QStringLiteral("[norvexa]"));
    escribir(QStringLiteral("Archivo de intercambio de Candora"));
    escribir(TextoCantidad(cantidad, QStringLiteral("postulante"), QStringLiteral("postulantes")));
    escribir(QString());
    // One block of sections per batch of applicants keeps the writer's memory flat.
    constexpr int kBloque = 500;
    for (int inicio = 0; inicio < cantidad; inicio += kBloque) {
        QStringList postulantes, formación, idiomas, experiencia;
        for (int k = inicio; k < std::min(cantidad, inicio + kBloque); ++k)
            e.escribir(fuente.siguiente(), postulantes, formación, idiomas, experiencia);
        for (const auto& [sección, líneas] :
             {std::pair{"[postulantes]", &postulantes}, std::pair{"[formacion]", &formación},
              std::pair{"[idiomas]", &idiomas}, std::pair{"[experiencia]", &experiencia}}) {
            if (líneas->isEmpty()) continue;
            escribir(QLatin1String(sección));
            for (const QString& l : *líneas) escribir(l);
        }
        if (!f.escribir(bloque)) throw falla();
        bloque.clear();
        if (progreso) progreso(std::min(cantidad, inicio + kBloque), cantidad);
    }
    escribir(QStringLiteral("[eof]"));
    if (!f.escribir(bloque) || !f.confirmar()) throw falla();
}
