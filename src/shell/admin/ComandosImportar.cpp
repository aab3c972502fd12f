#include "import/Intercambio.h"
#include "import/cImportador.h"
#include "shell/admin/Comandos.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QFileInfo>

namespace {

void Barra(QTextStream& s, int hechos, int total) {
    const int ancho = 40;
    const int lleno = total ? int(qint64(hechos) * ancho / total) : ancho;
    s << "\r[" << QString(lleno, u'#') << QString(ancho - lleno, u' ') << "] " << hechos << '/'
      << total;
    s.flush();
}

// The console's messages, each on a line of its own after an unfinished progress bar.
class TrasLaBarra : public Interaccion {
  public:
    explicit TrasLaBarra(QTextStream& errores)
        : errores_(errores), anterior_(InstalarInteraccion(this)) {}
    ~TrasLaBarra() override { InstalarInteraccion(anterior_); }
    Respuesta mostrar(const Mensaje& m) override {
        if (barra) errores_ << '\n';
        errores_.flush();
        barra = false;
        InstalarInteraccion(anterior_);
        const Respuesta r = interaccion().mostrar(m);
        InstalarInteraccion(this);
        return r;
    }
    bool barra = false;  // a progress bar ends the current line

  private:
    QTextStream& errores_;
    Interaccion* anterior_;
};

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
    TrasLaBarra consola(c.errores);
    cImportador imp;
    imp.Archivo = a.first();
    int total = 0, hechos = 0;
    imp.alEmpezar = [&](int t) { total = t; };
    imp.alAvanzar = [&] {
        if (++hechos % 100 != 0 && hechos != total) return;
        Barra(c.errores, hechos, total);
        consola.barra = true;
    };
    const int r = imp.leer_intercambio();
    if (consola.barra) c.errores << '\n';
    c.salida << "Omitidos: " << imp.Cnt_Vacíos << '\n'
             << "Importados: " << imp.Cnt_Postulantes << '\n'
             << "Actualizados: " << imp.cnt_Actualizados << '\n';
    if (!imp.posiblesDuplicados.empty()) {
        c.salida << "Posibles duplicados: " << imp.posiblesDuplicados.size() << '\n';
        for (const ParDuplicado& p : imp.posiblesDuplicados)
            c.salida << "  " << p.nombreA << " y " << p.nombreB << ": " << p.evidencia() << '\n';
    }
    if (!imp.reaparecidos.empty()) {
        c.salida << "Suprimidos antes: " << imp.reaparecidos.size() << '\n';
        for (const Reaparecido& r : imp.reaparecidos)
            c.salida << "  " << r.postulante.nombre << ": suprimido el "
                     << FormatearFechaHora(r.supresión.momento) << " (" << r.supresión.detalle
                     << ")\n";
    }
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
    c.salida << "Archivo de intercambio escrito: " << a.first() << " ("
             << TextoCantidad(cantidad, QStringLiteral("postulante"), QStringLiteral("postulantes"))
             << ")\n";
    return 0;
}

}  // namespace

void ComandosImportar(std::vector<Comando>& comandos) {
    comandos.push_back({"importar", "importar ARCHIVO", importar});
    comandos.push_back({"generar-intercambio", "generar-intercambio ARCHIVO CANTIDAD [--semilla S]",
                        generarIntercambio});
}
