#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "shell/admin/Comandos.h"

#include <QFileInfo>

namespace {

void Barra(QTextStream& s, int hechos, int total) {
    const int ancho = 40;
    const int lleno = total ? int(qint64(hechos) * ancho / total) : ancho;
    s << "\r[" << QString(lleno, u'#') << QString(ancho - lleno, u' ') << "] " << hechos << '/'
      << total;
    s.flush();
}

int importar(Contexto& c, const QStringList& a) {
    if (a.size() != 1) {
        c.errores << "Uso: candora-admin importar ARCHIVO\n";
        return 2;
    }
    if (!QFileInfo(a.first()).isFile()) {
        c.errores << "No existe el archivo «" << a.first() << "».\n";
        return 1;
    }
    c.abrir(Contexto::Uso::Escribir);
    cImportador imp;
    imp.Archivo = a.first();
    int total = 0, hechos = 0;
    imp.alEmpezar = [&](int t) { total = t; };
    imp.alAvanzar = [&] {
        if (++hechos % 100 == 0 || hechos == total) Barra(c.errores, hechos, total);
    };
    const int r = imp.leer_intercambio();
    if (total) c.errores << '\n';
    c.salida << "Omitidos: " << imp.Cnt_Vacíos << '\n'
             << "Importados: " << imp.Cnt_Postulantes << '\n'
             << "Actualizados: " << imp.cnt_Actualizados << '\n';
    return r == 0 ? 0 : 1;
}

int generarIntercambio(Contexto& c, const QStringList& a) {
    bool ok = a.size() == 2 || (a.size() == 4 && a.at(2) == QLatin1String("--semilla"));
    const int cantidad = ok ? a.at(1).toInt(&ok) : 0;
    quint32 semilla = 1;
    if (ok && a.size() == 4) semilla = a.at(3).toUInt(&ok);
    if (!ok || cantidad <= 0) {
        c.errores << "Uso: candora-admin generar-intercambio ARCHIVO CANTIDAD [--semilla S]\n";
        return 2;
    }
    EscribirIntercambio(a.first(), cantidad, semilla,
                        [&](int h, int t) { Barra(c.errores, h, t); });
    c.errores << '\n';
    c.salida << "Archivo de intercambio escrito: " << a.first() << " (" << cantidad
             << " postulantes)\n";
    return 0;
}

}  // namespace

void ComandosImportar(std::vector<Comando>& comandos) {
    comandos.push_back({"importar", "importar ARCHIVO", importar});
    comandos.push_back({"generar-intercambio", "generar-intercambio ARCHIVO CANTIDAD [--semilla S]",
                        generarIntercambio});
}
