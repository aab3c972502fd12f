#include "controls/ceTxtBox.h"

#include "store/Valores.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QValidator>

namespace {

// What typing allows, applied to pasted and dropped text as well.
class FiltroNumérico : public QValidator {
  public:
    FiltroNumérico(bool decimales, qint64 máximo, QObject* padre)
        : QValidator(padre), decimales_(decimales), máximo_(máximo) {}
    State validate(QString& texto, int&) const override {
        if (decimales_) texto.replace(u',', u'.');
        static const QRegularExpression entero(QStringLiteral("^[0-9]*$"));
        static const QRegularExpression decimal(QStringLiteral("^[0-9]*\\.?[0-9]*$"));
        if (!(decimales_ ? decimal : entero).match(texto).hasMatch()) return Invalid;
        if (!decimales_ && máximo_ > 0 && !texto.isEmpty()) {
            bool ok = false;
            const qint64 n = texto.toLongLong(&ok);
            if (!ok || n > máximo_) return Invalid;
        }
        return Acceptable;
    }

  private:
    bool decimales_;
    qint64 máximo_;
};

}  // namespace

bool EsEnter(const QKeyEvent& e) {
    return (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) &&
           !(e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

ceTxtBox::ceTxtBox(QWidget* parent) : QLineEdit(parent) {
    connect(&AvisoOpciones::instancia(), &AvisoOpciones::cambiaron, this,
            [this] { resaltado_.actualizar(*this, hasFocus() && !isReadOnly()); });
}

void ceTxtBox::setMascara(int máscara) {
    máscara_ = máscara;
    filtrar();
}

void ceTxtBox::setMáximo(qint64 máximo) {
    máximo_ = máximo;
    filtrar();
}

void ceTxtBox::filtrar() {
    delete validator();
    setValidator(máscara_ == 1 || máscara_ == 2 ? new FiltroNumérico(máscara_ == 2, máximo_, this)
                                                : nullptr);
}

int ceTxtBox::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void ceTxtBox::setSelLength(int largo) {
    const int inicio = SelStart();
    if (largo > 0)
        setSelection(inicio, largo);
    else
        setCursorPosition(inicio);
}

void ceTxtBox::limpiar() {
    // Only what the user typed: a text shown as stored stays exactly as it is.
    if (!isModified()) return;
    QString t = text();
    LimpiarTexto(t);
    if (t != text()) QLineEdit::setText(t);
}

bool ceTxtBox::enMayúsculas() const {
    return OpcionesEntrada::actuales().mayúsculas && máscara_ == 0 && !sinMayúsculas_ &&
           echoMode() == QLineEdit::Normal;
}

bool ceTxtBox::event(QEvent* e) {
    // Enter is ours (next field): no window shortcut or default button takes it first.
    if (e->type() == QEvent::ShortcutOverride && EsEnter(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    return QLineEdit::event(e);
}

void ceTxtBox::keyPressEvent(QKeyEvent* e) {
    if (EsEnter(*e)) {
        focusNextChild();
        e->accept();
        return;
    }
    const QString t = e->text();
    if (máscara_ != 0 && t.size() == 1 && t.at(0).isPrint()) {
        int tecla = t.at(0).unicode();
        FiltrarTeclaNumérica(*this, tecla, máscara_ == 2);
        if (tecla == 0) {
            e->accept();
            return;
        }
        if (tecla != t.at(0).unicode()) {
            insert(QString(QChar(char16_t(tecla))));
            e->accept();
            return;
        }
    }
    if (t.size() == 1 && t.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier) &&
        enMayúsculas() && t.toUpper() != t) {
        TeclaConTexto(e, t.toUpper(), [this](QKeyEvent* k) { QLineEdit::keyPressEvent(k); });
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// Letters composed by an input method (dead keys, accents) are typed too.
void ceTxtBox::inputMethodEvent(QInputMethodEvent* e) {
    if (!enMayúsculas() || e->commitString().toUpper() == e->commitString()) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    EntradaEnMayúsculas(e, [this](QInputMethodEvent* m) { QLineEdit::inputMethodEvent(m); });
}

void ceTxtBox::focusInEvent(QFocusEvent* e) {
    if (!isReadOnly()) resaltado_.entrar(*this);
    QLineEdit::focusInEvent(e);
}

void ceTxtBox::focusOutEvent(QFocusEvent* e) {
    limpiar();
    // A menu over the field keeps it the active one.
    if (e->reason() != Qt::PopupFocusReason) resaltado_.salir(*this);
    QLineEdit::focusOutEvent(e);
}
