#include "search/VentanasBusqueda.h"

#include "controls/Varios.h"
#include "controls/ceBoton.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "pages/VentanasPaginas.h"
#include "search/Palabras.h"
#include "shell/Fallas.h"
#include "shell/Posiciones.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Cadenas.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char* const kOrdenes[] = {"Nombre", "Usuario", "alta"};

// Lists whose items are degrees of something: offered in their own order
// (Primario before Secundario, Básico before Bueno), not alphabetically.
bool PorOrden(const QString& tabla) {
    for (const char* t : {"nvx_m_formacion_tipos", "nvx_m_formacion_estados",
                          "nvx_m_idiomas_niveles", "nvx_m_presencias"})
        if (tabla.compare(QLatin1String(t), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The name as the list shows it: 37 characters and "..." from 38 on.
QString NombreCorto(const QString& nombre) {
    const QString t = nombre.trimmed();
    return t.size() >= 38 ? t.left(37) + QStringLiteral("...") : t;
}

QToolBar* Barra(QWidget* padre, const char* nombre) {
    auto* b = new QToolBar(padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}

// Remembers a dialog's place while it is open.
void Recordar(QDialog& d) {
    d.adjustSize();
    RestaurarPosición(d);
}

}  // namespace

// Definitions window.

frmBusquedas::frmBusquedas(QWidget* parent)
    : QDialog(parent),
      lista_(new QTreeWidget(this)),
      notas_(new QPlainTextEdit(this)),
      barra_(Barra(this, "tlbBotones")) {
    setObjectName(QStringLiteral("frmBúsquedas"));
    setWindowTitle(QStringLiteral("Búsquedas"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Desde esta ventana Ud. administra las definiciones de búsquedas."));
    struct B {
        const char* clave;
        const char* rótulo;
        QStyle::StandardPixmap icono;
        Qt::Key tecla;
        void (frmBusquedas::*acción)();
    };
    for (const B& b :
         {B{"Ejecutar", "F2-Ver resultados", QStyle::SP_MediaPlay, Qt::Key_F2,
            &frmBusquedas::ejecutar},
          B{"Nueva", "F3-Nueva", QStyle::SP_FileDialogNewFolder, Qt::Key_F3, &frmBusquedas::nueva},
          B{"Editar", "F4-Modificar", QStyle::SP_FileDialogDetailedView, Qt::Key_F4,
            &frmBusquedas::editar},
          B{"Borrar", "F5-Borrar", QStyle::SP_TrashIcon, Qt::Key_F5, &frmBusquedas::borrar}}) {
        QAction* a = barra_->addAction(style()->standardIcon(b.icono), QString::fromUtf8(b.rótulo));
        a->setObjectName(QStringLiteral("tlbBotones_") + QString::fromUtf8(b.clave));
        a->setShortcut(QKeySequence(b.tecla));
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, b.acción);
    }
    auto* centro = new QVBoxLayout;
    centro->setContentsMargins(16, 4, 16, 4);
    centro->addWidget(barra_);
    lista_->setObjectName(QStringLiteral("lstDefiniciones"));
    lista_->setHeaderLabels(
        {QStringLiteral("Nombre "), QStringLiteral("Usuario "), QStringLiteral("Fecha ")});
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->setAllColumnsShowFocus(true);
    lista_->header()->setSectionsClickable(true);
    lista_->header()->setSortIndicatorShown(true);
    lista_->header()->setStretchLastSection(false);
    lista_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lista_->setColumnWidth(1, 110);
    lista_->setColumnWidth(2, 140);
    lista_->setMinimumSize(620, 260);
    connect(lista_->header(), &QHeaderView::sectionClicked, this, &frmBusquedas::ordenarPor);
    connect(lista_, &QTreeWidget::currentItemChanged, this, &frmBusquedas::seleccionar);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this, &frmBusquedas::ejecutar);
    centro->addWidget(lista_, 1);
    notas_->setObjectName(QStringLiteral("txtNotas"));
    notas_->setReadOnly(true);
    notas_->setMaximumHeight(70);
    notas_->setPlaceholderText(QStringLiteral("Comentarios de la búsqueda elegida"));
    centro->addWidget(notas_);
    l->addLayout(centro, 1);
    PieDeCierre(*this, *l);
    cargarLista(0);
    Recordar(*this);
}

int32_t frmBusquedas::seleccionado() const {
    const QTreeWidgetItem* i = lista_->currentItem();
    return i ? i->data(0, Qt::UserRole).toInt() : 0;
}

void frmBusquedas::cargarLista(int32_t id) {
    const QSignalBlocker b(lista_);
    lista_->clear();
    notas_->clear();
    auto rs = cBúsqueda::Visibles(UsuarioActual, QString::fromLatin1(kOrdenes[orden_]));
    QTreeWidgetItem* elegido = nullptr;
    for (; !rs->eof(); rs->MoveNext()) {
        auto* i =
            new QTreeWidgetItem(lista_, {NombreCorto(rs->texto(QStringLiteral("nombre"))),
                                         rs->texto(QStringLiteral("usuario")),
                                         FormatearFechaHora(rs->texto(QStringLiteral("alta")))});
        const int32_t clave = int32_t(rs->entero(QStringLiteral("id")));
        i->setData(0, Qt::UserRole, clave);
        i->setData(0, Qt::UserRole + 1, rs->texto(QStringLiteral("notas")));
        i->setData(0, Qt::UserRole + 2, rs->texto(QStringLiteral("nombre")).trimmed());
        if (clave == id) elegido = i;
    }
    if (!elegido) elegido = lista_->topLevelItem(0);
    lista_->header()->setSortIndicator(orden_, Qt::AscendingOrder);
    lista_->setCurrentItem(elegido);
    seleccionar();
}

void frmBusquedas::ordenarPor(int columna) {
    orden_ = std::clamp(columna, 0, 2);
    cargarLista(seleccionado());
}

void frmBusquedas::seleccionar() {
    const QTreeWidgetItem* i = lista_->currentItem();
    for (const char* n : {"tlbBotones_Ejecutar", "tlbBotones_Editar", "tlbBotones_Borrar"})
        findChild<QAction*>(QString::fromUtf8(n))->setEnabled(i != nullptr);
    notas_->setPlainText(i ? i->data(0, Qt::UserRole + 1).toString() : QString());
}

void frmBusquedas::keyPressEvent(QKeyEvent* e) {
    if (EsEnter(*e)) {
        ejecutar();
        return;
    }
    if (e->key() == Qt::Key_Delete) {
        borrar();
        return;
    }
    QDialog::keyPressEvent(e);
}

void frmBusquedas::done(int r) {
    GuardarPosición(*this);
    QDialog::done(r);
}

void frmBusquedas::ejecutar() {
    const int32_t id = seleccionado();
    frmMDI* m = VentanaPrincipal();
    if (id == 0 || !m) return;
    // Its results window, when open, is run again instead of a second one.
    frmResultado2* ventana = nullptr;
    for (QMdiSubWindow* sub : m->área()->subWindowList())
        if (auto* r = qobject_cast<frmResultado2*>(sub->widget()); r && r->búsqueda.id == id)
            ventana = r;
    const bool nueva = ventana == nullptr;
    if (nueva) ventana = new frmResultado2;
    ventana->búsqueda.id = id;
    bool hay = false;
    try {
        Espera espera;
        hay = ventana->cargar();
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo ejecutar la búsqueda."), e);
        if (nueva) delete ventana;
        return;
    }
    if (!hay) {
        MsgBox(QStringLiteral(
                   "No se encontraron registros que cumplan todas las condiciones definidas. "
                   "Vuelva a definir la búsqueda."),
               Icono::Información, Botones::Aceptar, QStringLiteral("Resultado vacío"));
        if (nueva)
            delete ventana;
        else if (auto* marco = qobject_cast<QMdiSubWindow*>(ventana->parentWidget()))
            marco->close();
        return;
    }
    if (nueva)
        m->agregarVentana(ventana);
    else
        m->área()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(ventana->parentWidget()));
    accept();
}

namespace {

// False, after telling the user, when another workstation deleted the definition.
bool SigueExistiendo(int32_t id) {
    if (Almacén()
            .valorÚnico(QStringLiteral("select 1 from nvx_m_busquedas where id = ?"), {id})
            .isValid())
        return true;
    MsgBox(QStringLiteral("Otro usuario eliminó esta búsqueda. Los cambios no se guardaron."),
           Icono::Exclamación);
    return false;
}

}  // namespace

bool frmBusquedas::guardar(cBúsqueda& b, bool nueva) {
    try {
        // Saving a definition deleted meanwhile would leave orphan conditions.
        if (!nueva && !SigueExistiendo(b.id)) return false;
        if (!b.guardar()) return false;
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo guardar la búsqueda."), e);
        return false;
    }
    return true;
}

void frmBusquedas::nueva() {
    const int32_t antes = seleccionado();
    frmSubCondicion d(this);
    d.nueva = true;
    d.cargar(0, UsuarioActual);
    d.exec();
    // The new definition becomes the selection, so F2 runs it.
    if (d.aceptado && guardar(d.búsqueda, true))
        cargarLista(d.búsqueda.id > 0 ? d.búsqueda.id : antes);
}

void frmBusquedas::editar() {
    const int32_t id = seleccionado();
    if (id == 0) return;
    if (!SigueExistiendo(id)) {
        cargarLista(0);
        return;
    }
    frmSubCondicion d(this);
    d.cargar(id, UsuarioActual);
    d.exec();
    if (d.aceptado) guardar(d.búsqueda, false);
    cargarLista(id);
}

void frmBusquedas::borrar() {
    const QTreeWidgetItem* i = lista_->currentItem();
    if (!i) return;
    if (MsgBox(QStringLiteral("¿Seguro que desea eliminar esta definición de búsqueda?\n\n'") +
                   i->data(0, Qt::UserRole + 2).toString() + u'\'',
               Icono::Pregunta, Botones::SíNo) != Respuesta::Sí)
        return;
    try {
        cBúsqueda::Eliminar(i->data(0, Qt::UserRole).toInt());
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo eliminar la búsqueda."), e);
    }
    cargarLista(0);
}

// Conditions window.

frmSubCondicion::frmSubCondicion(QWidget* parent)
    : QDialog(parent), lista_(new QListWidget(this)), grupos_(Barra(this, "tlbBotones")) {
    setObjectName(QStringLiteral("frmSubCondición"));
    setWindowTitle(QStringLiteral("Nueva búsqueda"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this,
        QStringLiteral("Defina la búsqueda agregando o quitando las condiciones que necesite."));
    auto* cuerpo = new QHBoxLayout;
    cuerpo->setContentsMargins(16, 4, 16, 4);
    grupos_->setOrientation(Qt::Vertical);
    grupos_->setWindowTitle(QStringLiteral("Condiciones"));
    auto* g = new QActionGroup(this);
    struct Grupo {
        const char* clave;
        const char* rótulo;
        QStyle::StandardPixmap icono;
    };
    int código = 0;
    for (const Grupo& x :
         {Grupo{"General", "General", QStyle::SP_FileDialogInfoView},
          Grupo{"Formación", "Áreas de formación", QStyle::SP_FileDialogContentsView},
          Grupo{"Idioma", "Idiomas", QStyle::SP_MessageBoxInformation},
          Grupo{"Experiencia", "Áreas de experiencia", QStyle::SP_DirHomeIcon},
          Grupo{"Interés", "Áreas de interés", QStyle::SP_DialogApplyButton},
          Grupo{"Fotos", "Fotos", QStyle::SP_DesktopIcon}}) {
        QAction* a =
            grupos_->addAction(style()->standardIcon(x.icono), QString::fromUtf8(x.rótulo));
        a->setObjectName(QStringLiteral("tlbBotones_") + QString::fromUtf8(x.clave));
        a->setCheckable(true);
        g->addAction(a);
        const int c = ++código;
        connect(a, &QAction::triggered, this, [this, c] { mostrarGrupo(c); });
    }
    cuerpo->addWidget(grupos_);
    auto* derecha = new QVBoxLayout;
    lista_->setObjectName(QStringLiteral("lstGeneral"));
    lista_->setMinimumSize(420, 220);
    QFont fija = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lista_->setFont(fija);
    derecha->addWidget(lista_, 1);
    auto* botones = new QHBoxLayout;
    auto* agregar = new QPushButton(QStringLiteral("Agregar..."), this);
    agregar->setObjectName(QStringLiteral("cmdAgregar"));
    agregar->setAutoDefault(false);
    quitar_ = new QPushButton(QStringLiteral("Quitar"), this);
    quitar_->setObjectName(QStringLiteral("cmdQuitar"));
    quitar_->setAutoDefault(false);
    botones->addWidget(agregar);
    botones->addWidget(quitar_);
    botones->addStretch(1);
    derecha->addLayout(botones);
    cuerpo->addLayout(derecha, 1);
    l->addLayout(cuerpo, 1);
    connect(agregar, &QPushButton::clicked, this, &frmSubCondicion::agregar);
    connect(quitar_, &QPushButton::clicked, this, &frmSubCondicion::quitar);
    ceBoton* guardar = PieDeDiálogo(*this, *l);
    guardar->setText(QStringLiteral("&Guardar"));
    connect(guardar, &ceBoton::Click, this, &frmSubCondicion::aceptar);
    lista_->installEventFilter(this);
    grupos_->actions().first()->setChecked(true);
}

bool frmSubCondicion::eventFilter(QObject* o, QEvent* e) {
    if (o == lista_ && e->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete && lista_->currentRow() >= 0) {
        quitar();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void frmSubCondicion::cargar(int32_t id, const QString& usuario) {
    búsqueda = cBúsqueda();
    if (nueva) {
        búsqueda.id = 0;
        búsqueda.usuario = usuario;
    } else {
        búsqueda.id = id;
        búsqueda.cargar();
    }
    mostrarGrupo(1);
    Recordar(*this);
}

void frmSubCondicion::mostrarGrupo(int código) {
    grupo_ = std::clamp(código, 1, 6);
    grupos_->actions().at(grupo_ - 1)->setChecked(true);
    llenarLista();
}

void frmSubCondicion::llenarLista() {
    lista_->clear();
    for (const Condición& c : *búsqueda.grupo(grupo_))
        lista_->addItem(u'{' + c.dato + QStringLiteral("} ") + NombreOperador(c.Operador) +
                        QStringLiteral(" {") + c.Valor + u'}');
    quitar_->setEnabled(lista_->count() > 0);
}

void frmSubCondicion::agregar() {
    Condiciones& g = *búsqueda.grupo(grupo_);
    frmCondicion c(this);
    c.cargar(g.tabla);
    c.exec();
    if (!c.aceptado) return;
    const Condición& x = c.condición;
    g.Add(x.tipodato, x.dato, x.idcolumna, x.Operador, x.Valor, x.idvalor);
    llenarLista();
}

void frmSubCondicion::quitar() {
    const int i = lista_->currentRow();
    if (i < 0) {
        MsgBox(QStringLiteral("Debe seleccionar la condición que desea quitar."),
               Icono::Información);
        return;
    }
    if (MsgBox(QStringLiteral("¿Seguro que desea quitar la condición '") + lista_->item(i)->text() +
                   QStringLiteral("'?"),
               Icono::Pregunta, Botones::SíNo) != Respuesta::Sí)
        return;
    búsqueda.grupo(grupo_)->Remove(i + 1);
    llenarLista();
}

void frmSubCondicion::aceptar() {
    frmNombreBusqueda n(this);
    n.nombre = nueva ? QStringLiteral("Sin nombre") : búsqueda.Título;
    n.comentarios = nueva ? QString() : búsqueda.notas;
    n.compartir = nueva ? 0 : búsqueda.pública;
    n.cargar();
    n.exec();
    if (n.aceptado != 1) return;
    búsqueda.Título = n.nombre;
    búsqueda.notas = n.comentarios;
    búsqueda.pública = n.compartir;
    búsqueda.fecha_alta = FechaHoraTexto();
    aceptado = true;
    accept();
}

void frmSubCondicion::done(int r) {
    if (r != Accepted) aceptado = false;
    GuardarPosición(*this);
    QDialog::done(r);
}

// Condition editor.

frmCondicion::frmCondicion(QWidget* parent)
    : QDialog(parent),
      datos_(new QListWidget(this)),
      comparación_(new ceDropList(this)),
      rótuloValor_(new QLabel(QStringLiteral("Valor"), this)),
      txtValor_(new ceTxtBox(this)),
      cmbValor_(new ceDropList(this)) {
    setObjectName(QStringLiteral("frmCondición"));
    setWindowTitle(QStringLiteral("Condición de búsqueda"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this, QStringLiteral("Defina la condición de búsqueda especificando el dato, "
                              "la comparación y el valor a comparar."));
    auto* f = new QFormLayout;
    f->setContentsMargins(16, 8, 16, 8);
    datos_->setObjectName(QStringLiteral("lstDatos"));
    datos_->setMinimumSize(360, 200);
    comparación_->setObjectName(QStringLiteral("cmbCondición"));
    txtValor_->setObjectName(QStringLiteral("txtValor"));
    cmbValor_->setObjectName(QStringLiteral("cmbValor"));
    auto* valor = new QHBoxLayout;
    valor->addWidget(txtValor_);
    valor->addWidget(cmbValor_);
    f->addRow(QStringLiteral("Dato"), datos_);
    f->addRow(QStringLiteral("Comparación"), comparación_);
    f->addRow(rótuloValor_, valor);
    l->addLayout(f, 1);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmCondicion::aceptar);
    connect(datos_, &QListWidget::currentRowChanged, this, &frmCondicion::elegirColumna);
    connect(comparación_, &QComboBox::currentIndexChanged, this, &frmCondicion::elegirComparación);
    rótuloValor_->hide();
    txtValor_->hide();
    cmbValor_->hide();
}

void frmCondicion::cargar(const QString& tabla) {
    tabla_ = tabla;
    condición = Condición();
    llenando_ = true;
    datos_->clear();
    auto rs = Almacén().AbrirRS(
        QStringLiteral("select * from nvx_diccionario where tabla = ? and tipo <> 'CO' and "
                       "buscable = 1 order by orden"),
        {tabla});
    for (; !rs->eof(); rs->MoveNext()) {
        const int lng = int(rs->entero(QStringLiteral("lng")));
        const int lng2 = int(rs->entero(QStringLiteral("lng2")));
        QString texto = lng == 0 ? rs->texto(QStringLiteral("Nombre_Largo")) : CadenaRecurso(lng);
        if (lng != 0 && lng2 != 0) texto += u'-' + CadenaRecurso(lng2);
        auto* i = new QListWidgetItem(texto, datos_);
        i->setData(Qt::UserRole, int(rs->entero(QStringLiteral("id"))));
    }
    llenando_ = false;
    Recordar(*this);
}

void frmCondicion::elegirColumna(int fila) {
    if (llenando_ || fila < 0) return;
    const QListWidgetItem* i = datos_->item(fila);
    condición.dato = i->text();
    condición.idcolumna = i->data(Qt::UserRole).toInt();
    auto rs = Almacén().AbrirRS(QStringLiteral("select * from nvx_diccionario where id = ?"),
                                {condición.idcolumna});
    if (rs->eof()) return;
    condición.tipodato = rs->texto(QStringLiteral("Tipo")).trimmed().toUpper();
    condición.rel_tabla = rs->texto(QStringLiteral("Relacion_Tabla")).trimmed();
    const QString& t = condición.tipodato;
    int desde = 0, hasta = -1;
    if (t == QLatin1String("T")) std::tie(desde, hasta) = std::pair{1, 8};
    if (t == QLatin1String("N") || t == QLatin1String("ND"))
        std::tie(desde, hasta) = std::pair{5, 8};
    if (t == QLatin1String("L")) std::tie(desde, hasta) = std::pair{1, 4};
    if (t == QLatin1String("P")) std::tie(desde, hasta) = std::pair{1, 2};
    {
        const QSignalBlocker b(comparación_);
        comparación_->clear();
        for (int c = desde; c <= hasta; ++c)
            comparación_->setItemData(comparación_->AddItem(NombreOperador(c)), c);
    }
    const int largo = int(rs->entero(QStringLiteral("largo")));
    txtValor_->setMaxLength(t != QLatin1String("L") && largo > 0 ? largo : 32767);
    if (t == QLatin1String("L")) {
        const QSignalBlocker b(cmbValor_);
        Almacén().LlenarComboElementos(condición.rel_tabla, *cmbValor_,
                                       PorOrden(condición.rel_tabla) ? 1 : 0, false, -1);
        cmbValor_->setListIndex(cmbValor_->ListCount() > 0 ? 0 : -1);
    }
    comparación_->setListIndex(comparación_->ListCount() > 0 ? 0 : -1);
    elegirComparación(comparación_->ListIndex());
}

void frmCondicion::elegirComparación(int índice) {
    condición.Operador = uint8_t(índice >= 0 ? comparación_->ItemData(índice) : 0);
    rótuloValor_->hide();
    txtValor_->hide();
    cmbValor_->hide();
    if (condición.Operador == 0 || condición.Operador == 3 || condición.Operador == 4) return;
    rótuloValor_->show();
    (condición.tipodato == QLatin1String("L") ? static_cast<QWidget*>(cmbValor_) : txtValor_)
        ->show();
}

void frmCondicion::aceptar() {
    const QString& t = condición.tipodato;
    // A column needs a comparison; a lookup value needs an item to choose.
    if (condición.Operador == 0) {
        MsgBox(QStringLiteral("Elija un dato y una comparación."), Icono::Exclamación);
        return;
    }
    const bool sinValor = condición.Operador == 3 || condición.Operador == 4;
    if (t == QLatin1String("L")) {
        if (!sinValor && cmbValor_->ListIndex() < 0) {
            MsgBox(QStringLiteral(
                       "La lista de valores de este dato está vacía: no hay nada que elegir."),
                   Icono::Exclamación);
            return;
        }
        condición.idvalor = sinValor ? 0 : cmbValor_->ItemData(cmbValor_->ListIndex());
        condición.Valor = sinValor ? QString() : cmbValor_->currentText();
    } else {
        const QString v = txtValor_->text().trimmed();
        if (!sinValor && v.isEmpty()) {
            MsgBox(QStringLiteral("Debe escribir algún valor."), Icono::Exclamación);
            return;
        }
        if (t == QLatin1String("P")) {
            if (const ConsultaPalabras q = AnalizarPalabras(v); !q.válida()) {
                MsgBox(q.error, Icono::Exclamación);
                return;
            }
        } else if (!sinValor && t != QLatin1String("T") &&
                   cBúsqueda::condicion_sql(QStringLiteral("x"), t, condición.Operador, v, 0)
                       .isEmpty()) {
            MsgBox(QStringLiteral("El valor debe ser un número."), Icono::Exclamación);
            return;
        }
        condición.idvalor = 0;
        condición.Valor = sinValor ? QString() : v;
    }
    aceptado = true;
    accept();
}

void frmCondicion::done(int r) {
    if (r != Accepted) aceptado = false;
    GuardarPosición(*this);
    QDialog::done(r);
}

// Save dialog.

frmNombreBusqueda::frmNombreBusqueda(QWidget* parent)
    : QDialog(parent),
      nombre_(new ceTxtBox(this)),
      comentarios_(new QPlainTextEdit(this)),
      compartir_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("frmNombreBúsqueda"));
    setWindowTitle(QStringLiteral("Definición de búsqueda > Guardar"));
    QVBoxLayout* l = MarcoDeDiálogo(
        *this,
        QStringLiteral("Escriba un nombre y comentarios para la búsqueda que acaba de definir"));
    auto* f = new QFormLayout;
    f->setContentsMargins(16, 8, 16, 8);
    nombre_->setObjectName(QStringLiteral("txtNombre"));
    nombre_->setMaxLength(50);
    comentarios_->setObjectName(QStringLiteral("txtObservaciones"));
    comentarios_->setTabChangesFocus(true);
    comentarios_->setFixedHeight(80);
    compartir_->setObjectName(QStringLiteral("chkCompartir"));
    compartir_->setText(QStringLiteral("Compartir esta definición con todos los usuarios"));
    f->addRow(QStringLiteral("Nombre"), nombre_);
    f->addRow(QStringLiteral("Observaciones"), comentarios_);
    f->addRow(QString(), compartir_);
    l->addLayout(f, 1);
    connect(PieDeDiálogo(*this, *l), &ceBoton::Click, this, &frmNombreBusqueda::aceptar);
    connect(this, &QDialog::rejected, this, [this] {
        aceptado = 0;
        nombre.clear();
        comentarios.clear();
    });
    setMinimumWidth(460);
}

void frmNombreBusqueda::cargar() {
    nombre_->setText(nombre);
    comentarios_->setPlainText(comentarios);
    compartir_->setChecked(compartir != 0);
    nombre_->setFocus();
    nombre_->selectAll();
}

void frmNombreBusqueda::aceptar() {
    if (nombre_->text().trimmed().isEmpty()) {  // blanks are no name
        MsgBox(QStringLiteral("Debe escribir un nombre para esta definición."), Icono::Exclamación);
        return;
    }
    aceptado = 1;
    nombre = nombre_->text().trimmed();
    comentarios = comentarios_->toPlainText().trimmed();
    compartir = compartir_->isChecked() ? 1 : 0;
    accept();
}

void InstalarBusquedas() {
    frmMDI::RegistrarMódulo(QStringLiteral("Palabras"),
                            [](frmMDI& m) { BuscarPalabrasClave(m.palabrasClave()); });
    frmMDI::RegistrarMódulo(QStringLiteral("Búsqueda"), [](frmMDI& m) {
        frmBusquedas d(&m);
        d.exec();
    });
}
