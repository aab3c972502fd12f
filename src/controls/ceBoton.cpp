#include "controls/ceBoton.h"

#include "controls/ceTxtBox.h"

#include <QKeyEvent>

ceBoton::ceBoton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);  // Enter is handled below, only with xDefault
    connect(this, &QPushButton::clicked, this, &ceBoton::Click);
}

ceBoton::ceBoton(const QString& caption, QWidget* parent) : ceBoton(parent) {
    setText(caption);
}

void ceBoton::setXDefault(bool sí) {
    xDefault_ = sí;
    vigilarVentana();
}

void ceBoton::setXCancel(bool sí) {
    xCancel_ = sí;
    vigilarVentana();
}

// The window's key events that no child took reach its event filter.
void ceBoton::vigilarVentana() {
    QWidget* v = window();
    if (v == ventana_) return;
    if (ventana_) ventana_->removeEventFilter(this);
    ventana_ = v;
    if (ventana_ && ventana_ != this) ventana_->installEventFilter(this);
}

bool ceBoton::event(QEvent* e) {
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::Show) vigilarVentana();
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((EsEnter(*k) && xDefault_) || (k->key() == Qt::Key_Escape && xCancel_)) {
            if (isEnabled()) click();
            return true;
        }
    }
    return QPushButton::event(e);
}

bool ceBoton::eventFilter(QObject* o, QEvent* e) {
    if (o == ventana_ && e->type() == QEvent::KeyPress && isEnabled() && isVisible()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((EsEnter(*k) && xDefault_) || (k->key() == Qt::Key_Escape && xCancel_)) {
            click();
            return true;
        }
    }
    return QPushButton::eventFilter(o, e);
}
