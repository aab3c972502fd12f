#include "controls/ceCombo.h"

#include "controls/ceTxtBox.h"
#include "store/Valores.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

ceCombo::ceCombo(QWidget* parent) : ListaCombo(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // type-ahead is ours
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &ceCombo::Click);
    connect(&AvisoOpciones::instancia(), &AvisoOpciones::cambiaron, this,
            [this] { resaltado_.actualizar(*this, hasFocus()); });
}

int ceCombo::AddItem(const QString& texto) {
    const QString escrito = currentText();
    const int índice = ListIndex();
    addItem(texto);
    // Adding to an empty combo must not select the item or change the text.
    if (índice < 0) {
        QComboBox::setCurrentIndex(-1);
        setEditText(escrito);
    }
    return count() - 1;
}

int ceCombo::ListIndex() const {
    const int i = currentIndex();
    return i >= 0 && itemText(i) == currentText() ? i : -1;
}

void ceCombo::setListIndex(int índice) {
    setCurrentIndex(índice);
    if (índice >= 0) marcar(false);
}

bool ceCombo::Locked() const {
    return lineEdit()->isReadOnly();
}

void ceCombo::setLocked(bool sí) {
    lineEdit()->setReadOnly(sí);
}

int ceCombo::SelStart() const {
    const QLineEdit* e = lineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void ceCombo::setSelStart(int posición) {
    lineEdit()->setCursorPosition(posición);
}

int ceCombo::SelLength() const {
    return int(lineEdit()->selectedText().size());
}

void ceCombo::setSelLength(int largo) {
    const int inicio = SelStart();
    if (largo > 0)
        lineEdit()->setSelection(inicio, largo);
    else
        lineEdit()->setCursorPosition(inicio);
}

namespace {

// A printable character typed without Ctrl: what type-ahead and upper case act on.
bool EsCarácter(const QKeyEvent& k) {
    const QString t = k.text();
    return t.size() == 1 && t.at(0).isPrint() && !(k.modifiers() & Qt::ControlModifier);
}

// Enter is the control's own (next field): no window shortcut or default button takes it first.
bool TomarEnter(QEvent* e) {
    if (e->type() != QEvent::ShortcutOverride || !EsEnter(*static_cast<QKeyEvent*>(e)))
        return false;
    e->accept();
    return true;
}

}  // namespace

bool ceCombo::event(QEvent* e) {
    if (TomarEnter(e)) return true;
    return ListaCombo::event(e);
}

// The keyboard reaches the combo, which holds the focus for its text box.
void ceCombo::keyPressEvent(QKeyEvent* e) {
    if (EsEnter(*e)) {
        focusNextChild();
        e->accept();
        return;
    }
    if (lineEdit()->isReadOnly()) {
        // Locked: the text can be gone through and copied, the item stays.
        const int k = e->key();
        if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp || k == Qt::Key_PageDown)
            e->accept();
        else
            QComboBox::keyPressEvent(e);
        return;
    }
    if (!EsCarácter(*e)) {
        QComboBox::keyPressEvent(e);
        return;
    }
    const OpcionesEntrada& o = OpcionesEntrada::actuales();
    const QString t = o.mayúsculas ? e->text().toUpper() : e->text();
    // Completes only at the end of the text: a letter typed inside it is an edit.
    const int inicio = SelStart(), largo = SelLength();
    if (o.autocompletar && inicio + largo == lineEdit()->text().size() &&
        Autocompletar(*this, t.at(0).unicode(), inicio, largo) == 0) {
        marcar(false);
        e->accept();
        return;
    }
    if (t == e->text()) {
        QComboBox::keyPressEvent(e);
        return;
    }
    TeclaConTexto(e, t, [this](QKeyEvent* k) { QComboBox::keyPressEvent(k); });
}

void ceCombo::inputMethodEvent(QInputMethodEvent* e) {
    if (!OpcionesEntrada::actuales().mayúsculas || lineEdit()->isReadOnly() ||
        e->commitString().toUpper() == e->commitString()) {
        QComboBox::inputMethodEvent(e);
        return;
    }
    EntradaEnMayúsculas(e, [this](QInputMethodEvent* m) { QComboBox::inputMethodEvent(m); });
}

// Keys sent to the text box itself take the same way as the combo's.
bool ceCombo::eventFilter(QObject* o, QEvent* e) {
    if (o == lineEdit()) {
        if (TomarEnter(e)) return true;
        if (e->type() == QEvent::KeyPress) {
            keyPressEvent(static_cast<QKeyEvent*>(e));
            return true;
        }
    }
    return QComboBox::eventFilter(o, e);
}

void ceCombo::showPopup() {
    if (!Locked()) QComboBox::showPopup();
}

void ceCombo::focusInEvent(QFocusEvent* e) {
    marcar(false);
    resaltado_.entrar(*this);
    QComboBox::focusInEvent(e);
}

void ceCombo::focusOutEvent(QFocusEvent* e) {
    // Its own list dropping down keeps it the active field, and its text as it is.
    if (e->reason() == Qt::PopupFocusReason) {
        QComboBox::focusOutEvent(e);
        return;
    }
    resaltado_.salir(*this);
    QString t = currentText();
    // Only typed text is cleaned, and becomes the item it names (typed whole,
    // without type-ahead); an item shown or chosen stays as it is.
    if (lineEdit()->isModified()) {
        LimpiarTexto(t);
        const int i = t.isEmpty() ? -1 : findText(t, Qt::MatchFixedString);
        if (i >= 0 && i != ListIndex())
            setCurrentIndex(i);
        else if (i < 0 && t != currentText())
            setEditText(t);
    }
    marcar(!t.isEmpty() && ListIndex() < 0);
    QComboBox::focusOutEvent(e);
}

void ceCombo::marcar(bool fuera) {
    if (fuera == fuera_) return;
    fuera_ = fuera;
    QPalette p = lineEdit()->palette();
    p.setColor(QPalette::Text, fuera ? QColor(128, 0, 0) : palette().color(QPalette::Text));
    lineEdit()->setPalette(p);
    QFont f = lineEdit()->font();
    f.setItalic(fuera);
    lineEdit()->setFont(f);
}

ceDropList::ceDropList(QWidget* parent) : ListaCombo(parent) {
    connect(this, &QComboBox::activated, this, &ceDropList::Click);
    connect(&AvisoOpciones::instancia(), &AvisoOpciones::cambiaron, this,
            [this] { resaltado_.actualizar(*this, hasFocus()); });
}

bool ceDropList::event(QEvent* e) {
    if (TomarEnter(e)) return true;
    return ListaCombo::event(e);
}

int ceDropList::AddItem(const QString& texto) {
    const int índice = currentIndex();
    addItem(texto);
    if (índice < 0) setCurrentIndex(-1);  // filling selects nothing
    return count() - 1;
}

void ceDropList::keyPressEvent(QKeyEvent* e) {
    if (EsEnter(*e)) {
        focusNextChild();
        return;
    }
    if (locked_) return;
    QComboBox::keyPressEvent(e);
}

void ceDropList::mousePressEvent(QMouseEvent* e) {
    if (!locked_) QComboBox::mousePressEvent(e);
}

void ceDropList::focusInEvent(QFocusEvent* e) {
    resaltado_.entrar(*this);
    QComboBox::focusInEvent(e);
}

void ceDropList::focusOutEvent(QFocusEvent* e) {
    if (e->reason() != Qt::PopupFocusReason) resaltado_.salir(*this);
    QComboBox::focusOutEvent(e);
}
