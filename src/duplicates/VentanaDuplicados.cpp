#include "duplicates/VentanaDuplicados.h"

#include "duplicates/Fusion.h"
#include "pages/VentanasPaginas.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The open card or CV window of one of these applicants, if any.
QWidget* VentanaDe(int32_t a, int32_t b) {
    frmMDI* m = VentanaPrincipal();
    if (!m) return nullptr;
    for (QMdiSubWindow* sub : m->área()->subWindowList())
        if (const int32_t id = PostulanteDeVentana(sub->widget()); id != 0 && (id == a || id == b))
            return sub->widget();
    return nullptr;
}

}  // namespace

frmDuplicados::frmDuplicados(QWidget* parent)
    : QWidget(parent), lista_(new QTreeWidget(this)), estado_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmDuplicados"));
    setWindowTitle(QStringLiteral("Posibles duplicados"));
    setWindowIcon(IconoCandora());
    resize(900, 520);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("tlbDuplicados"));
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto botón = [&](const char* clave, const QString& rótulo, QStyle::StandardPixmap icono,
                           std::function<void()> hacer) {
        QAction* a = barra->addAction(style()->standardIcon(icono), rótulo);
        a->setObjectName(QStringLiteral("tlbDuplicados_") + QLatin1String(clave));
        connect(a, &QAction::triggered, this, std::move(hacer));
    };
    botón("abrir", QStringLiteral("Abrir las dos fichas"), QStyle::SP_FileDialogDetailedView,
          [this] { abrirFichas(); });
    botón("fusionar", QStringLiteral("Fusionar..."), QStyle::SP_DialogApplyButton,
          [this] { fusionar(); });
    botón("noson", QStringLiteral("No son la misma persona"), QStyle::SP_DialogDiscardButton,
          [this] { noSonLaMismaPersona(); });
    botón("actualizar", QStringLiteral("Actualizar"), QStyle::SP_BrowserReload, [this] {
        Proteger(QStringLiteral("No se pudo buscar los posibles duplicados."),
                 [this] { cargar(); });
    });
    lista_->setObjectName(QStringLiteral("lstDuplicados"));
    lista_->setRootIsDecorated(false);
    lista_->setAlternatingRowColors(true);
    lista_->setHeaderLabels({QStringLiteral("Puntaje"), QStringLiteral("Postulante"),
                             QStringLiteral("Posible duplicado"), QStringLiteral("Coinciden en")});
    lista_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(lista_, &QTreeWidget::itemActivated, this, &frmDuplicados::abrirFichas);
    estado_->setObjectName(QStringLiteral("lblEstado"));
    estado_->setContentsMargins(8, 4, 8, 4);
    l->addWidget(barra);
    l->addWidget(lista_, 1);
    l->addWidget(estado_);
}

int frmDuplicados::cargar() {
    Espera espera(QStringLiteral("Aguarde mientras Candora busca postulantes repetidos..."));
    const Duplicados d = BuscarDuplicados(Almacén());
    pares_ = d.pares;
    lista_->clear();
    QList<QTreeWidgetItem*> filas;
    for (size_t i = 0; i < pares_.size(); ++i) {
        const ParDuplicado& p = pares_[i];
        auto* f = new QTreeWidgetItem(
            {QString::number(p.puntaje()), p.nombreA, p.nombreB, p.evidencia()});
        f->setData(0, Qt::UserRole, int(i));
        f->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        filas << f;
    }
    lista_->addTopLevelItems(filas);
    if (!filas.isEmpty()) lista_->setCurrentItem(filas.front());
    QString texto = pares_.empty()
                        ? QStringLiteral("No hay postulantes que parezcan repetidos.")
                        : TextoCantidad(qint64(pares_.size()), QStringLiteral("par posible"),
                                        QStringLiteral("pares posibles")) +
                              QStringLiteral(", de más a menos parecidos.");
    if (d.clavesOmitidas > 0)
        texto += QStringLiteral(
                     " %1 compartidos por más de %2 postulantes (un teléfono de "
                     "oficina, un correo genérico) no se toman como indicio.")
                     .arg(TextoCantidad(d.clavesOmitidas, QStringLiteral("dato"),
                                        QStringLiteral("datos")))
                     .arg(kMáximoPorClave);
    estado_->setText(texto);
    return int(pares_.size());
}

std::pair<int32_t, int32_t> frmDuplicados::seleccionado() const {
    const QTreeWidgetItem* f = lista_->currentItem();
    if (!f) return {0, 0};
    const ParDuplicado& p = pares_.at(size_t(f->data(0, Qt::UserRole).toInt()));
    return {p.a, p.b};
}

void frmDuplicados::abrirFichas() {
    const auto [a, b] = seleccionado();
    frmMDI* m = VentanaPrincipal();
    if (a == 0 || !m) return;
    m->abrir_cv(a, 0, QString(), false);
    m->abrir_cv(b, 0, QString(), false);
    m->área()->tileSubWindows();
}

void frmDuplicados::fusionar() {
    const auto [a, b] = seleccionado();
    if (a == 0) return;
    const ParDuplicado& p = pares_.at(size_t(lista_->currentItem()->data(0, Qt::UserRole).toInt()));
    if (QWidget* abierta = VentanaDe(a, b)) {
        MsgBox(QStringLiteral("Cierre primero la ventana «%1»: no se fusiona un postulante que "
                              "está abierto.")
                   .arg(abierta->windowTitle()),
               Icono::Exclamación, Botones::Aceptar, QStringLiteral("Fusionar"));
        return;
    }
    const Respuesta r = interaccion().mostrar(
        {QStringLiteral("¿Cuál de las dos fichas conserva?\n\n1. %1\n2. %2\n\nLos datos de la "
                        "ficha que conserve prevalecen y los que le falten se completan con la "
                        "otra; familiares, estudios, idiomas, empleos, intereses, fotos y "
                        "documentos de la otra pasan a ella sin repetirse. La otra ficha se "
                        "elimina. Esta operación no puede deshacerse.")
             .arg(p.nombreA, p.nombreB),
         Icono::Pregunta,
         Botones::SíNoCancelar,
         QStringLiteral("Fusionar"),
         Respuesta::Cancelar,
         {QStringLiteral("Conservar la &1"), QStringLiteral("Conservar la &2"),
          QStringLiteral("&Cancelar")}});
    if (r == Respuesta::Cancelar) return;
    const int32_t conservar = r == Respuesta::Sí ? a : b, eliminar = r == Respuesta::Sí ? b : a;
    try {
        Espera espera(QStringLiteral("Aguarde mientras Candora fusiona las fichas..."));
        FusionarPostulantes(Almacén(), conservar, eliminar, UsuarioActual);
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se fusionaron las fichas."), e);
        return;
    }
    cargar();
    MostrarEstado(QStringLiteral("Fichas fusionadas."));
}

void frmDuplicados::noSonLaMismaPersona() {
    const auto [a, b] = seleccionado();
    if (a == 0) return;
    try {
        DescartarPar(Almacén(), a, b, UsuarioActual);
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo guardar que son personas distintas."), e);
        return;
    }
    delete lista_->currentItem();
}

void InstalarDuplicados() {
    frmMDI::RegistrarMódulo(QStringLiteral("Duplicados"), &AbrirÚnica<frmDuplicados>);
}
