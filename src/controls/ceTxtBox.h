#pragma once

#include "controls/OpcionesEntrada.h"
#include "store/Controles.h"

#include <QLineEdit>

// A text box with an input mask. Mascara 0 takes any text, 1 a whole number,
// 2 a decimal number (a typed comma becomes the point). Typed and pasted text
// go through the same filter. Enter moves to the next field. What the user
// typed is cleaned (outer blanks trimmed, runs of blanks collapsed) when the
// field is left; a field only visited keeps its text exactly. It follows the
// data-entry options: typed letters in upper case, and the active-field colour
// while it has the focus.
class ceTxtBox : public QLineEdit, public ControlTexto {
    Q_OBJECT
    Q_PROPERTY(int Mascara READ Mascara WRITE setMascara)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)

  public:
    explicit ceTxtBox(QWidget* parent = nullptr);

    int Mascara() const { return máscara_; }
    void setMascara(int máscara);
    QString Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    // The largest whole number the field takes (0: no limit); typing past it is refused.
    void setMáximo(qint64 máximo);
    int MaxLength() const { return maxLength(); }
    void setMaxLength(int largo) { QLineEdit::setMaxLength(largo); }

    QString Text() const override { return text(); }
    void setText(const QString& texto) override { QLineEdit::setText(texto); }
    int SelStart() const override;
    void setSelStart(int posición) override { setCursorPosition(posición); }
    int SelLength() const override { return int(selectedText().size()); }
    void setSelLength(int largo) override;

    // Cleans the text as leaving the field does: only when the user edited it.
    void limpiar();
    // Keeps typed letters as typed even with the upper-case option on (e-mail
    // addresses, paths). Password fields always do.
    void setSinMayúsculas(bool sí) { sinMayúsculas_ = sí; }

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    void filtrar();
    bool enMayúsculas() const;
    int máscara_ = 0;
    qint64 máximo_ = 0;
    QString tag_;
    bool sinMayúsculas_ = false;
    ResaltadoActivo resaltado_;
};

// True for Enter and Return without Ctrl, Alt or Meta.
bool EsEnter(const QKeyEvent& e);
