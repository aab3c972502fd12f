#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class ceDropList;
class ceTxtBox;

// Finds an applicant by identity document, or offers to create one.
class frmABMFichas : public QDialog {
    Q_OBJECT

  public:
    explicit frmABMFichas(QWidget* parent = nullptr);

    uint8_t resultado = 0;  // 0 cancelled, 1 create a new applicant, 2 it exists
    uint8_t país = 0;
    QString documento;  // trimmed, as typed: leading zeros and letters stay
    int32_t id = 0;     // the existing applicant's id
    // Brings an open card of that document to the front; false when none is open.
    // Asked first, so an open card (a new one not yet saved too) is never opened twice.
    std::function<bool(uint8_t país, const QString& documento)> alFrente;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

  private:
    void aceptar();
    ceDropList* cmbPaís_;
    ceTxtBox* txtDocumento_;
    bool posiciónPuesta_ = false;
};
