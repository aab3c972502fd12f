// Writes pictures of the program's windows to look at: capturas CARPETA
// (offscreen, no display needed).
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QUrl>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    return 0;
}
