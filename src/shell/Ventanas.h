#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QTextBrowser;

// The intro window: welcome, legal notice, version and "Comenzar".
class frmIntro : public QDialog {
    Q_OBJECT

  public:
    explicit frmIntro(QWidget* parent = nullptr);
};

// "Acerca de": the program, its version and licence, and the store in use.
class frmAcercaDe : public QDialog {
    Q_OBJECT

  public:
    explicit frmAcercaDe(QWidget* parent = nullptr);
    // The store the program works with, in words: its kind and its file or
    // server (never a password); says so when there is none.
    static QString BaseEnUso();
};

// The quick help: a page, "don't show again" and "Cerrar".
class frmAyudaRapida : public QDialog {
    Q_OBJECT

  public:
    explicit frmAyudaRapida(QWidget* parent = nullptr);
    // Shows the page modally; false (and nothing shown) when the configured
    // page does not exist.
    bool cargar();
    // The page: "Opciones"/"AyudaRápidaArchivo", or the one carried by the
    // program when the setting is absent. Empty when none can be shown.
    static QString Página();

  private:
    QTextBrowser* web_;
    QCheckBox* anular_;
};

// The wait notice of long loads.
class frmEspera : public QDialog {
    Q_OBJECT

  public:
    explicit frmEspera(QWidget* parent = nullptr);
    void setTexto(const QString& t);

  private:
    QLabel* texto_;
};

// Shows the wait notice (painted before the work goes on) and the hourglass
// for the life of the object, errors included.
class Espera {
  public:
    explicit Espera(const QString& texto = {});
    ~Espera();
    Espera(const Espera&) = delete;
    Espera& operator=(const Espera&) = delete;
    // Says how far the work has gone, painted at once.
    void texto(const QString& t);

  private:
    frmEspera* ventana_;
};
