#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

// The data-source settings and the store's maintenance: relink and clean.
class frmOpciones : public QDialog {
    Q_OBJECT

  public:
    explicit frmOpciones(QWidget* parent = nullptr);
    void aceptar();
    void revincular();
    void limpiar();

  private:
    void guardar();
    QLineEdit *remoto_, *local_, *usuario_, *contraseña_;
    QComboBox* proveedor_;
};

// Backups of the shared database as verified cabinet files, and restoring one
// into a new file.
class frmRespaldo : public QDialog {
    Q_OBJECT

  public:
    explicit frmRespaldo(QWidget* parent = nullptr);
    void crear();
    void restaurar();

  private:
    QLabel* estado_;
    QProgressBar* barra_;
};

// Installs the import and backup commands of the main window.
void InstalarMantenimiento();
