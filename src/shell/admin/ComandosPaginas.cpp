#include "export/Exportacion.h"
#include "pages/PaginaCV.h"
#include "pages/PaginaResultados.h"
#include "records/cPostulante.h"
#include "search/cBusqueda.h"
#include "shell/admin/Comandos.h"
#include "store/Diccionario.h"

namespace {

constexpr const char* kUsoCV = "cv ID [--salida ARCHIVO] [--usuario NOMBRE]";
constexpr const char* kUsoResultados = "resultados BUSQUEDA [--pagina N] [--salida ARCHIVO]";

int uso(Contexto& c, const char* texto) {
    c.errores << "Uso: candora-admin " << QString::fromUtf8(texto) << '\n';
    return 2;
}

int cv(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    const QString usuario = TomarUsuario(a, ok);
    cPostulante p;
    if (ok && a.size() == 1) p.id = a.first().toInt(&ok);
    if (!ok || a.size() != 1 || p.id <= 0) return uso(c, kUsoCV);
    c.abrir();
    if (p.cargar() == 0) {
        c.errores << "No existe el postulante número " << p.id << ".\n";
        return 1;
    }
    return EscribirPágina(c, salida, PáginaCV(*dic, p, usuario)) ? 0 : 1;
}

int resultados(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    const QString página = TomarOpción(a, "--pagina", ok, QStringLiteral("1"));
    int número = 0;
    cBúsqueda b;
    if (ok) número = página.toInt(&ok);
    if (ok && a.size() == 1) b.id = a.first().toInt(&ok);
    if (!ok || a.size() != 1 || b.id <= 0 || número <= 0) return uso(c, kUsoResultados);
    c.abrir();
    if (!b.cargar()) {
        c.errores << "No existe la búsqueda número " << b.id << ".\n";
        return 1;
    }
    b.ejecutar();
    cResultado r;
    const int total = r.cargar(b.id, b.Título, b.palabrasResaltar());
    const int tamaño = cResultado::TamañoPágina;
    const int páginas = (total + tamaño - 1) / tamaño;
    if (número > std::max(páginas, 1)) {
        c.errores << "La búsqueda tiene " << páginas << (páginas == 1 ? " página" : " páginas")
                  << " de resultados.\n";
        return 1;
    }
    if (!EscribirPágina(c, salida, r.página((número - 1) * tamaño + 1).html)) return 1;
    c.errores << total << (total == 1 ? " postulante" : " postulantes") << ", página " << número
              << " de " << std::max(páginas, 1) << '\n';
    return 0;
}

constexpr const char* kUsoExportar = "exportar BUSQUEDA --formato csv|xlsx --salida ARCHIVO";

// Runs a saved search and writes every applicant of its result, in its order.
int exportar(Contexto& c, const QStringList& argumentos) {
    QStringList a = argumentos;
    bool ok = true;
    const QString salida = TomarOpción(a, "--salida", ok);
    const QString formato = TomarOpción(a, "--formato", ok).toLower();
    cBúsqueda b;
    if (ok && a.size() == 1) b.id = a.first().toInt(&ok);
    if (!ok || a.size() != 1 || b.id <= 0 || salida.isEmpty() ||
        (formato != QLatin1String("csv") && formato != QLatin1String("xlsx")))
        return uso(c, kUsoExportar);
    c.abrir(Contexto::Uso::Escribir);  // the audit log records the export
    if (!b.cargar()) {
        c.errores << "No existe la búsqueda número " << b.id << ".\n";
        return 1;
    }
    b.ejecutar();
    const int n = ExportarPostulantes(
        *dic, cBúsqueda::OrdenResultado(b.id),
        formato == QLatin1String("csv") ? FormatoExportación::Csv : FormatoExportación::Xlsx,
        salida);
    c.errores << n << (n == 1 ? " postulante exportado" : " postulantes exportados") << " a "
              << salida << '\n';
    return 0;
}

}  // namespace

void ComandosPaginas(std::vector<Comando>& comandos) {
    comandos.push_back({"exportar", kUsoExportar, exportar});
    comandos.push_back({"cv", kUsoCV, cv});
    comandos.push_back({"resultados", kUsoResultados, resultados});
}
