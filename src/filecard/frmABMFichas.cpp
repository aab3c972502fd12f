#include "filecard/frmABMFichas.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "duplicates/Duplicados.h"
#include "filecard/Campos.h"
#include "privacy/Supresion.h"
#include "shell/Iconos.h"
#include "shell/Posiciones.h"
#include "store/Cadenas.h"
#include "store/Diccionario.h"
#include "store/Interaccion.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

frmABMFichas::frmABMFichas(QWidget* parent)
    : QDialog(parent), cmbPaís_(new ceDropList(this)), txtDocumento_(new ceTxtBox(this)) {
    setObjectName(QStringLiteral("frmABMFichas"));
    setWindowTitle(CadenaRecurso(601));
    QVBoxLayout* l = MarcoDeDiálogo(*this, CadenaRecurso(602));
    auto* f = new QFormLayout;
    f->setContentsMargins(16, 8, 16, 8);
    cmbPaís_->setObjectName(QStringLiteral("cmbPaís"));
    cmbPaís_->setMinimumWidth(260);
    txtDocumento_->setObjectName(QStringLiteral("txtDocumento"));
    txtDocumento_->installEventFilter(this);
    f->addRow(CadenaRecurso(603), cmbPaís_);
    f->addRow(CadenaRecurso(604), txtDocumento_);
    l->addLayout(f);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmABMFichas::aceptar);
    LlenarLista(*cmbPaís_, "nvx_m_paises", false, 0, true);
}

bool frmABMFichas::eventFilter(QObject* o, QEvent* e) {
    if (o == txtDocumento_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->text() == QLatin1String(".")) return true;  // a point is never part of a document
        if (EsEnter(*k)) {                                 // the dialog's last field: Enter accepts
            aceptar();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void frmABMFichas::showEvent(QShowEvent* e) {
    if (!posiciónPuesta_) {
        adjustSize();
        RestaurarPosición(*this);
        posiciónPuesta_ = true;
    }
    QDialog::showEvent(e);
    txtDocumento_->setFocus();
}

void frmABMFichas::done(int r) {
    if (r != Accepted) resultado = 0;
    GuardarPosición(*this);
    QDialog::done(r);
}

void frmABMFichas::aceptar() {
    const QString doc = txtDocumento_->text().trimmed();
    // A document must hold a digit other than 0; letters are allowed (foreign passports).
    if (!std::any_of(doc.begin(), doc.end(), [](QChar c) { return c.isDigit() && c != u'0'; })) {
        MsgBox(CadenaRecurso(605), Icono::Exclamación);
        return;
    }
    país = uint8_t(IdElegido(*cmbPaís_));
    documento = doc;
    if (alFrente && alFrente(país, documento)) {
        resultado = 0;
        accept();
        return;
    }
    const QVariant hallado = Almacén().valorÚnico(
        QStringLiteral("select id from nvx_m_postulantes where dni_pais = ? and dni_numero = ?"),
        {país, documento});
    if (hallado.isValid()) {
        id = int32_t(hallado.toLongLong());
        resultado = 2;
        accept();
        return;
    }
    QString noExiste = CadenaRecurso(606) + u' ' + documento + QStringLiteral(" de ") +
                       cmbPaís_->currentText() + QStringLiteral(".\n\n");
    if (const auto s = SupresiónDe(Almacén(), documento))
        noExiste += AvisoReaparecido(*s) + QStringLiteral("\n\n");
    // The same number under another country, or written otherwise, may be the same person.
    DatosIdentidad tecleado;
    tecleado.documento = documento;
    if (const auto pares = PosiblesDuplicados(Almacén(), tecleado); !pares.empty()) {
        const ParDuplicado& p = pares.front();
        const Respuesta r = interaccion().mostrar(
            {noExiste +
                 QStringLiteral("Posible duplicado de %1: %2.\n\nAbrir esa ficha: ver al "
                                "postulante que ya está en la base.\nCrear una ficha nueva: es "
                                "otra persona.\nCancelar: corregir el documento.")
                     .arg(p.nombreB, p.evidencia()),
             Icono::Pregunta,
             Botones::SíNoCancelar,
             QStringLiteral("Posible duplicado"),
             Respuesta::Cancelar,
             {QStringLiteral("&Abrir esa ficha"), QStringLiteral("Crear una ficha &nueva"),
              QStringLiteral("&Cancelar")}});
        if (r == Respuesta::Cancelar) {
            resultado = 0;
            return;
        }
        id = r == Respuesta::Sí ? p.b : 0;
        resultado = r == Respuesta::Sí ? 2 : 1;
        accept();
        return;
    }
    const QString pregunta = noExiste + CadenaRecurso(607);
    if (MsgBox(pregunta, Icono::Pregunta, Botones::SíNo) != Respuesta::Sí) {
        resultado = 0;
        return;
    }
    id = 0;
    resultado = 1;
    accept();
}
