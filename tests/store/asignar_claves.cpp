// Allocates keys of one table from a database file and prints each on its own line.
// Usage: asignar_claves BASE TABLA CANTIDAD
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 4) return 2;
    try {
        Diccionario d;
        d.abrirArchivo(a[1], true);
        const int cantidad = a[3].toInt();
        for (int i = 0; i < cantidad; ++i) std::printf("%d\n", d.PróximoID(a[2]));
    } catch (const ErrorAlmacen& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.textoUsuario()));
        return 1;
    }
    return 0;
}
