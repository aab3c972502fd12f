#include "duplicates/Duplicados.h"
#include "search/Palabras.h"
#include "search/cBusqueda.h"
#include "shell/admin/Comandos.h"
#include "store/Diccionario.h"
#include "store/Palabras.h"
#include "store/Valores.h"

#include <QElapsedTimer>

namespace {

int búsquedas(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString usuario = TomarUsuario(a, ok);
    if (!ok || a.size() > 1) {
        c.errores << "Uso: candora-admin búsquedas [Nombre|Usuario|alta] [--usuario NOMBRE]\n";
        return 2;
    }
    c.abrir();
    auto rs = cBúsqueda::Visibles(usuario, a.isEmpty() ? QStringLiteral("Nombre") : a.first());
    for (; !rs->eof(); rs->MoveNext())
        c.salida << rs->entero(QStringLiteral("id")) << '\t' << rs->texto(QStringLiteral("nombre"))
                 << '\t' << rs->texto(QStringLiteral("usuario")) << '\t'
                 << FormatearFechaHora(rs->texto(QStringLiteral("alta"))) << '\t'
                 << (rs->entero(QStringLiteral("publica")) ? "pública" : "privada") << '\n';
    return 0;
}

int buscar(Contexto& c, const QStringList& a) {
    const char* uso =
        "buscar ID | buscar --condicion 'TABLA.COLUMNA OPERADOR VALOR' ... | buscar --palabras "
        "'TEXTO'";
    if (!a.isEmpty() && a.first() == QLatin1String("--palabras")) {
        if (a.size() != 2) {
            c.errores << "Uso: candora-admin " << uso << '\n';
            return 2;
        }
        c.abrir();
        const auto hallados = BuscarPorPalabras(*dic, a.at(1));
        for (const HalladoPalabras& h : hallados)
            c.salida << h.id << '\t' << h.apellido << '\t' << h.nombre << '\t'
                     << QString::number(h.rango, 'g', 4) << '\n';
        c.errores << hallados.size() << (hallados.size() == 1 ? " postulante\n" : " postulantes\n");
        return 0;
    }
    cBúsqueda b;
    bool ok = !a.isEmpty();
    if (ok && a.first() == QLatin1String("--condicion")) {
        ok = a.size() % 2 == 0;
        for (qsizetype i = 0; ok && i < a.size(); i += 2)
            ok = a.at(i) == QLatin1String("--condicion");
        if (ok) {
            c.abrir();
            for (qsizetype i = 1; i < a.size(); i += 2) b.AgregarCondición(a.at(i));
        }
    } else if (ok) {
        b.id = a.first().toInt(&ok);
        ok = ok && a.size() == 1 && b.id > 0;
        if (ok) {
            c.abrir();
            if (!b.cargar()) {
                c.errores << "No existe la búsqueda número " << b.id << ".\n";
                return 1;
            }
        }
    }
    if (!ok) {
        c.errores << "Uso: candora-admin " << uso << '\n';
        return 2;
    }
    b.ejecutar();
    auto rs = cBúsqueda::Resultado(b.id);
    for (; !rs->eof(); rs->MoveNext())
        c.salida << rs->entero(QStringLiteral("id")) << '\t'
                 << rs->texto(QStringLiteral("apellido")) << '\t'
                 << rs->texto(QStringLiteral("nombre")) << '\n';
    c.errores << rs->RecordCount() << (rs->RecordCount() == 1 ? " postulante\n" : " postulantes\n");
    if (b.id == 0) dic->ejecutar(QStringLiteral("delete from RESULTADO where CONSULTA = 0"));
    return 0;
}

int reindexar(Contexto& c, const QStringList& a) {
    if (!a.isEmpty()) {
        c.errores << "Uso: candora-admin reindexar\n";
        return 2;
    }
    c.abrir(Contexto::Uso::Escribir);
    QElapsedTimer reloj;
    reloj.start();
    const qint64 n = ReindexarPalabras(*dic, [&](qint64 hechos, qint64 total) {
        c.errores << "\rIndexando las palabras de los postulantes: " << hechos << " de " << total;
        c.errores.flush();
    });
    c.errores << '\n';
    ReconstruirClaves(*dic, [&](qint64 hechos, qint64 total) {
        c.errores << "\rClaves de duplicados: " << hechos << " de " << total;
        c.errores.flush();
    });
    c.errores << '\n';
    c.salida << "Postulantes indexados: " << n << " en "
             << QString::number(reloj.elapsed() / 1000.0, 'f', 1) << " s\n";
    return 0;
}

}  // namespace

void ComandosBusquedas(std::vector<Comando>& comandos) {
    comandos.push_back(
        {"búsquedas", "búsquedas [Nombre|Usuario|alta] [--usuario NOMBRE]", búsquedas});
    comandos.push_back(
        {"buscar",
         "buscar ID | buscar --condicion 'TABLA.COLUMNA OPERADOR VALOR' ... | buscar --palabras "
         "'TEXTO'",
         buscar});
    comandos.push_back({"reindexar", "reindexar", reindexar});
}
