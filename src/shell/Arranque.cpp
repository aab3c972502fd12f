#include "shell/Arranque.h"

#include "shell/Mantenimiento.h"
#include "shell/Posiciones.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"

#include <QApplication>
#include <QSettings>

#include <memory>

QString NombreDeSesión() {
    for (const char* v : {"USER", "LOGNAME", "USERNAME"})
        if (const QString n = qEnvironmentVariable(v).trimmed(); !n.isEmpty()) return n;
    return QStringLiteral("usuario");
}

bool EsInterruptorOpciones(const QStringList& argumentos) {
    return argumentos.join(u' ').toUpper() == QLatin1String("/OPCIONES");
}

QString TextoCerrarAntes() {
    return QStringLiteral(
        "Candora ya está abierto. Para cambiar el origen de los datos, cierre "
        "Candora y vuelva a iniciarlo con /OPCIONES.");
}

void OtroArranque(const QStringList& argumentos) {
    if (frmMDI* m = VentanaPrincipal())
        m->traerAlFrente();
    else if (QWidget* w = QApplication::activeModalWidget()) {
        w->raise();
        w->activateWindow();
    }
    if (EsInterruptorOpciones(argumentos)) MsgBox(TextoCerrarAntes(), Icono::Exclamación);
}

int Arrancar(const QStringList& argumentos) {
    // The switch shows the options window alone and ends; the store is never opened.
    if (EsInterruptorOpciones(argumentos)) {
        {
            frmOpciones opciones;
            opciones.exec();
        }
        dic.reset();
        return 0;
    }

    auto* principal = new frmMDI;
    principal->setAttribute(Qt::WA_DeleteOnClose);
    principal->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);  // laid out before the intro

    // The intro stays up, painted, through the slow steps, and goes whatever happens.
    std::unique_ptr<frmIntro> intro(new frmIntro(principal));
    intro->setModal(false);
    intro->show();
    intro->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (QSettings()
            .value(QStringLiteral("Opciones/AyudaRápidaVer"), QStringLiteral("1"))
            .toString() == QLatin1String("1")) {
        frmAyudaRapida ayuda(principal);
        ayuda.cargar();
    }

    QString sóloLectura;
    try {
        sóloLectura = AbrirBase();
    } catch (const ErrorAlmacen& e) {
        intro.reset();
        InformarError({}, e);  // the store's sentence names the step and the file
        delete principal;
        return 1;
    }
    MostrarEstado({});
    UsuarioActual = NombreDeSesión();
    principal->setUsuario(UsuarioActual);
    if (!sóloLectura.isEmpty()) {  // told once: the program still shows and reads everything
        intro.reset();
        MsgBox(sóloLectura, Icono::Exclamación);
    }
    return -1;
}
