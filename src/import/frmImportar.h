#pragma once

#include <QDialog>

class QLineEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// Imports exchange files, showing the merge's counters while it runs and the
// final ones after it; another file can then be chosen and imported.
class frmImportar : public QDialog {
    Q_OBJECT

  public:
    explicit frmImportar(QWidget* parent = nullptr);
    void examinar();
    void importar();

  protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

  private:
    QLineEdit* archivo_;  // a path is never cleaned
    QWidget* entrada_;
    QWidget* estadísticas_;
    QLabel *estado_, *todos_, *importados_, *omitidos_, *actualizados_;
    QProgressBar* barra_;
    QPushButton *importar_, *cerrar_;
    bool corriendo_ = false;
};
