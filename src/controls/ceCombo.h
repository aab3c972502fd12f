#pragma once

#include "controls/OpcionesEntrada.h"
#include "store/Controles.h"

#include <QComboBox>
#include <QWheelEvent>

// The list members both combos share, over the toolkit's combo box.
template <class Interfaz>
class ListaCombo : public QComboBox, public Interfaz {
  public:
    explicit ListaCombo(QWidget* parent = nullptr) : QComboBox(parent) {
        // The wheel scrolls the page past a list without the focus instead of changing it.
        setFocusPolicy(Qt::StrongFocus);
    }
    void Clear() override { clear(); }
    void RemoveItem(int índice) { removeItem(índice); }
    int ListCount() const override { return count(); }
    QString List(int índice) const override { return itemText(índice); }
    int ItemData(int índice) const override { return itemData(índice).toInt(); }
    void setItemData(int índice, int dato) override { QComboBox::setItemData(índice, dato); }

  protected:
    void wheelEvent(QWheelEvent* e) override {
        if (hasFocus() && acepta())
            QComboBox::wheelEvent(e);
        else
            e->ignore();
    }
    virtual bool acepta() const { return true; }
};

// An editable combo that completes what is typed from its own list (the
// toolkit's completer is off) and marks, on leaving, a text that is not one
// of its items. Enter moves to the next field. It follows the data-entry
// options: type-ahead on or off, typed letters in upper case, the
// active-field colour while it has the focus.
class ceCombo : public ListaCombo<ControlCombo> {
    Q_OBJECT
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)

  public:
    explicit ceCombo(QWidget* parent = nullptr);

    int AddItem(const QString& texto) override;
    // -1 when the text is not the selected item's.
    int ListIndex() const override;
    void setListIndex(int índice) override;
    bool Locked() const;
    void setLocked(bool sí);

    QString Text() const override { return currentText(); }
    void setText(const QString& texto) override { setEditText(texto); }
    int SelStart() const override;
    void setSelStart(int posición) override;
    int SelLength() const override;
    void setSelLength(int largo) override;

    // True while the text is marked as not in the list.
    bool fueraDeLista() const { return fuera_; }
    // A locked combo does not drop its list down.
    void showPopup() override;

  signals:
    void Click();

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool acepta() const override { return !Locked(); }

  private:
    void marcar(bool fuera);
    bool fuera_ = false;
    ResaltadoActivo resaltado_;
};

// A drop-down list without free text; typing selects the first item that
// begins with what was typed. Enter moves to the next field; it takes the
// active-field colour while it has the focus.
class ceDropList : public ListaCombo<ControlLista> {
    Q_OBJECT

  public:
    explicit ceDropList(QWidget* parent = nullptr);

    int AddItem(const QString& texto) override;
    int ListIndex() const override { return currentIndex(); }
    void setListIndex(int índice) override { setCurrentIndex(índice); }
    bool Locked() const { return locked_; }
    void setLocked(bool sí) { locked_ = sí; }

  signals:
    void Click();

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool acepta() const override { return !locked_; }

  private:
    bool locked_ = false;
    ResaltadoActivo resaltado_;
};
