#include "privacy/VentanasPrivacidad.h"

#include "pages/VentanasPaginas.h"
#include "privacy/Conservacion.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kTítulo = QStringLiteral("Suprimir datos personales");

}  // namespace

frmSupresion::frmSupresion(const std::vector<PostulanteASuprimir>& postulantes,
                           const QString& motivo, QWidget* parent)
    : QDialog(parent), motivo_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmSupresion"));
    setWindowTitle(kTítulo);
    auto* l = new QVBoxLayout(this);
    auto* arriba = new QHBoxLayout;
    auto* icono = new QLabel(this);
    icono->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icono->setAlignment(Qt::AlignTop);
    auto* pregunta = new QLabel(PreguntaSupresión(postulantes), this);
    pregunta->setObjectName(QStringLiteral("lblPregunta"));
    pregunta->setWordWrap(true);
    pregunta->setMinimumWidth(460);
    pregunta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    arriba->addWidget(icono);
    arriba->addWidget(pregunta, 1);
    l->addLayout(arriba);
    auto* rótulo = new QLabel(QStringLiteral("&Motivo (queda en el registro de auditoría):"), this);
    rótulo->setBuddy(motivo_);
    motivo_->setObjectName(QStringLiteral("txtMotivo"));
    motivo_->setPlaceholderText(QStringLiteral("Por ejemplo: pedido del titular"));
    motivo_->setText(motivo);
    l->addWidget(rótulo);
    l->addWidget(motivo_);
    auto* botones = new QDialogButtonBox(this);
    suprimir_ = botones->addButton(QStringLiteral("&Suprimir"), QDialogButtonBox::AcceptRole);
    suprimir_->setObjectName(QStringLiteral("cmdSuprimir"));
    QPushButton* cancelar = botones->addButton(QDialogButtonBox::Cancel);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cancelar->setText(QStringLiteral("&Cancelar"));
    // Enter in the reason neither erases nor cancels: a button has to be chosen.
    suprimir_->setAutoDefault(false);
    cancelar->setAutoDefault(false);
    const auto habilitar = [this] { suprimir_->setEnabled(!this->motivo().isEmpty()); };
    connect(motivo_, &QLineEdit::textChanged, this, habilitar);
    habilitar();
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(botones);
    motivo_->setFocus();
}

QString frmSupresion::motivo() const {
    return motivo_->text().simplified();
}

bool SuprimirConPregunta(const std::vector<int32_t>& ids, const QString& motivo) {
    if (ids.empty()) return false;
    std::vector<PostulanteASuprimir> postulantes;
    if (!Proteger(QStringLiteral("No se pudo suprimir."),
                  [&] { postulantes = PostulantesASuprimir(Almacén(), ids); }))
        return false;
    frmSupresion pregunta(postulantes, motivo, QApplication::activeWindow());
    if (pregunta.exec() != QDialog::Accepted) return false;
    Supresión hecha;
    try {
        Espera espera(QStringLiteral("Aguarde mientras Candora suprime los datos..."));
        hecha = SuprimirPostulantes(Almacén(), ids, pregunta.motivo(), [&](int n, int total) {
            if (total > 1)
                espera.texto(
                    QStringLiteral("Suprimidos %1 de %2 postulantes...").arg(n).arg(total));
        });
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se suprimió ningún dato."), e);
        return false;
    }
    CerrarVentanasDe(ids);
    if (!hecha.fotosQueQuedan.isEmpty())
        MsgBox(QStringLiteral("Los datos se suprimieron, pero estos archivos de fotos quedaron en "
                              "el disco (no se pudieron borrar, o no son imágenes). Revíselos y "
                              "bórrelos a mano si corresponde:\n\n") +
                   hecha.fotosQueQuedan.join(u'\n'),
               Icono::Exclamación, Botones::Aceptar, kTítulo);
    MostrarEstado(TextoCantidad(hecha.postulantes, QStringLiteral("postulante suprimido"),
                                QStringLiteral("postulantes suprimidos")) +
                  u'.');
    return true;
}

frmConservacion::frmConservacion(QWidget* parent)
    : QWidget(parent),
      conservar_(new QCheckBox(QStringLiteral("C&onservar postulantes sin cambios durante"), this)),
      años_(new QSpinBox(this)),
      lista_(new QTreeWidget(this)),
      estado_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmConservacion"));
    setWindowTitle(QStringLiteral("Conservación de datos personales"));
    setWindowIcon(IconoCandora());
    resize(760, 520);
    auto* l = new QVBoxLayout(this);
    auto* plazo = new QHBoxLayout;
    conservar_->setObjectName(QStringLiteral("chkConservar"));
    años_->setObjectName(QStringLiteral("spnAños"));
    años_->setRange(1, 99);
    años_->setValue(5);
    años_->setSuffix(QStringLiteral(" años"));
    auto* guardar = new QPushButton(QStringLiteral("&Guardar"), this);
    guardar->setObjectName(QStringLiteral("cmdGuardar"));
    plazo->addWidget(conservar_);
    plazo->addWidget(años_);
    plazo->addWidget(guardar);
    plazo->addStretch(1);
    l->addLayout(plazo);
    connect(conservar_, &QCheckBox::toggled, años_, &QWidget::setEnabled);
    connect(guardar, &QPushButton::clicked, this, &frmConservacion::guardarPlazo);

    lista_->setObjectName(QStringLiteral("lstVencidos"));
    lista_->setRootIsDecorated(false);
    lista_->setAlternatingRowColors(true);
    lista_->setHeaderLabels({QStringLiteral("Postulante"), QStringLiteral("Último cambio")});
    lista_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lista_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    l->addWidget(lista_, 1);
    estado_->setObjectName(QStringLiteral("lblEstado"));
    estado_->setWordWrap(true);
    l->addWidget(estado_);
    auto* abajo = new QHBoxLayout;
    auto* todos = new QPushButton(QStringLiteral("&Marcar todos"), this);
    todos->setObjectName(QStringLiteral("cmdMarcarTodos"));
    auto* suprimir = new QPushButton(QStringLiteral("&Suprimir los marcados..."), this);
    suprimir->setObjectName(QStringLiteral("cmdSuprimir"));
    abajo->addWidget(todos);
    abajo->addStretch(1);
    abajo->addWidget(suprimir);
    l->addLayout(abajo);
    connect(todos, &QPushButton::clicked, this, &frmConservacion::marcarTodos);
    connect(suprimir, &QPushButton::clicked, this, &frmConservacion::suprimirMarcados);
}

int frmConservacion::cargar(const QDate& hoy) {
    Espera espera(QStringLiteral("Aguarde mientras Candora busca los postulantes sin cambios..."));
    hoy_ = hoy;
    const int años = AñosConservación(Almacén());
    conservar_->setChecked(años > 0);
    años_->setEnabled(años > 0);
    if (años > 0) años_->setValue(años);
    lista_->clear();
    if (años == 0) {
        estado_->setText(
            QStringLiteral("No hay plazo de conservación: se conservan todos los "
                           "postulantes. Márquelo y guárdelo para ver los que lo "
                           "superan."));
        return 0;
    }
    const auto vencidos = PostulantesVencidos(Almacén(), años, hoy);
    QList<QTreeWidgetItem*> filas;
    filas.reserve(qsizetype(vencidos.size()));
    for (const PostulanteASuprimir& p : vencidos) {
        auto* f = new QTreeWidgetItem({p.nombre, FormatearFechaHora(p.actualizado)});
        f->setData(0, Qt::UserRole, p.id);
        f->setCheckState(0, Qt::Unchecked);
        filas << f;
    }
    lista_->addTopLevelItems(filas);
    estado_->setText(
        vencidos.empty()
            ? QStringLiteral("Ningún postulante lleva más de %1 sin cambios.")
                  .arg(TextoCantidad(años, QStringLiteral("año"), QStringLiteral("años")))
            : QStringLiteral("%1 sin cambios desde antes del %2, el más antiguo primero. Marque "
                             "los que quiere suprimir.")
                  .arg(TextoCantidad(qint64(vencidos.size()), QStringLiteral("postulante"),
                                     QStringLiteral("postulantes")),
                       LímiteConservación(años, hoy).toString(QStringLiteral("d/M/yyyy"))));
    return int(vencidos.size());
}

void frmConservacion::guardarPlazo() {
    Proteger(QStringLiteral("No se pudo guardar el plazo de conservación."), [this] {
        FijarAñosConservación(Almacén(), conservar_->isChecked() ? años_->value() : 0);
        cargar(hoy_);
    });
}

void frmConservacion::marcarTodos() {
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        lista_->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void frmConservacion::suprimirMarcados() {
    std::vector<int32_t> ids;
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        if (const QTreeWidgetItem* f = lista_->topLevelItem(i); f->checkState(0) == Qt::Checked)
            ids.push_back(f->data(0, Qt::UserRole).toInt());
    if (ids.empty()) {
        MsgBox(QStringLiteral("Marque primero los postulantes que quiere suprimir."),
               Icono::Información, Botones::Aceptar, kTítulo);
        return;
    }
    if (SuprimirConPregunta(ids, MotivoVencimiento(AñosConservación(Almacén()))))
        Proteger(QStringLiteral("No se pudo leer la lista de postulantes."),
                 [this] { cargar(hoy_); });
}

void InstalarPrivacidad() {
    frmMDI::RegistrarMódulo(QStringLiteral("Conservacion"), &AbrirÚnica<frmConservacion>);
}
