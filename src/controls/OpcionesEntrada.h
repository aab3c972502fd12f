#pragma once

#include <QColor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPalette>
#include <QString>

class QWidget;

// The data-entry options of settings section "Opciones", which the custom
// controls honour. They are read from the settings once, on first use, and
// again only when the options window changes them: a keystroke never reads the disk.
struct OpcionesEntrada {
    // "ColorearActivo": the focused input control's background in `colorActivo` ("ColorActivo").
    bool colorear = false;
    QColor colorActivo = QColor(255, 255, 192);
    // "ColorFondoFicha": the file card's background.
    QColor fondoFicha = QColor(255, 255, 255);
    // "Mayúsculas": typed letters go in upper case.
    bool mayúsculas = false;
    // "Autocompletar": editable combos complete what is typed from their list.
    bool autocompletar = true;

    // From the settings (the defaults above for absent or unreadable values).
    static OpcionesEntrada leer();
    // Writes them to the settings, keeps them as the current ones and tells the controls.
    void aplicar() const;
    // The options in force.
    static const OpcionesEntrada& actuales();
    // Reads the settings again (another window wrote them) and tells the controls.
    static void recargar();
};

// Hands `base` the key event `e` with `texto` (its letters in upper case) instead of its own.
template <class Base>
void TeclaConTexto(QKeyEvent* e, const QString& texto, Base base) {
    QKeyEvent otra(e->type(), e->key(), e->modifiers(), texto, e->isAutoRepeat(),
                   ushort(e->count()));
    base(&otra);
    e->setAccepted(otra.isAccepted());
}

// Hands `base` the input-method event `e` with its committed text in upper case.
template <class Base>
void EntradaEnMayúsculas(QInputMethodEvent* e, Base base) {
    QInputMethodEvent otra(e->preeditString(), e->attributes());
    otra.setCommitString(e->commitString().toUpper(), e->replacementStart(),
                         e->replacementLength());
    base(&otra);
}

// A colour as the settings write it: "&H00BBGGRR".
QString TextoColorAjuste(const QColor& c);
// "&H00BBGGRR" or a decimal number; `siNo` for anything else (system colours included).
QColor ColorAjuste(const QString& texto, const QColor& siNo);

// Raised when the options in force change.
class AvisoOpciones : public QObject {
    Q_OBJECT

  public:
    static AvisoOpciones& instancia();

  signals:
    void cambiaron();
};

// Paints a control's background in the active-field colour while it has the
// focus (when that option is on), and gives it back its own colours after.
class ResaltadoActivo {
  public:
    void entrar(QWidget& w);
    void salir(QWidget& w);
    // The options changed: a focused control follows them at once.
    void actualizar(QWidget& w, bool conFoco);
    bool puesto() const { return puesto_; }

  private:
    bool puesto_ = false;
    QPalette propia_;
};
