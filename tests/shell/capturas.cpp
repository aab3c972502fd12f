// Writes pictures of the program's windows to look at:
//   capturas CARPETA [BASE ID]   (offscreen, no display needed)
// With a database and an applicant id, also the six pages of that file card
// and the sub-record dialogs.
#include "filecard/Dialogos.h"
#include "filecard/frmABMFichas.h"
#include "filecard/frmFicha.h"
#include "import/frmImportar.h"
#include "pages/VentanasPaginas.h"
#include "search/VentanasBusqueda.h"
#include "shell/Iconos.h"
#include "shell/Mantenimiento.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setWindowIcon(IconoCandora());
    UsuarioActual = QStringLiteral("ana");
    const QString carpeta = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const auto guardar = [&](QWidget& w, const char* nombre) {
        w.show();
        QApplication::processEvents();
        w.grab().save(carpeta + u'/' + QString::fromUtf8(nombre) + QStringLiteral(".png"));
    };
    frmMDI principal;
    principal.setUsuario(QStringLiteral("ana"));
    guardar(principal, "principal");
    frmIntro intro;
    guardar(intro, "intro");
    frmAyudaRapida ayuda;
    ayuda.findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"))
        ->setSource(QUrl(QStringLiteral("qrc:/ayuda/ayuda.htm")));
    guardar(ayuda, "ayuda");
    frmEspera espera;
    guardar(espera, "espera");
    for (QMenu* m : principal.menuBar()->findChildren<QMenu*>()) {
        if (m->objectName().isEmpty() || m == principal.menúComandos()) continue;
        emit m->aboutToShow();
        m->adjustSize();
        guardar(*m, m->objectName().toUtf8().constData());
        m->hide();
    }
    if (argc > 3) {
        dic = std::make_unique<Diccionario>();
        dic->abrirArchivo(QString::fromLocal8Bit(argv[2]), false);
        frmFicha ficha;
        ficha.postulante.id = QString::fromLocal8Bit(argv[3]).toInt();
        ficha.postulante.cargar();
        ficha.cargar();
        ficha.resize(1000, 760);
        for (int s = 1; s <= 6; ++s) {
            ficha.mostrarSección(s);
            guardar(ficha, QStringLiteral("ficha%1").arg(s).toUtf8().constData());
        }
        frmABMFichas abm;
        guardar(abm, "frmABMFichas");
        frmAgregarFamiliar fam;
        fam.familiar =
            ficha.postulante.familiares.Count() ? ficha.postulante.familiares.Item(1) : cFamiliar();
        fam.cargar(false);
        guardar(fam, "frmAgregarFamiliar");
        frmAgregarFormacion form;
        form.cargar(true);
        guardar(form, "frmAgregarFormacion");
        frmAgregarExperiencia exp;
        if (ficha.postulante.Experiencia.Count())
            exp.experiencia = ficha.postulante.Experiencia.Item(1);
        exp.cargar(false);
        guardar(exp, "frmAgregarExperiencia");
        frmAgregarIdioma idi;
        idi.cargar(true);
        guardar(idi, "frmAgregarIdioma");
        // A definition, its conditions, its results and one CV.
        cBúsqueda b;
        b.Título = QStringLiteral("Analistas con inglés");
        b.notas = QStringLiteral("Para el pedido de la consultora");
        b.usuario = UsuarioActual;
        b.AgregarCondición(QStringLiteral("nvx_d_idiomas.idioma contiene Inglés"));
        b.guardar();
        frmBusquedas lista;
        guardar(lista, "frmBusquedas");
        frmSubCondicion sub;
        sub.cargar(b.id, {});
        sub.mostrarGrupo(3);
        guardar(sub, "frmSubCondicion");
        frmCondicion cond;
        cond.cargar(QStringLiteral("nvx_m_postulantes"));
        cond.findChild<QListWidget*>(QStringLiteral("lstDatos"))->setCurrentRow(5);
        guardar(cond, "frmCondicion");
        frmResultado2 r;
        r.búsqueda.id = b.id;
        r.resize(900, 760);
        if (r.cargar()) guardar(r, "frmResultado2");
        frmCVhtml cv;
        cv.postulante.id = ficha.postulante.id;
        cv.postulante.cargar();
        cv.cargar();
        cv.resize(900, 760);
        guardar(cv, "frmCVhtml");
        frmImportar importar;
        guardar(importar, "frmImportar");
        frmRespaldo respaldo;
        guardar(respaldo, "frmRespaldo");
        frmAcercaDe acerca;
        guardar(acerca, "frmAcercaDe");
        frmOpciones opciones;
        guardar(opciones, "frmOpciones");
        dic.reset();
    }
    return 0;
}
