#include "shell/Arranque.h"

#include "shell/Mantenimiento.h"
#include "shell/Posiciones.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>

QString NombreDeSesión() {
    for (const char* v : {"USER", "LOGNAME", "USERNAME"})
        if (const QString n = qEnvironmentVariable(v).trimmed(); !n.isEmpty()) return n;
    return QStringLiteral("usuario");
}

namespace {

// Qt's Spanish as written in Argentina ("archivo", not "fichero"), with the
// few texts of the print and file dialogs that it leaves in English.
class TraducciónQt : public QTranslator {
  public:
    QString translate(const char* contexto, const char* texto, const char* desambiguación,
                      int n) const override {
        QString r = QTranslator::translate(contexto, texto, desambiguación, n);
        if (r.isEmpty()) {
            static const QHash<QByteArray, QString> faltan = {
                {"Double Sided Printing", QStringLiteral("Impresión a doble faz")},
                {"Off", QStringLiteral("No")},
                {"Long side binding", QStringLiteral("Encuadernación por el lado largo")},
                {"Short side binding", QStringLiteral("Encuadernación por el lado corto")},
                {"Pages", QStringLiteral("Páginas")},
                {"Folder", QStringLiteral("Carpeta")},
                {"Drive", QStringLiteral("Unidad")}};
            return faltan.value(QByteArray(texto));
        }
        r.replace(QLatin1String("fichero"), QLatin1String("archivo"));
        r.replace(QLatin1String("Fichero"), QLatin1String("Archivo"));
        return r;
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool InstalarTraducciones() {
    QLocale::setDefault(LocaleVisible());
    static QTranslator* qt = nullptr;  // lives as long as the program
    if (qt) return true;
    auto t = std::make_unique<TraducciónQt>();
    if (!t->load(LocaleVisible(), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    qt = t.release();
    QCoreApplication::installTranslator(qt);
    return true;
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
