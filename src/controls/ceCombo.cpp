#include "controls/ceCombo.h"

#include "controls/ceTxtBox.h"
#include "store/Valores.h"

#include <QKeyEvent>
#include <QLineEdit>

ceCombo::ceCombo(QWidget* parent) : ListaCombo(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // type-ahead is ours
    lineEdit()->installEventFilter(this);
    connect(this, &QComboBox::activated, this, &ceCombo::Click);
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

bool ceCombo::eventFilter(QObject* o, QEvent* e) {
    if (o != lineEdit() || lineEdit()->isReadOnly()) return QComboBox::eventFilter(o, e);
    if (e->type() == QEvent::ShortcutOverride && EsEnter(*static_cast<QKeyEvent*>(e))) {
        e->accept();
        return true;
    }
    if (e->type() != QEvent::KeyPress) return QComboBox::eventFilter(o, e);
    auto* k = static_cast<QKeyEvent*>(e);
    if (EsEnter(*k)) {
        focusNextChild();
        return true;
    }
    const QString t = k->text();
    if (t.size() == 1 && t.at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
        const int tecla = t.at(0).unicode();
        if (Autocompletar(*this, tecla, SelStart(), SelLength()) == 0) {
            marcar(false);
            return true;
        }
    }
    return QComboBox::eventFilter(o, e);
}

void ceCombo::focusInEvent(QFocusEvent* e) {
    marcar(false);
    QComboBox::focusInEvent(e);
}

void ceCombo::focusOutEvent(QFocusEvent* e) {
    QString t = currentText();
    // Only typed text is cleaned; an item shown or chosen stays as it is.
    if (lineEdit()->isModified()) LimpiarTexto(t);
    if (t != currentText()) {
        const int i = findText(t, Qt::MatchFixedString);
        if (i >= 0)
            setCurrentIndex(i);
        else
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
