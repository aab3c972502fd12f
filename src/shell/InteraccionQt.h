#pragma once

#include "store/Interaccion.h"

#include <functional>

// The desktop program's message boxes, file dialogs, status text and hourglass.
class InteraccionQt : public Interaccion {
  public:
    Respuesta mostrar(const Mensaje& m) override;
    QString archivo(const DiálogoArchivo& d) override;
    // Scanners and cameras through SANE; the chosen device is kept in "Opciones"/"Escaner".
    bool imprimir(const QString& html, const QString& título) override;
    void portapapeles(const QString& texto, const QString& html) override;
    bool abrirExterno(const QString& archivo) override;
    bool elegirOrigen() override;
    bool escanear(const QString& archivo, QString& error) override;
    void estado(const QString& texto) override;
    void ocupado(bool sí) override;

    // Where status texts go (the main window's status bar).
    std::function<void(const QString&)> alEstado;
};
