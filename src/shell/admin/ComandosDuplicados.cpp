#include "duplicates/Duplicados.h"
#include "duplicates/Fusion.h"
#include "shell/admin/Comandos.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"

#include <QElapsedTimer>

namespace {

constexpr const char* kUso =
    "duplicados [--salida ARCHIVO] | duplicados --no-son ID1 ID2 [--usuario NOMBRE]";

int uso(Contexto& c) {
    c.errores << "Uso: candora-admin " << kUso << '\n';
    return 2;
}

// Lists every pair that may be one person, best first, as tab-separated lines:
// both ids, the score, the evidence and how each applicant reads.
int duplicados(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    const QString noSon = a.contains(QLatin1String("--no-son")) ? QStringLiteral("si") : QString();
    if (!noSon.isEmpty()) {
        a.removeAll(QStringLiteral("--no-son"));
        const QString usuario = TomarUsuario(a, ok);
        int32_t x = 0, y = 0;
        if (ok && a.size() == 2) {
            x = a.at(0).toInt(&ok);
            if (ok) y = a.at(1).toInt(&ok);
        }
        if (!ok || a.size() != 2 || x <= 0 || y <= 0 || x == y || !salida.isEmpty()) return uso(c);
        c.abrir(Contexto::Uso::Escribir);
        DescartarPar(*dic, x, y, usuario);
        c.salida << "No se volverá a mostrar el par " << std::min(x, y) << " y " << std::max(x, y)
                 << ".\n";
        return 0;
    }
    if (!ok || !a.isEmpty()) return uso(c);
    c.abrir();
    QElapsedTimer reloj;
    reloj.start();
    const Duplicados d = BuscarDuplicados(*dic);
    QString texto;
    for (const ParDuplicado& p : d.pares)
        texto += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                     .arg(p.a)
                     .arg(p.b)
                     .arg(p.puntaje())
                     .arg(p.evidencia(), p.nombreA, p.nombreB);
    if (!EscribirPágina(c, salida, texto)) return 1;
    c.errores << d.pares.size() << (d.pares.size() == 1 ? " par posible" : " pares posibles")
              << " en " << QString::number(reloj.elapsed() / 1000.0, 'f', 1) << " s";
    if (d.clavesOmitidas > 0)
        c.errores << "; " << d.clavesOmitidas << " datos compartidos por más de " << kMáximoPorClave
                  << " postulantes no se tomaron como indicio";
    c.errores << '\n';
    return 0;
}

constexpr const char* kUsoFusionar = "fusionar CONSERVAR ELIMINAR [--usuario NOMBRE]";

// Merges the second applicant into the first, in one transaction.
int fusionar(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString usuario = TomarUsuario(a, ok);
    int32_t conservar = 0, eliminar = 0;
    if (ok && a.size() == 2) {
        conservar = a.at(0).toInt(&ok);
        if (ok) eliminar = a.at(1).toInt(&ok);
    }
    if (!ok || a.size() != 2 || conservar <= 0 || eliminar <= 0) {
        c.errores << "Uso: candora-admin " << kUsoFusionar << '\n';
        return 2;
    }
    c.abrir(Contexto::Uso::Escribir);
    UsuarioActual = usuario;
    FusionarPostulantes(*dic, conservar, eliminar, usuario);
    c.salida << "El postulante " << eliminar << " quedó fusionado en el " << conservar << ".\n";
    return 0;
}

}  // namespace

void ComandosDuplicados(std::vector<Comando>& comandos) {
    comandos.push_back({"duplicados", kUso, duplicados});
    comandos.push_back({"fusionar", kUsoFusionar, fusionar});
}
