// candora: the desktop program.

#include "filecard/frmFicha.h"
#include "search/VentanasBusqueda.h"
#include "shell/Arranque.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/InstanciaUnica.h"
#include "shell/InteraccionQt.h"
#include "shell/Mantenimiento.h"
#include "shell/MarcaUso.h"
#include "shell/frmMDI.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"
#include "store/Respaldo.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Qt's file dialogs date their files in the system's format: the Argentine one.
    qputenv("LC_TIME", "es_AR.UTF-8");
    AplicacionCandora app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Candora"));
    QApplication::setApplicationName(QStringLiteral("Candora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Candora"));
    QApplication::setDesktopFileName(QStringLiteral("candora"));
    QApplication::setWindowIcon(IconoCandora());
    InstalarTraducciones();

    InstanciaUnica instancia(QStringLiteral("candora"));
    if (!instancia.primera()) return 0;
    RetirarRespaldosAbandonados();  // copies of the store left by a backup that was killed

    InteraccionQt interacción;
    InstalarInteraccion(&interacción);
    interacción.alEstado = [](const QString& t) {
        if (frmMDI* m = VentanaPrincipal()) m->MostrarEstado(t);
    };
    QObject::connect(&instancia, &InstanciaUnica::despertada, [] {
        if (frmMDI* m = VentanaPrincipal()) m->traerAlFrente();
    });

    InstalarFichas();
    InstalarBusquedas();
    InstalarMantenimiento();
    const MarcaUso enUso;
    const int fin = Arrancar(app.arguments().mid(1));
    if (fin < 0 && enUso.anteriorAnormal()) MsgBox(MarcaUso::Aviso(), Icono::Exclamación);
    const int código = fin >= 0 ? fin : app.exec();
    dic.reset();
    InstalarInteraccion(nullptr);
    return código;
}
