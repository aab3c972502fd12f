#include "controls/Varios.h"

#include "controls/ceBoton.h"
#include "store/Cadenas.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

ceGuia::ceGuia(QWidget* parent)
    : QFrame(parent), imagen_(new QLabel(this)), texto_(new QLabel(this)) {
    setObjectName(QStringLiteral("ceGuía"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::NoFrame);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(12, 10, 12, 10);
    l->setSpacing(12);
    imagen_->setFixedSize(32, 32);
    texto_->setWordWrap(true);
    QFont f = texto_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    texto_->setFont(f);
    l->addWidget(imagen_);
    l->addWidget(texto_, 1);
    texto_->setText(QStringLiteral("(texto de guía)"));
    imagen_->hide();
}

QString ceGuia::Caption() const {
    return texto_->text();
}

void ceGuia::setCaption(const QString& c) {
    texto_->setText(c);
}

void ceGuia::setPicture(const QIcon& i) {
    imagen_->setPixmap(i.pixmap(32, 32));
    imagen_->setVisible(!i.isNull());
}

ceDivisor::ceDivisor(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Sunken);
    setFixedHeight(3);  // 40 twips
}

ceScroll::ceScroll(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QWidget* ceScroll::contenido() const {
    if (widget() && widget()->isVisibleTo(const_cast<ceScroll*>(this))) return widget();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->property("Tag").toString().toUpper() == QLatin1String("CONTENIDO") && !w->isHidden())
            return w;
    }
    return nullptr;
}

void ceScroll::ajustar_scroll() {
    QWidget* c = contenido();
    if (!c) return;
    if (widget() != c) {
        setWidget(c);
        c->show();
    }
    // As wide as the view, never narrower than the content needs (then it scrolls sideways).
    c->resize(std::max(viewport()->width(), c->minimumSizeHint().width()),
              std::max(c->sizeHint().height(), c->height()));
    QScrollBar* b = verticalScrollBar();
    const int visible = viewport()->height();
    b->setValue(0);
    b->setEnabled(c->height() > visible);
    b->setPageStep(std::max(visible / 5, 1));
    b->setSingleStep(std::max(visible / 20, 1));
}

QWidget* ceScroll::ActiveControl() const {
    QWidget* f = QApplication::focusWidget();
    return f && isAncestorOf(f) ? f : nullptr;
}

void ceScroll::resizeEvent(QResizeEvent* e) {
    QScrollArea::resizeEvent(e);
    ajustar_scroll();
}

void ceScroll::keyPressEvent(QKeyEvent* e) {
    QScrollBar* b = verticalScrollBar();
    if (e->key() == Qt::Key_Up)
        b->setValue(std::max(b->value() - b->singleStep(), b->minimum()));
    else if (e->key() == Qt::Key_Down)
        b->setValue(std::min(b->value() + b->singleStep(), b->maximum()));
}

QVBoxLayout* MarcoDeDiálogo(QDialog& d, const QString& guía) {
    d.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* l = new QVBoxLayout(&d);
    l->setContentsMargins(0, 0, 0, 12);
    auto* g = new ceGuia(&d);
    g->setPicture(QApplication::windowIcon());
    g->setCaption(guía);
    l->addWidget(g);
    l->addWidget(new ceDivisor(&d));
    return l;
}

ceBoton* PieDeDiálogo(QDialog& d, QVBoxLayout& l) {
    l.addWidget(new ceDivisor(&d));
    auto* b = new QHBoxLayout;
    b->setContentsMargins(16, 4, 16, 0);
    b->addStretch(1);
    auto* aceptar = new ceBoton(CadenaRecurso(51), &d);
    aceptar->setObjectName(QStringLiteral("cmdAceptar"));
    aceptar->setXDefault(true);
    auto* cancelar = new ceBoton(CadenaRecurso(52), &d);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cancelar->setXCancel(true);
    b->addWidget(aceptar);
    b->addWidget(cancelar);
    l.addLayout(b);
    QObject::connect(cancelar, &ceBoton::Click, &d, &QDialog::reject);
    return aceptar;
}

ceBoton* PieDeCierre(QDialog& d, QVBoxLayout& l) {
    l.addWidget(new ceDivisor(&d));
    auto* pie = new QHBoxLayout;
    pie->setContentsMargins(16, 4, 16, 0);
    pie->addStretch(1);
    auto* cerrar = new ceBoton(QStringLiteral("&Cerrar"), &d);
    cerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cerrar->setXCancel(true);
    QObject::connect(cerrar, &ceBoton::Click, &d, &QDialog::reject);
    pie->addWidget(cerrar);
    l.addLayout(pie);
    return cerrar;
}
