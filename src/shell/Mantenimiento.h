#pragma once

#include <QColor>
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class ceDropList;
class QLineEdit;
class QProgressBar;

// The data-source settings and the store's maintenance (relink and clean),
// and the data-entry options the custom controls follow. Only providers the
// program can open are offered; a setting it could not open is refused here,
// not at the next start.
class frmOpciones : public QDialog {
    Q_OBJECT

  public:
    explicit frmOpciones(QWidget* parent = nullptr);
    void aceptar();
    void revincular();
    void limpiar();
    // What the sample shows and Aceptar stores.
    void setColorActivo(const QColor& c);
    void setFondoFicha(const QColor& c);

  private:
    void cambiarColor(bool activo);
    void mostrarProveedor();
    void mostrarEjemplo();
    // The text that says why the data-source settings cannot be saved ("" when they can).
    QString motivoRechazo() const;
    QString proveedor() const;
    void guardar();
    QLineEdit *remoto_, *local_, *usuario_, *contraseña_, *ejemplo_;
    ceDropList* proveedor_;
    QLabel* ayudaProveedor_;
    QCheckBox *colorear_, *mayúsculas_, *autocompletar_;
    QFrame* muestra_;
    QColor colorActivo_, fondoFicha_;
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
