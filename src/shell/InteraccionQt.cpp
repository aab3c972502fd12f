#include "shell/InteraccionQt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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
    for (Respuesta r : respuestas) {
        QPushButton* b = caja.addButton(Botón(r));
        b->setText(rótulos.value(Botón(r)));
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

void InteraccionQt::estado(const QString& texto) {
    if (alEstado) alEstado(texto);
}

void InteraccionQt::ocupado(bool sí) {
    if (sí)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
