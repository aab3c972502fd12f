#pragma once

#include <QString>

// What the core needs of a list or text control, so the lookup lists and the
// key-handling procedures work on the program's widgets and on test doubles alike.

class ControlLista {
  public:
    virtual ~ControlLista() = default;
    virtual void Clear() = 0;
    // Appends an entry and returns its position (0-based).
    virtual int AddItem(const QString& texto) = 0;
    virtual int ListCount() const = 0;
    virtual QString List(int índice) const = 0;
    virtual int ItemData(int índice) const = 0;
    virtual void setItemData(int índice, int dato) = 0;
    // -1 = no selection.
    virtual int ListIndex() const = 0;
    virtual void setListIndex(int índice) = 0;
};

class ControlTexto {
  public:
    virtual ~ControlTexto() = default;
    virtual QString Text() const = 0;
    virtual void setText(const QString& texto) = 0;
    virtual int SelStart() const = 0;
    virtual void setSelStart(int posición) = 0;
    virtual int SelLength() const = 0;
    virtual void setSelLength(int largo) = 0;
};

// An editable combo: a list with a text part.
class ControlCombo : public ControlLista, public ControlTexto {};
