#pragma once

#include "records/Subregistros.h"

#include <QDialog>

#include <utility>
#include <vector>

class ceBoton;
class ceCombo;
class ceDropList;
class ceGuia;
class ceTxtBox;
class QCheckBox;
class QFormLayout;
class QPlainTextEdit;
struct Rango;

// What the five sub-record dialogs share: banner, form, "Aceptar" and
// "Cancelar", the remembered position, and the accepted flag the caller reads.
class DialogoSubregistro : public QDialog {
    Q_OBJECT

  public:
    bool aceptado = false;

  protected:
    DialogoSubregistro(const char* nombre, int título, int texto, QWidget* parent);
    // Caption "Agregar" or "Modificar", then the fields from the held sub-record.
    void preparar(bool nuevo);
    virtual void mostrarCampos() = 0;
    virtual void tomarCampos() = 0;
    // A number box whose value must fit a store column's range (a year: 0 or a
    // real year); Aceptar says so and keeps the dialog open when it does not.
    void exigirRango(ceTxtBox* t, const char* tabla, const char* columna);
    // The field that names the entry: the dialog opens with the focus in it and
    // Aceptar refuses an entry without it ("Falta el idioma", "Debe elegir el idioma.").
    void exigir(ceDropList* l, const char* nombre);

    ceDropList* lista(int rótulo, const char* nombre);
    ceCombo* libre(int rótulo, const char* nombre);
    ceTxtBox* número(int rótulo, const char* nombre, int ancho, qint64 máximo);
    ceTxtBox* texto(int rótulo, const char* nombre);
    QCheckBox* marca(int rótulo, const char* nombre);
    QPlainTextEdit* párrafo(int rótulo, const char* nombre);
    QFormLayout* formulario() const { return formulario_; }

    void showEvent(QShowEvent* e) override;
    void done(int r) override;

  private:
    bool enRango();
    bool completo();
    QFormLayout* formulario_;
    ceDropList* principal_ = nullptr;
    QString nombrePrincipal_;
    std::vector<std::pair<ceTxtBox*, const Rango*>> rangos_;
    bool posiciónPuesta_ = false;
};

class frmAgregarFamiliar : public DialogoSubregistro {
    Q_OBJECT

  public:
    explicit frmAgregarFamiliar(QWidget* parent = nullptr);
    void cargar(bool nuevo) { preparar(nuevo); }
    cFamiliar familiar;

  private:
    void mostrarCampos() override;
    void tomarCampos() override;
    ceDropList* parentesco_;
    ceTxtBox* nombre_;
    ceTxtBox* edad_;
    ceCombo* ocupación_;
    ceCombo* empresa_;
    QCheckBox *vive_, *convive_, *aCargo_;
};

class frmAgregarFormacion : public DialogoSubregistro {
    Q_OBJECT

  public:
    explicit frmAgregarFormacion(QWidget* parent = nullptr);
    void cargar(bool nuevo) { preparar(nuevo); }
    cFormación formación;

  private:
    void mostrarCampos() override;
    void tomarCampos() override;
    ceDropList *tipo_, *área_, *estado_;
    ceCombo *título_, *institución_;
    ceTxtBox *aprobadas_, *restantes_, *ingreso_, *último_, *promedio_, *completos_;
};

class frmAgregarIdioma : public DialogoSubregistro {
    Q_OBJECT

  public:
    explicit frmAgregarIdioma(QWidget* parent = nullptr);
    void cargar(bool nuevo) { preparar(nuevo); }
    cIdioma idioma;

  private:
    void mostrarCampos() override;
    void tomarCampos() override;
    ceDropList *idioma_, *lee_, *habla_, *escribe_;
};

class frmAgregarExperiencia : public DialogoSubregistro {
    Q_OBJECT

  public:
    explicit frmAgregarExperiencia(QWidget* parent = nullptr);
    void cargar(bool nuevo) { preparar(nuevo); }
    cExperiencia experiencia;

  private:
    void mostrarCampos() override;
    void tomarCampos() override;
    ceDropList *puesto_, *área_, *rubro_, *motivo_, *mesIngreso_, *mesEgreso_;
    ceCombo* empleador_;
    ceTxtBox *añoIngreso_, *añoEgreso_, *remuneración_;
    QCheckBox *actual_, *genteACargo_;
    QPlainTextEdit *tareas_, *observaciones_;
};

class frmAgregarInteres : public DialogoSubregistro {
    Q_OBJECT

  public:
    explicit frmAgregarInteres(QWidget* parent = nullptr);
    void cargar(bool nuevo) { preparar(nuevo); }
    uint8_t área = 0;

  private:
    void mostrarCampos() override;
    void tomarCampos() override;
    ceDropList* área_;
};
