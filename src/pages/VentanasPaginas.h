#pragma once

#include "pages/PaginaResultados.h"
#include "records/cPostulante.h"
#include "search/cBusqueda.h"

#include <QWidget>

class QAction;
class QTextBrowser;
class QUrl;

// The paged results of one search definition. Pages are built in memory and
// shown in a browser view that never follows a link by itself.
class frmResultado2 : public QWidget {
    Q_OBJECT

  public:
    explicit frmResultado2(QWidget* parent = nullptr);
    ~frmResultado2() override;

    // Loads and runs the definition `búsqueda.id` and shows its first page;
    // false when the result is empty.
    bool cargar();
    // Finds the applicants whose words match `palabras`, best first, and shows the
    // first page with where they matched; false when none does. A malformed query
    // is an ErrorAlmacen that explains it.
    bool cargarPalabras(const QString& palabras);
    void llenar_html(int primero);
    void imprimir();
    void copiar();
    // Writes every applicant of the result, in its order, to a spreadsheet the user picks.
    void exportar();
    void eliminar();
    void abrirEnlace(const QUrl& destino);
    const PáginaResultados& página() const { return página_; }

    cBúsqueda búsqueda;

  private:
    cResultado resultado_;
    PáginaResultados página_;
    QTextBrowser* htm_;
    QAction* anteriores_;
    QAction* siguientes_;
};

// One applicant's CV page.
class frmCVhtml : public QWidget {
    Q_OBJECT

  public:
    explicit frmCVhtml(QWidget* parent = nullptr);
    // Builds and shows the page of the loaded `postulante`.
    void cargar();
    // Shows, instead, the report of everything kept about them.
    void mostrarInforme();
    void modificar();
    void exportar();
    void imprimir();
    void copiar();

    cPostulante postulante;
    // Words to highlight on the page (as a keyword result found them).
    QStringList resaltar;

  private:
    QTextBrowser* htm_;
    QString html_;
};

// The applicant id a page link names ("post123"), or 0 for any other link.
int32_t IdDeEnlace(const QUrl& destino);
// The applicant a card or CV window shows; 0 for any other window.
int32_t PostulanteDeVentana(const QWidget* w);
// The card and CV windows of these applicants close without asking: they no longer exist.
void CerrarVentanasDe(const std::vector<int32_t>& ids);
// Shows the CV window of applicant `id`; says so when it no longer exists.
// `resaltar`: the words of the keyword search it was found by, highlighted.
void AbrirCV(int32_t id, const QStringList& resaltar = {});
// Opens the report of everything kept about applicant `id`, to read, print or save.
void AbrirInformeDatosPersonales(int32_t id);
// Opens the results window of a keyword search; says so when nothing matches.
void BuscarPalabrasClave(const QString& palabras);
