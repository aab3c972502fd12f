#pragma once

#include "search/cBusqueda.h"

#include <QDialog>

#include <memory>

class ceCombo;
class ceDropList;
class ceTxtBox;
class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QTreeWidget;

// The definitions window: lists, sorts, creates, modifies, deletes and runs
// the search definitions the current user may see.
class frmBusquedas : public QDialog {
    Q_OBJECT

  public:
    explicit frmBusquedas(QWidget* parent = nullptr);
    // Reloads the list, keeping the definition `id` selected (0: the first).
    void cargarLista(int32_t id);
    int32_t seleccionado() const;
    int columnaOrden() const { return orden_; }
    void ordenarPor(int columna);

    void ejecutar();
    void nueva();
    void editar();
    void borrar();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void done(int r) override;

  private:
    void seleccionar();
    bool guardar(cBúsqueda& b, bool nueva);
    QTreeWidget* lista_;
    QPlainTextEdit* notas_;
    QToolBar* barra_;
    int orden_ = 0;
};

// The conditions of one definition, one group at a time.
class frmSubCondicion : public QDialog {
    Q_OBJECT

  public:
    explicit frmSubCondicion(QWidget* parent = nullptr);
    void cargar(int32_t id, const QString& usuario);
    void mostrarGrupo(int código);  // 1..6
    void agregar();
    void quitar();
    void aceptar();

    bool nueva = false;
    bool aceptado = false;
    cBúsqueda búsqueda;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void done(int r) override;

  private:
    void llenarLista();
    QListWidget* lista_;
    QPushButton* quitar_;
    QToolBar* grupos_;
    int grupo_ = 1;
};

// One condition: a column from the data dictionary, a comparison, a value.
class frmCondicion : public QDialog {
    Q_OBJECT

  public:
    explicit frmCondicion(QWidget* parent = nullptr);
    void cargar(const QString& tabla);
    void elegirColumna(int fila);
    void elegirComparación(int índice);
    void aceptar();

    bool aceptado = false;
    Condición condición;

  protected:
    void done(int r) override;

  private:
    QString tabla_;
    QListWidget* datos_;
    ceDropList* comparación_;
    QLabel* rótuloValor_;
    ceTxtBox* txtValor_;
    ceDropList* cmbValor_;
    bool llenando_ = false;
};

// Name, comments and sharing of a definition.
class frmNombreBusqueda : public QDialog {
    Q_OBJECT

  public:
    explicit frmNombreBusqueda(QWidget* parent = nullptr);
    void cargar();
    void aceptar();

    QString nombre;
    QString comentarios;
    uint8_t compartir = 0;
    int aceptado = 0;

  private:
    ceTxtBox* nombre_;
    QPlainTextEdit* comentarios_;
    QCheckBox* compartir_;
};

// Installs the F2 command of the main window.
void InstalarBusquedas();
