#pragma once

#include "duplicates/Duplicados.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

// The applicants that may be one person, best first, with their evidence: each
// pair's cards open side by side, merge into the one kept, or are set aside as
// two people so the pair is not listed again.
class frmDuplicados : public QWidget {
    Q_OBJECT

  public:
    explicit frmDuplicados(QWidget* parent = nullptr);
    // Reads the pairs again; the number found.
    int cargar();
    // The pair of the selected row; {0, 0} when none.
    std::pair<int32_t, int32_t> seleccionado() const;
    void abrirFichas();
    void fusionar();
    void noSonLaMismaPersona();

  private:
    QTreeWidget* lista_;
    QLabel* estado_;
    std::vector<ParDuplicado> pares_;
};

// Installs the Módulos menu's duplicates entry.
void InstalarDuplicados();
