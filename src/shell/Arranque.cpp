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

int Arrancar(const QStringList& argumentos) {
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

    // The whole command line, upper-cased: extra arguments or blanks do not match.
    if (argumentos.join(u' ').toUpper() == QLatin1String("/OPCIONES")) {
        intro.reset();
        {
            frmOpciones opciones(principal);
            opciones.exec();
        }
        delete principal;
        dic.reset();
        return 0;
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
