#pragma once

#include <QFrame>
#include <QScrollArea>

class QDialog;
class QLabel;
class QVBoxLayout;
class ceBoton;

// A dialog's title banner: a picture and a caption on a light band.
class ceGuia : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

  public:
    explicit ceGuia(QWidget* parent = nullptr);
    QString Caption() const;
    void setCaption(const QString& c);
    void setPicture(const QIcon& i);

  private:
    QLabel* imagen_;
    QLabel* texto_;
};

// A horizontal etched rule.
class ceDivisor : public QFrame {
    Q_OBJECT

  public:
    explicit ceDivisor(QWidget* parent = nullptr);
};

// A vertically scrolling container. Its content is the visible child whose
// Tag property reads "CONTENIDO"; ajustar_scroll places it at the top and
// enables the scroll bar only when the content is taller than the view.
class ceScroll : public QScrollArea {
    Q_OBJECT

  public:
    explicit ceScroll(QWidget* parent = nullptr);
    void ajustar_scroll();
    // The focused control inside the container, or nullptr.
    QWidget* ActiveControl() const;

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QWidget* contenido() const;
};

// The frame every dialog shares: a banner with the program icon on top, and
// "Aceptar" (Enter) and "Cancelar" (Escape, rejects the dialog) at the foot.
QVBoxLayout* MarcoDeDiálogo(QDialog& d, const QString& guía);
ceBoton* PieDeDiálogo(QDialog& d, QVBoxLayout& l);
// A foot with "&Cerrar" alone (Escape too), which rejects the dialog.
ceBoton* PieDeCierre(QDialog& d, QVBoxLayout& l);
