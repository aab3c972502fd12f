#include "shell/Fallas.h"

#include "shell/frmMDI.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"

namespace {

const QString kSinBase = QStringLiteral(
    "Candora no tiene conexión con la base de datos. Las fichas abiertas conservan sus "
    "cambios: guárdelas cuando la base vuelva a estar disponible. Candora intentará abrirla "
    "otra vez en la próxima operación, o use Sistema › Reabrir la base de datos.");

// Closes a store that no longer answers; every later use asks for it again.
void SinBase() {
    if (frmMDI* m = VentanaPrincipal())
        m->PerderBase();
    else
        dic.reset();
}

}  // namespace

void InformarFalla(const QString& operación, const std::exception& e) {
    const auto* almacén = dynamic_cast<const ErrorAlmacen*>(&e);
    // A store busy with another's lock is still there; anything else is checked.
    const bool perdida = almacén && !almacén->ocupado() && (!dic || !dic->responde());
    if (!perdida) {
        InformarError(operación, e);
        return;
    }
    SinBase();
    // The store's own words for a store that is gone are a technician's: they go to the details.
    const bool técnico = almacén->genérica() && almacén->explicación() == almacén->detalle();
    InformarError(operación, e, kSinBase,
                  técnico ? QStringLiteral("La base de datos dejó de responder.") : QString());
}

bool AbrirBaseOtraVez(const QString& operación) {
    QString aviso;
    try {
        aviso = AbrirBase();
    } catch (const ErrorAlmacen& e) {
        SinBase();
        InformarError(operación, e, kSinBase);
        return false;
    }
    if (frmMDI* m = VentanaPrincipal()) m->BaseRecuperada();
    if (!aviso.isEmpty()) MsgBox(aviso, Icono::Exclamación);
    return true;
}

bool Proteger(const QString& operación, const std::function<void()>& acción) {
    try {
        acción();
        return true;
    } catch (const std::exception& e) {
        InformarFalla(operación, e);
    }
    return false;
}

bool AplicacionCandora::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& e) {
        InformarFalla(QStringLiteral("No se pudo completar lo que pidió."), e);
    }
    return false;
}
