#pragma once

#include "records/Subregistros.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QScrollArea;

// Chooses a photo file or acquires one from a scanner or camera, and titles it.
class frmTomarFoto : public QDialog {
    Q_OBJECT

  public:
    explicit frmTomarFoto(QWidget* parent = nullptr);
    // With `nuevo` false the held photo's title and image are shown.
    void cargar(bool nuevo);
    void ajustar_scroll();

    cFoto foto;
    bool aceptado = false;
    int origen = 0;  // 0 none, 1 file, 2 scanner or camera

    // The folder the dialogs open in: "Opciones"/"CarpetaFotos", else the pictures folder.
    static QString CarpetaFotos();

  private:
    void archivo();
    void escaner();
    void aceptar();
    bool mostrar(const QString& ruta);

    QScrollArea* marco_;
    QLabel* imagen_;
    QLineEdit* título_;
};
