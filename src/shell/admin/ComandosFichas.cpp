#include "records/Generador.h"
#include "shell/admin/Comandos.h"
#include "store/Diccionario.h"

#include <QElapsedTimer>

namespace {

int generar(Contexto& c, const QStringList& a) {
    const char* uso = "generar CANTIDAD [--semilla S]";
    bool ok = a.size() == 1 || (a.size() == 3 && a.at(1) == QLatin1String("--semilla"));
    const int cantidad = ok ? a.at(0).toInt(&ok) : 0;
    quint32 semilla = 1;
    if (ok && a.size() == 3) semilla = a.at(2).toUInt(&ok);
    if (!ok || cantidad <= 0) {
        c.errores << "Uso: candora-admin " << uso << '\n';
        return 2;
    }
    c.abrir(Contexto::Uso::Escribir);
    QElapsedTimer reloj;
    reloj.start();
    const int hechos = GenerarPostulantes(*dic, cantidad, semilla, [&](int h, int total) {
        c.errores << "\rGenerando postulantes: " << h << " de " << total;
        c.errores.flush();
    });
    c.errores << '\n';
    c.salida << "Postulantes generados: " << hechos << " en "
             << QString::number(reloj.elapsed() / 1000.0, 'f', 1) << " s\n";
    return hechos == cantidad ? 0 : 1;
}

}  // namespace

void ComandosFichas(std::vector<Comando>& comandos) {
    comandos.push_back({"generar", "generar CANTIDAD [--semilla S]", generar});
}
