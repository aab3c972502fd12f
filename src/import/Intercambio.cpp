#include "import/Intercambio.h"

#include "records/Generador.h"
#include "store/Archivos.h"
#include "store/ErrorAlmacen.h"

#include <QHash>

#include <random>

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

class Escritor {
  public:
    explicit Escritor(quint32 semilla) : azar_(semilla) {
        nombresF_ = ListaGenerador("nombres_femeninos");
        nombresM_ = ListaGenerador("nombres_masculinos");
        apellidos_ = ListaGenerador("apellidos");
        calles_ = ListaGenerador("calles");
        actividades_ = ListaGenerador("actividades");
        conocimientos_ = ListaGenerador("conocimientos");
        for (const QString& l : ListaGenerador("localidades"))
            localidades_ << l.section(u'\t', 0, 0);
        const QStringList rubros = ListaGenerador("empresa_rubros"),
                          palabras = ListaGenerador("empresa_palabras"),
                          sufijos = ListaGenerador("empresa_sufijos");
        for (int i = 0; i < 2000; ++i)
            empleadores_ << rubros[azar_() % rubros.size()] + u' ' +
                                palabras[azar_() % palabras.size()] + u' ' +
                                sufijos[azar_() % sufijos.size()];
        rubrosEmpresa_ = rubros;
    }

    QStringList postulante(int k, QStringList& formación, QStringList& idiomas,
                           QStringList& experiencia);

  private:
    int entre(int a, int b) { return a + int(azar_() % uint32_t(b - a + 1)); }
    bool moneda(int p) { return int(azar_() % 100) < p; }
    const QString& de(const QStringList& l) { return l[azar_() % l.size()]; }
    static QString t(const QString& s) { return u'"' + s + u'"'; }
    static QString n(qint64 v) { return QString::number(v); }

    std::mt19937 azar_;
    QStringList nombresF_, nombresM_, apellidos_, calles_, actividades_, conocimientos_,
        localidades_, empleadores_, rubrosEmpresa_;
};

QStringList Escritor::postulante(int k, QStringList& formación, QStringList& idiomas,
                                 QStringList& experiencia) {
    const int país = moneda(95) ? 1 : entre(2, 6);
    const QString doc = n(país) + u',' + t(n(30000000 + (qint64(k) * 7919) % 20000000));
    const bool mujer = moneda(52);
    const QString nombre = mujer ? de(nombresF_) : de(nombresM_);
    QStringList v{
        doc,
        t(nombre),
        t(de(apellidos_)),
        moneda(60) ? t(de(apellidos_)) : QStringLiteral("\"\""),
        n(mujer ? 1 : 2),
        n(entre(1, 28)),
        n(entre(1, 12)),
        n(entre(1960, 2006)),
        t(de(localidades_)),
        n(entre(1, 24)),
        n(país),
        n(país),
        n(entre(1, 6)),
        n(moneda(45) ? 1 : 0),
        t(de(calles_) + u' ' + n(entre(1, 9800))),
        moneda(20) ? t(QStringLiteral("Palermo")) : QStringLiteral("\"\""),
        t(de(localidades_)),
        n(entre(1, 24)),
        n(1),
        t(n(entre(1000, 9431))),
        n(1),
        t(QStringLiteral("11 %1-%2").arg(entre(5000, 6999)).arg(entre(1000, 9999))),
        t(QStringLiteral("09:00")),
        t(QStringLiteral("18:00")),
        n(2),
        moneda(40) ? t(QStringLiteral("4%1-%2").arg(entre(100, 999)).arg(entre(1000, 9999)))
                   : QStringLiteral("\"\""),
        t(QStringLiteral("00:00")),
        t(QStringLiteral("23:30")),
        n(1),
        QStringLiteral("\"\""),
        t(QStringLiteral("00:00")),
        t(QStringLiteral("23:30")),
        t(QStringLiteral("postulante%1@correo.com.ar").arg(k)),
        n(entre(1, 15)),
        moneda(50) ? t(QStringLiteral("Escuela Media %1").arg(entre(1, 60)))
                   : QStringLiteral("\"\""),
        n(entre(1, 4)),
        n(entre(0, 5)),
        moneda(60) ? t(de(conocimientos_)) : QStringLiteral("\"\""),
        n(entre(30, 300) * 10000),
        QString::number(entre(2000, 20000) / 4.0, 'f', 2),
        n(moneda(70)),
        n(moneda(40)),
        n(moneda(80)),
        n(moneda(50)),
        n(moneda(15)),
        n(entre(1, 6)),
        n(entre(1, 7)),
        n(entre(150, 195)),
        n(0),
        n(0),
        n(0),
        moneda(30) ? t(QStringLiteral("Aviso %1").arg(entre(1, 500))) : QStringLiteral("\"\""),
        t(QStringLiteral("2026%1%2")
              .arg(entre(1, 12), 2, 10, QLatin1Char('0'))
              .arg(entre(1, 28), 2, 10, QLatin1Char('0')) +
          QStringLiteral("090000")),
        n(moneda(70) ? entre(1, 27) : 0),
        n(moneda(40) ? entre(1, 27) : 0),
        n(moneda(20) ? entre(1, 27) : 0)};
    for (int i = 0, c = entre(0, 3); i < c; ++i) {
        const int ingreso = entre(1985, 2022);
        formación << doc + u',' +
                         QStringList{n(entre(1, 8)),
                                     n(entre(1, 22)),
                                     t(QStringLiteral("Licenciatura %1").arg(entre(1, 40))),
                                     t(QStringLiteral("Universidad Nacional %1").arg(entre(1, 30))),
                                     n(entre(1, 4)),
                                     n(entre(0, 40)),
                                     n(entre(0, 20)),
                                     QString::number(entre(400, 990) / 100.0, 'f', 2),
                                     n(ingreso),
                                     n(ingreso + entre(0, 7)),
                                     n(entre(0, 6))}
                             .join(u',');
    }
    for (int i = 0, c = entre(0, 3); i < c; ++i)
        idiomas << doc + u',' +
                       QStringList{n(i + 1), n(entre(1, 5)), n(entre(1, 5)), n(entre(1, 5))}.join(
                           u',');
    for (int i = 0, c = entre(0, 5); i < c; ++i) {
        const bool actual = i == 0 && moneda(40);
        const int ingreso = entre(1990, 2025);
        experiencia << doc + u',' +
                           QStringList{
                               n(entre(1, 27)),
                               n(entre(1, 33)),
                               t(de(empleadores_)),
                               t(de(rubrosEmpresa_)),
                               t(de(actividades_)),
                               n(entre(1, 12)),
                               n(ingreso),
                               n(actual ? 0 : entre(1, 12)),
                               n(actual ? 0 : ingreso + entre(0, 6)),
                               n(actual),
                               n(moneda(25)),
                               n(actual ? 0 : entre(1, 13)),
                               moneda(80) ? n(entre(150, 3000) * 1000) : QStringLiteral("null")}
                               .join(u',');
    }
    return v;
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
    Escritor e(semilla);
    QByteArray bloque;
    const auto escribir = [&](const QString& línea) { bloque += AWindows1252(línea) + "\r\n"; };
    escribir(QStringLiteral("[norvexa]"));
    escribir(QStringLiteral("Archivo de intercambio de Candora"));
    escribir(QStringLiteral("%1 postulantes").arg(cantidad));
    escribir(QString());
    // One block of sections per batch of applicants keeps the writer's memory flat.
    constexpr int kBloque = 500;
    for (int inicio = 0; inicio < cantidad; inicio += kBloque) {
        QStringList postulantes, formación, idiomas, experiencia;
        for (int k = inicio; k < std::min(cantidad, inicio + kBloque); ++k)
            postulantes << e.postulante(k + int(semilla % 1000) * 20000, formación, idiomas,
                                        experiencia)
                               .join(u',');
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
