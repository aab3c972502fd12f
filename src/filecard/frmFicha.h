#pragma once

#include "records/cPostulante.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class ceCombo;
class ceDropList;
class ceScroll;
class ceTxtBox;
class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolBar;
class QVBoxLayout;

// One applicant's file card: six section pages, each built and filled from
// the record the first time it is shown; every edit goes straight into the
// record and marks the card modified.
class ListaDocumentos;

class frmFicha : public QWidget {
    Q_OBJECT

  public:
    explicit frmFicha(QWidget* parent = nullptr);
    ~frmFicha() override;

    // Prepares the window once the record is loaded and `nueva` is set.
    void cargar();
    // Validates and saves; false (the card keeps its edits) when nothing was saved.
    bool GuardarFicha();
    void mostrarSección(int sección);  // 1..6
    void setEdición(bool sí);

    cPostulante postulante;
    bool nueva = false;
    bool modificada = false;
    bool edición = false;

  public slots:
    void ComandoFamilia(const QString& op);
    void ComandoFormacion(const QString& op);
    void ComandoIdiomas(const QString& op);
    void ComandoExperiencia(const QString& op);
    void ComandoInteres(const QString& op);
    void ComandoFotos(const QString& op);

  protected:
    void closeEvent(QCloseEvent* e) override;
    // Files dropped anywhere on the card become its documents.
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    using Llenador = std::function<void()>;
    struct Página {
        QWidget* widget = nullptr;
        QVBoxLayout* capa = nullptr;
        bool etiquetada = false;
        bool llenada = false;
        std::vector<Llenador> llenadores;
        std::vector<QWidget*> datos;
    };

    // Builds and fills a section's page once.
    void preparar(int sección);
    void construir(int sección);
    void construirIdentificación(Página& p);
    void construirFormación(Página& p);
    void construirExperiencia(Página& p);
    void construirPretensiones(Página& p);
    void construirFotografías(Página& p);
    void construirObservaciones(Página& p);
    void llenar(int sección);
    void marcarModificada();
    void actualizarBarra();
    // "Apellido, Nombre (documento)": tells the open cards apart.
    void actualizarTítulo();
    void actualizarInternos();
    void calcularEdad();
    QString textoEdad() const;
    void eliminar();
    // Drops this card's edits and shows the applicant as stored now.
    void recargar();
    bool validar();
    // For a new card: when someone on file may be the same person, asks whether to
    // open that card instead, save anyway or go on editing. True to save.
    bool sinDuplicados();

    // Controls bound to record members, registered on the page being built.
    template <class M>
    ceDropList* lista(Página& p, const char* nombre, M cPostulante::*m, const char* tabla,
                      bool porOrden);
    ceCombo* libre(Página& p, const char* nombre, Elemento cPostulante::*m, const char* tabla,
                   bool porOrden);
    ceTxtBox* texto(Página& p, const char* nombre, QString cPostulante::*m);
    template <class M>
    ceTxtBox* número(Página& p, const char* nombre, M cPostulante::*m, qint64 máximo);
    template <class M>
    QCheckBox* marca(Página& p, const char* nombre, M cPostulante::*m, int rótulo);
    ceTxtBox* mostrado(Página& p, const char* nombre, std::function<QString()> valor);
    QListWidget* listaSubregistros(Página& p, const char* nombre, const QString& tag);

    void llenarListas();
    QString textoFamiliar(const cFamiliar& f);
    QString textoFormación(const cFormación& f);
    QString textoIdioma(const cIdioma& i);
    QString textoExperiencia(const cExperiencia& x);
    QString textoInterés(uint8_t área);
    void verFoto(int fila);

    std::array<Página, 6> páginas_;
    ceScroll* scrFichas_;
    QWidget* contenido_;
    QToolBar* tlbSecciones_;
    QToolBar* tlbComandos_;
    QAction* guardar_;
    QAction* eliminar_;
    QAction* editar_;
    QAction* informe_ = nullptr;
    QAction* suprimir_ = nullptr;
    QListWidget *lstFamilia_ = nullptr, *lstFormación_ = nullptr, *lstIdiomas_ = nullptr,
                *lstExperiencia_ = nullptr, *lstInterés_ = nullptr, *lstFotos_ = nullptr;
    QLabel* fotoVista_ = nullptr;
    ListaDocumentos* documentos_ = nullptr;
    ceDropList *nacDía_ = nullptr, *nacMes_ = nullptr, *nacDécada_ = nullptr, *nacUnidad_ = nullptr;
    ceTxtBox* edad_ = nullptr;
    std::vector<std::function<void()>> internos_;  // refreshed after a save
    bool llenando_ = false;
    bool enfocado_ = false;
};

// Opens file cards from the main window: the card factory, the F3 command, and
// bringing an open card to the front instead of opening it twice.
void InstalarFichas();
