#include "shell/InteraccionQt.h"

#include "filecard/Escaner.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTextDocument>
#include <QUrl>

namespace {

QMessageBox::StandardButton Botón(Respuesta r) {
    switch (r) {
        case Respuesta::Aceptar:
            return QMessageBox::Ok;
        case Respuesta::Cancelar:
            return QMessageBox::Cancel;
        case Respuesta::Sí:
            return QMessageBox::Yes;
        case Respuesta::No:
            return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

Respuesta InteraccionQt::mostrar(const Mensaje& m) {
    QMessageBox caja(QApplication::activeWindow());
    caja.setWindowTitle(m.título.isEmpty() ? QString::fromUtf8(kTítuloPrograma) : m.título);
    caja.setText(m.texto);
    if (!m.detalles.isEmpty()) caja.setDetailedText(m.detalles);
    switch (m.icono) {
        case Icono::Ninguno:
            caja.setIcon(QMessageBox::NoIcon);
            break;
        case Icono::Información:
            caja.setIcon(QMessageBox::Information);
            break;
        case Icono::Exclamación:
            caja.setIcon(QMessageBox::Warning);
            break;
        case Icono::Pregunta:
            caja.setIcon(QMessageBox::Question);
            break;
        case Icono::Crítico:
            caja.setIcon(QMessageBox::Critical);
            break;
    }
    std::vector<Respuesta> respuestas;
    switch (m.botones) {
        case Botones::Aceptar:
            respuestas = {Respuesta::Aceptar};
            break;
        case Botones::AceptarCancelar:
            respuestas = {Respuesta::Aceptar, Respuesta::Cancelar};
            break;
        case Botones::SíNo:
            respuestas = {Respuesta::Sí, Respuesta::No};
            break;
        case Botones::SíNoCancelar:
            respuestas = {Respuesta::Sí, Respuesta::No, Respuesta::Cancelar};
            break;
    }
    static const QHash<int, QString> rótulos = {{QMessageBox::Ok, QStringLiteral("Aceptar")},
                                                {QMessageBox::Cancel, QStringLiteral("Cancelar")},
                                                {QMessageBox::Yes, QStringLiteral("Sí")},
                                                {QMessageBox::No, QStringLiteral("No")}};
    for (size_t i = 0; i < respuestas.size(); ++i) {
        const Respuesta r = respuestas[i];
        QPushButton* b = caja.addButton(Botón(r));
        if (qsizetype(i) < m.rótulos.size()) {
            b->setText(m.rótulos.at(qsizetype(i)));
            b->setIcon(QIcon());  // a yes or no picture would not fit what the caption says
        } else {
            b->setText(rótulos.value(Botón(r)));
        }
        if (r == m.predeterminada) caja.setDefaultButton(b);
    }
    const bool conCancelar =
        std::find(respuestas.begin(), respuestas.end(), Respuesta::Cancelar) != respuestas.end();
    caja.setEscapeButton(caja.button(conCancelar ? QMessageBox::Cancel : Botón(respuestas.back())));
    caja.exec();
    const auto pulsado = caja.standardButton(caja.clickedButton());
    for (Respuesta r : respuestas)
        if (Botón(r) == pulsado) return r;
    return conCancelar ? Respuesta::Cancelar : respuestas.back();
}

QString InteraccionQt::archivo(const DiálogoArchivo& d) {
    QWidget* padre = QApplication::activeWindow();
    return d.guardar ? QFileDialog::getSaveFileName(padre, d.título, d.ruta, d.filtro)
                     : QFileDialog::getOpenFileName(padre, d.título, d.ruta, d.filtro);
}

bool InteraccionQt::imprimir(const QString& html, const QString& título) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(título);
    QPrintDialog diálogo(&impresora, QApplication::activeWindow());
    diálogo.setWindowTitle(QStringLiteral("Imprimir"));
    if (diálogo.exec() != QDialog::Accepted) return false;
    QTextDocument doc;
    doc.setHtml(html);
    doc.print(&impresora);
    return true;
}

bool InteraccionQt::abrirExterno(const QString& archivo) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(archivo));
}

void InteraccionQt::portapapeles(const QString& texto, const QString& html) {
    auto* datos = new QMimeData;
    datos->setText(texto);
    datos->setHtml(html);
    QApplication::clipboard()->setMimeData(datos);
}

bool InteraccionQt::elegirOrigen() {
    QString error;
    std::vector<DispositivoEscaner> dispositivos;
    {
        RelojDeArena reloj;  // SANE looks for devices on every bus: it takes a moment
        dispositivos = DispositivosEscaner(error);
    }
    if (dispositivos.empty()) {
        MsgBox(error, Icono::Información, Botones::Aceptar,
               QStringLiteral("Elegir escáner o cámara"));
        return false;
    }
    QStringList nombres;
    for (const DispositivoEscaner& d : dispositivos)
        nombres << d.descripción + QStringLiteral(" (") + d.nombre + u')';
    const QString actual = QSettings().value(QStringLiteral("Opciones/Escaner")).toString();
    int i = 0;
    for (size_t j = 0; j < dispositivos.size(); ++j)
        if (dispositivos[j].nombre == actual) i = int(j);
    bool ok = false;
    const QString elegido = QInputDialog::getItem(
        QApplication::activeWindow(), QStringLiteral("Elegir escáner o cámara"),
        QStringLiteral("Origen de las fotos:"), nombres, i, false, &ok);
    if (!ok) return false;
    QSettings().setValue(QStringLiteral("Opciones/Escaner"),
                         dispositivos[size_t(nombres.indexOf(elegido))].nombre);
    return true;
}

bool InteraccionQt::escanear(const QString& archivo, QString& error) {
    RelojDeArena reloj;
    return Escanear(QSettings().value(QStringLiteral("Opciones/Escaner")).toString(), archivo,
                    error);
}

void InteraccionQt::estado(const QString& texto) {
    if (alEstado) alEstado(texto);
}

void InteraccionQt::ocupado(bool sí) {
    if (sí)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
