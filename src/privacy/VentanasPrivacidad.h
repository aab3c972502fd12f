#pragma once

#include "privacy/Supresion.h"

#include <QDate>
#include <QDialog>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The erasure's question: names whom, says what goes and that it cannot be
// undone, and asks for the reason, without which it does not go on.
class frmSupresion : public QDialog {
    Q_OBJECT

  public:
    frmSupresion(const std::vector<PostulanteASuprimir>& postulantes, const QString& motivo,
                 QWidget* parent = nullptr);
    QString motivo() const;

  private:
    QLineEdit* motivo_;
    QPushButton* suprimir_;
};

// Asks (proposing `motivo`), erases with the wait notice, closes the windows of
// those erased and says what came of it. True when they were erased.
bool SuprimirConPregunta(const std::vector<int32_t>& ids, const QString& motivo = {});

// The office's retention time, and the applicants it has run out for: the
// recruiter marks the ones to erase.
class frmConservacion : public QWidget {
    Q_OBJECT

  public:
    explicit frmConservacion(QWidget* parent = nullptr);
    // Reads the setting and the applicants due on `hoy`; how many are due.
    int cargar(const QDate& hoy = QDate::currentDate());
    void guardarPlazo();
    void marcarTodos();
    void suprimirMarcados();

  private:
    QCheckBox* conservar_;
    QSpinBox* años_;
    QTreeWidget* lista_;
    QLabel* estado_;
    QDate hoy_;
};

// Installs the Módulos menu's retention entry.
void InstalarPrivacidad();
