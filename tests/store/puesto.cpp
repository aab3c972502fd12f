// One workstation in a process of its own, for the tests of several workstations on one store.
// Usage: puesto (--base RUTA | --servidor CONEXION) ORDEN ...
//   claves TABLA N      allocates N keys of TABLA, one a line
//   guardar PREFIJO N   saves N new applicants named PREFIJO-i, each with one language;
//                       prints "id<TAB>surname" a line
//   buscar ID N         runs saved search ID N times; prints its applicants' ids a line per run
#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

int Correr(const QStringList& a) {
    const int n = a.value(2).toInt();
    if (a.value(0) == QLatin1String("claves")) {
        for (int i = 0; i < n; ++i) std::printf("%d\n", dic->PróximoID(a.value(1)));
    } else if (a.value(0) == QLatin1String("guardar")) {
        for (int i = 1; i <= n; ++i) {
            cPostulante p;
            p.Dni_País = 1;
            p.Dni_Número = QStringLiteral("%1%2").arg(a.value(1)).arg(i);
            p.Apellido = QStringLiteral("%1-%2").arg(a.value(1)).arg(i);
            p.Nombre = QStringLiteral("Prueba");
            p.idiomas.Add(uint8_t(1 + i % 3), 3, 2, 1);
            if (!p.guardar()) return 1;
            std::printf("%d\t%s\n", p.id, qPrintable(p.Apellido));
        }
    } else if (a.value(0) == QLatin1String("buscar")) {
        cBúsqueda b;
        b.id = a.value(1).toInt();
        if (!b.cargar()) return 1;
        for (int i = 0; i < n; ++i) {
            b.ejecutar();
            QByteArray línea;
            for (int32_t id : cBúsqueda::OrdenResultado(b.id))
                línea += QByteArray::number(id) + ' ';
            std::printf("%s\n", línea.constData());
        }
    } else {
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4) return 2;
    try {
        dic = std::make_unique<Diccionario>();
        if (a[1] == QLatin1String("--servidor"))
            dic->abrirServidor(a[2]);
        else
            dic->abrirArchivo(a[2], true);
        const int r = Correr(a.mid(3));
        dic.reset();
        return r;
    } catch (const ErrorAlmacen& e) {
        std::fprintf(stderr, "%s %s\n", qPrintable(e.textoUsuario()), qPrintable(e.detalle()));
        return 1;
    }
}
