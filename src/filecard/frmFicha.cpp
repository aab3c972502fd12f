#include "filecard/frmFicha.h"

#include "controls/Varios.h"
#include "controls/ceCombo.h"
#include "controls/ceTxtBox.h"
#include "documents/ListaDocumentos.h"
#include "duplicates/Duplicados.h"
#include "duplicates/Fusion.h"
#include "filecard/Campos.h"
#include "filecard/Dialogos.h"
#include "filecard/frmABMFichas.h"
#include "filecard/frmTomarFoto.h"
#include "pages/Html.h"
#include "pages/VentanasPaginas.h"
#include "privacy/Auditoria.h"
#include "privacy/VentanasPrivacidad.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Cadenas.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Rangos.h"
#include "store/Valores.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSettings>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kPrimeraDécada = 190;  // 1900s

// A section title on a page.
QLabel* Título(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.1);
    l->setFont(f);
    l->setContentsMargins(0, 10, 0, 2);
    return l;
}

// "&H00BBGGRR" or a decimal number, as colours were written.
QColor ColorDeAjuste(const QString& texto) {
    QString t = texto.trimmed();
    bool ok = false;
    uint v = t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) ? t.mid(2).toUInt(&ok, 16)
                                                                    : t.toUInt(&ok);
    if (!ok) v = 0xFFFFFF;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// The half hours "00:00" … "23:30".
QStringList Horarios() {
    QStringList r;
    for (int h = 0; h < 24; ++h)
        for (int m : {0, 30})
            r << RellenarIzquierda(QString::number(h), 2, QStringLiteral("0")) + u':' +
                     RellenarIzquierda(QString::number(m), 2, QStringLiteral("0"));
    return r;
}

int Seleccionado(const QListWidget* l) {
    return l->currentRow();
}

}  // namespace

frmFicha::frmFicha(QWidget* parent)
    : QWidget(parent),
      scrFichas_(new ceScroll(this)),
      contenido_(new QWidget),
      tlbSecciones_(new QToolBar(this)),
      tlbComandos_(new QToolBar(this)) {
    setObjectName(QStringLiteral("frmFicha"));
    setAcceptDrops(true);
    if (frmMDI* m = VentanaPrincipal()) m->DeshabilitarRespaldo();

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    tlbComandos_->setObjectName(QStringLiteral("tlbComandos"));
    tlbComandos_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* imprimir = tlbComandos_->addAction(CadenaRecurso(702));
    imprimir->setVisible(false);
    guardar_ = tlbComandos_->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton),
                                       CadenaRecurso(703));
    guardar_->setObjectName(QStringLiteral("tlbComandos_Guardar"));
    guardar_->setShortcut(QKeySequence::Save);
    eliminar_ =
        tlbComandos_->addAction(style()->standardIcon(QStyle::SP_TrashIcon), CadenaRecurso(56));
    eliminar_->setObjectName(QStringLiteral("tlbComandos_Eliminar"));
    editar_ = tlbComandos_->addAction(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                      CadenaRecurso(705));
    editar_->setObjectName(QStringLiteral("tlbComandos_Editar"));
    editar_->setCheckable(true);
    connect(guardar_, &QAction::triggered, this, [this] { GuardarFicha(); });
    connect(eliminar_, &QAction::triggered, this, &frmFicha::eliminar);
    connect(editar_, &QAction::triggered, this, [this] { setEdición(!edición); });
    informe_ = tlbComandos_->addAction(style()->standardIcon(QStyle::SP_FileDialogInfoView),
                                       QStringLiteral("Informe de datos personales"));
    informe_->setObjectName(QStringLiteral("tlbComandos_Informe"));
    connect(informe_, &QAction::triggered, this,
            [this] { AbrirInformeDatosPersonales(postulante.id); });
    suprimir_ = tlbComandos_->addAction(style()->standardIcon(QStyle::SP_BrowserStop),
                                        QStringLiteral("Suprimir datos personales..."));
    suprimir_->setObjectName(QStringLiteral("tlbComandos_Suprimir"));
    // Erased, the card is closed with the person's other windows.
    connect(suprimir_, &QAction::triggered, this, [this] { SuprimirConPregunta({postulante.id}); });
    l->addWidget(tlbComandos_);
    l->addWidget(new ceDivisor(this));

    auto* cuerpo = new QHBoxLayout;
    cuerpo->setSpacing(0);
    tlbSecciones_->setObjectName(QStringLiteral("tlbSecciones"));
    tlbSecciones_->setOrientation(Qt::Vertical);
    tlbSecciones_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbSecciones_->setIconSize(QSize(28, 28));
    auto* grupo = new QActionGroup(this);
    const std::array<std::pair<int, QStyle::StandardPixmap>, 6> secciones = {{
        {711, QStyle::SP_FileDialogInfoView},
        {1000, QStyle::SP_FileDialogContentsView},
        {713, QStyle::SP_DirHomeIcon},
        {714, QStyle::SP_DialogApplyButton},
        {715, QStyle::SP_DesktopIcon},
        {716, QStyle::SP_FileDialogDetailedView},
    }};
    for (int i = 0; i < 6; ++i) {
        QString texto = CadenaRecurso(secciones[size_t(i)].first);
        // Two lines at most, broken at the blank nearest the middle: a narrow strip.
        qsizetype corte = -1;
        for (qsizetype j = 0; j < texto.size(); ++j)
            if (texto.at(j) == u' ' &&
                (corte < 0 || qAbs(j - texto.size() / 2) < qAbs(corte - texto.size() / 2)))
                corte = j;
        if (corte > 0) texto[corte] = u'\n';
        QAction* a =
            tlbSecciones_->addAction(style()->standardIcon(secciones[size_t(i)].second), texto);
        a->setObjectName(QStringLiteral("tlbSecciones_%1").arg(i + 1));
        a->setCheckable(true);
        a->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + i)));
        grupo->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { mostrarSección(i + 1); });
    }
    cuerpo->addWidget(tlbSecciones_);
    scrFichas_->setObjectName(QStringLiteral("scrFichas"));
    contenido_->setObjectName(QStringLiteral("picFichas"));
    contenido_->setProperty("Tag", QStringLiteral("CONTENIDO"));
    auto* capa = new QVBoxLayout(contenido_);
    capa->setContentsMargins(16, 8, 24, 16);
    for (int i = 0; i < 6; ++i) {
        Página& p = páginas_[size_t(i)];
        p.widget = new QWidget(contenido_);
        p.widget->setObjectName(QStringLiteral("picFichas_%1").arg(i));
        p.capa = new QVBoxLayout(p.widget);
        p.capa->setContentsMargins(0, 0, 0, 0);
        p.widget->hide();
        capa->addWidget(p.widget);
    }
    capa->addStretch(1);
    scrFichas_->setWidget(contenido_);
    cuerpo->addWidget(scrFichas_, 1);
    l->addLayout(cuerpo, 1);
    resize(900, 640);
}

frmFicha::~frmFicha() = default;

void frmFicha::cargar() {
    setWindowIcon(IconoCandora());
    const QColor fondo = ColorDeAjuste(
        QSettings()
            .value(QStringLiteral("Opciones/ColorFondoFicha"), QStringLiteral("&H00FFFFFF"))
            .toString());
    QPalette pal = contenido_->palette();
    pal.setColor(QPalette::Window, fondo);
    contenido_->setPalette(pal);
    contenido_->setAutoFillBackground(true);
    scrFichas_->viewport()->setPalette(pal);
    scrFichas_->viewport()->setAutoFillBackground(true);
    edición = nueva;
    if (nueva) postulante.AplicarPredeterminados();  // the lists then show what will be stored
    if (!nueva && postulante.id != 0) AuditarLectura(postulante.id, Acción::AbrióFicha);
    actualizarTítulo();
    actualizarBarra();
    mostrarSección(1);
}

void frmFicha::actualizarTítulo() {
    const QString apellido = postulante.Apellido.trimmed();
    const QString nombre = postulante.Nombre.trimmed();
    QString quién = apellido.isEmpty() || nombre.isEmpty()
                        ? apellido + nombre
                        : apellido + QStringLiteral(", ") + nombre;
    if (quién.isEmpty())
        quién = nueva ? QStringLiteral("Alta sin nombre") : QStringLiteral("Sin nombre");
    setWindowTitle(quién + QStringLiteral(" (") + postulante.Dni_Número.texto() + u')');
}

void frmFicha::actualizarBarra() {
    guardar_->setEnabled(nueva || modificada);
    eliminar_->setEnabled(!nueva);
    suprimir_->setEnabled(!nueva);
    editar_->setEnabled(!nueva);
    informe_->setEnabled(!nueva);
    editar_->setChecked(edición);
}

void frmFicha::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (enfocado_) return;
    enfocado_ = true;
    if (auto* apellido = findChild<QWidget*>(QStringLiteral("txtApellido"))) apellido->setFocus();
}

void frmFicha::mostrarSección(int sección) {
    const int i = std::clamp(sección, 1, 6) - 1;
    tlbSecciones_->actions().at(i)->setChecked(true);
    for (Página& o : páginas_) o.widget->hide();
    preparar(i + 1);
    páginas_[size_t(i)].widget->show();
    contenido_->adjustSize();
    scrFichas_->ajustar_scroll();
}

void frmFicha::preparar(int sección) {
    Página& p = páginas_[size_t(sección - 1)];
    if (!p.etiquetada) construir(sección);
    if (!p.llenada) llenar(sección);
}

void frmFicha::construir(int sección) {
    Página& p = páginas_[size_t(sección - 1)];
    switch (sección) {
        case 1:
            construirIdentificación(p);
            break;
        case 2:
            construirFormación(p);
            break;
        case 3:
            construirExperiencia(p);
            break;
        case 4:
            construirPretensiones(p);
            break;
        case 5:
            construirFotografías(p);
            break;
        case 6:
            construirObservaciones(p);
            break;
    }
    p.capa->addStretch(1);
    for (QWidget* w : p.datos) {
        // A card only being read keeps its text as legible as when editing; the greyed
        // background alone says the field cannot be changed.
        QPalette paleta = w->palette();
        for (QPalette::ColorRole r : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            paleta.setColor(QPalette::Disabled, r, paleta.color(QPalette::Active, r));
        w->setPalette(paleta);
        w->setEnabled(edición);
    }
    p.etiquetada = true;
}

void frmFicha::llenar(int sección) {
    Página& p = páginas_[size_t(sección - 1)];
    llenando_ = true;  // filling shows the record: nothing changes
    for (const Llenador& f : p.llenadores) f();
    llenando_ = false;
    p.llenada = true;
}

void frmFicha::marcarModificada() {
    if (llenando_) return;
    if (!modificada) MostrarEstado({});  // "Ficha guardada." no longer holds
    modificada = true;
    actualizarBarra();
}

void frmFicha::setEdición(bool sí) {
    edición = sí;
    editar_->setChecked(sí);
    for (Página& p : páginas_)
        for (QWidget* w : p.datos) w->setEnabled(sí);
    if (documentos_) documentos_->setEditable(sí);
}

// Bound controls.

template <class M>
ceDropList* frmFicha::lista(Página& p, const char* nombre, M cPostulante::*m, const char* tabla,
                            bool porOrden) {
    auto* c = new ceDropList(p.widget);
    c->setObjectName(QString::fromUtf8(nombre));
    c->setMinimumWidth(180);
    p.datos.push_back(c);
    p.llenadores.push_back([this, c, m, tabla, porOrden] {
        LlenarLista(*c, tabla, porOrden, int32_t(postulante.*m), false);
    });
    connect(c, &QComboBox::currentIndexChanged, this, [this, c, m] {
        if (llenando_) return;
        const M v = M(IdElegido(*c));
        if (v == postulante.*m) return;
        postulante.*m = v;
        marcarModificada();
    });
    return c;
}

ceCombo* frmFicha::libre(Página& p, const char* nombre, Elemento cPostulante::*m, const char* tabla,
                         bool porOrden) {
    auto* c = new ceCombo(p.widget);
    c->setObjectName(QString::fromUtf8(nombre));
    c->setMinimumWidth(200);
    p.datos.push_back(c);
    p.llenadores.push_back(
        [this, c, m, tabla, porOrden] { LlenarLista(*c, tabla, porOrden, postulante.*m); });
    const auto cambio = [this, c, m, tabla] {
        if (llenando_) return;
        if (c->Text().trimmed() == (postulante.*m).Nombre.trimmed()) return;
        postulante.*m = ElementoElegido(*c, tabla);
        marcarModificada();
    };
    connect(c, &QComboBox::editTextChanged, this, cambio);
    connect(c, &QComboBox::currentIndexChanged, this, cambio);
    return c;
}

ceTxtBox* frmFicha::texto(Página& p, const char* nombre, QString cPostulante::*m) {
    auto* t = new ceTxtBox(p.widget);
    t->setObjectName(QString::fromUtf8(nombre));
    p.datos.push_back(t);
    p.llenadores.push_back([this, t, m] { t->setText(postulante.*m); });
    connect(t, &QLineEdit::textChanged, this, [this, t, m](const QString& v) {
        if (llenando_ || v == postulante.*m) return;
        postulante.*m = v;
        marcarModificada();
        if (m == &cPostulante::Apellido || m == &cPostulante::Nombre) actualizarTítulo();
    });
    return t;
}

template <class M>
ceTxtBox* frmFicha::número(Página& p, const char* nombre, M cPostulante::*m, qint64 máximo) {
    auto* t = new ceTxtBox(p.widget);
    t->setObjectName(QString::fromUtf8(nombre));
    const bool decimal = std::is_floating_point_v<M>;
    t->setMascara(decimal ? 2 : 1);
    t->setMáximo(máximo);
    t->setMaximumWidth(120);
    p.datos.push_back(t);
    p.llenadores.push_back([this, t, m] { t->setText(TextoNúmero(double(postulante.*m), true)); });
    connect(t, &QLineEdit::textChanged, this, [this, t, m, máximo, decimal] {
        if (llenando_) return;
        const M v = decimal ? M(DecimalDe(*t)) : M(NúmeroDe(*t, máximo));
        if (v == postulante.*m) return;
        postulante.*m = v;
        marcarModificada();
    });
    return t;
}

template <class M>
QCheckBox* frmFicha::marca(Página& p, const char* nombre, M cPostulante::*m, int rótulo) {
    auto* c = new QCheckBox(CadenaRecurso(rótulo), p.widget);
    c->setObjectName(QString::fromUtf8(nombre));
    p.datos.push_back(c);
    p.llenadores.push_back([this, c, m] { c->setChecked(postulante.*m != 0); });
    connect(c, &QCheckBox::toggled, this, [this, c, m](bool sí) {
        if (llenando_ || (postulante.*m != 0) == sí) return;
        postulante.*m = sí ? 1 : 0;
        marcarModificada();
        (void)c;
    });
    return c;
}

ceTxtBox* frmFicha::mostrado(Página& p, const char* nombre, std::function<QString()> valor) {
    auto* t = new ceTxtBox(p.widget);
    t->setObjectName(QString::fromUtf8(nombre));
    t->setReadOnly(true);
    t->setFrame(false);
    t->setFocusPolicy(Qt::ClickFocus);
    const auto poner = [t, valor] { t->setText(valor()); };
    p.llenadores.push_back(poner);
    internos_.push_back(poner);
    return t;
}

QListWidget* frmFicha::listaSubregistros(Página& p, const char* nombre, const QString& tag) {
    auto* l = new QListWidget(p.widget);
    l->setObjectName(QString::fromUtf8(nombre));
    l->setMinimumHeight(96);
    l->setMaximumHeight(150);
    l->setContextMenuPolicy(Qt::CustomContextMenu);
    l->setToolTip(QStringLiteral("Botón derecho: agregar, modificar o quitar"));
    // A right click or the menu key, while editing.
    connect(l, &QWidget::customContextMenuRequested, this, [this, l, tag](const QPoint& dónde) {
        frmMDI* m = VentanaPrincipal();
        if (!edición || !m) return;
        m->MostrarComandos(this, tag, l->count() > 0, l->viewport()->mapToGlobal(dónde));
    });
    return l;
}

// Pages.

namespace {

// A label column and a control column, two pairs a row.
class Grilla {
  public:
    Grilla(QVBoxLayout* capa, QWidget* padre, bool dosPuntos)
        : g_(new QGridLayout), padre_(padre), dosPuntos_(dosPuntos) {
        g_->setHorizontalSpacing(10);
        g_->setVerticalSpacing(6);
        g_->setColumnStretch(1, 1);
        g_->setColumnStretch(3, 1);
        g_->setColumnMinimumWidth(0, 150);
        g_->setColumnMinimumWidth(2, 150);
        capa->addLayout(g_);
    }
    void campo(int rótulo, QWidget* w, int ancho = 1) {
        if (columna_ + ancho > 2) salto();
        auto* e = new QLabel(texto(rótulo), padre_);
        e->setBuddy(w);
        g_->addWidget(e, fila_, columna_ * 2, Qt::AlignRight | Qt::AlignVCenter);
        g_->addWidget(w, fila_, columna_ * 2 + 1, 1, ancho * 2 - 1);
        columna_ += ancho;
    }
    void fila(int rótulo, QLayout* l) {
        salto();
        auto* e = new QLabel(texto(rótulo), padre_);
        g_->addWidget(e, fila_, 0, Qt::AlignRight | Qt::AlignVCenter);
        g_->addLayout(l, fila_, 1, 1, 3);
        columna_ = 2;
    }
    void ancho(QWidget* w) {
        salto();
        g_->addWidget(w, fila_, 0, 1, 4);
        columna_ = 2;
    }
    // The caption with its colon; a question ("¿Tiene hijos?") needs none.
    QString texto(int rótulo) const {
        const QString t = CadenaRecurso(rótulo);
        return dosPuntos_ && !t.endsWith(u'?') ? t + u':' : t;
    }
    void salto() {
        if (columna_ == 0) return;
        ++fila_;
        columna_ = 0;
    }

  private:
    QGridLayout* g_;
    QWidget* padre_;
    bool dosPuntos_;
    int fila_ = 0;
    int columna_ = 0;
};

}  // namespace

void frmFicha::construirIdentificación(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(720), w));
    Grilla g(p.capa, w, true);
    g.campo(721, mostrado(p, "txtNumDoc", [this] { return postulante.Dni_Número.texto(); }));
    g.campo(722, mostrado(p, "txtPaísDoc", [this] {
                return Almacén().NombreElemento(QStringLiteral("nvx_m_paises"),
                                                postulante.Dni_País);
            }));
    g.campo(723, texto(p, "txtApellido", &cPostulante::Apellido));
    g.campo(724, texto(p, "txtNombre", &cPostulante::Nombre));
    g.campo(725, texto(p, "txtApellidoMaterno", &cPostulante::Apellido_Materno));
    g.campo(726, lista(p, "cmbSexo", &cPostulante::Sexo, "nvx_m_sexos", false));
    g.campo(727,
            lista(p, "cmbEstadoCivil", &cPostulante::estado_civil, "nvx_m_estados_civiles", true));
    auto* hijos = new ceDropList(w);
    hijos->setObjectName(QStringLiteral("cmbHijos"));
    p.datos.push_back(hijos);
    p.llenadores.push_back([this, hijos] {
        LlenarSíNo(*hijos, postulante.tiene_hijos);
        if (!nueva && postulante.tiene_hijos == 0) hijos->setListIndex(hijos->ListCount() - 1);
    });
    connect(hijos, &QComboBox::currentIndexChanged, this, [this, hijos] {
        if (llenando_) return;
        const uint8_t v = uint8_t(IdElegido(*hijos));
        if (v == postulante.tiene_hijos) return;
        postulante.tiene_hijos = v;
        marcarModificada();
    });
    g.campo(728, hijos);

    // Birth date: day, month and a year of decade and unit lists.
    nacDía_ = new ceDropList(w);
    nacDía_->setObjectName(QStringLiteral("cmbNacDía"));
    nacMes_ = new ceDropList(w);
    nacMes_->setObjectName(QStringLiteral("cmbNacMes"));
    nacDécada_ = new ceDropList(w);
    nacDécada_->setObjectName(QStringLiteral("cmbNacAñoD"));
    nacUnidad_ = new ceDropList(w);
    nacUnidad_->setObjectName(QStringLiteral("cmbNacAñoU"));
    for (int d = 1; d <= 31; ++d) nacDía_->AddItem(QString::number(d));
    LlenarMeses(*nacMes_);
    for (int d = kPrimeraDécada; d <= QDate::currentDate().year() / 10; ++d)
        nacDécada_->AddItem(QString::number(d));
    for (int u = 0; u <= 9; ++u) nacUnidad_->AddItem(QString::number(u));
    edad_ = mostrado(p, "txtEdad", [this] { return textoEdad(); });
    edad_->setMaximumWidth(90);
    auto* nacimiento = new QHBoxLayout;
    nacimiento->addWidget(nacDía_);
    nacimiento->addWidget(new QLabel(CadenaRecurso(730), w));
    nacimiento->addWidget(nacMes_);
    nacimiento->addWidget(new QLabel(CadenaRecurso(730), w));
    nacimiento->addWidget(nacDécada_);
    nacimiento->addWidget(nacUnidad_);
    nacimiento->addSpacing(16);
    nacimiento->addWidget(new QLabel(CadenaRecurso(732) + u':', w));
    nacimiento->addWidget(edad_);  // "35 años": the unit goes with the number
    nacimiento->addStretch(1);
    g.fila(729, nacimiento);
    for (ceDropList* c : {nacDía_, nacMes_, nacDécada_, nacUnidad_}) {
        p.datos.push_back(c);
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            calcularEdad();
            if (llenando_) return;
            const uint8_t día = uint8_t(nacDía_->ListIndex() + 1);
            const uint8_t mes = uint8_t(nacMes_->ListIndex() + 1);
            int16_t año = postulante.nac_año;
            if (nacDécada_->ListIndex() >= 0 && nacUnidad_->ListIndex() >= 0)
                año = int16_t((kPrimeraDécada + nacDécada_->ListIndex()) * 10 +
                              nacUnidad_->ListIndex());
            if (día == postulante.Nac_Día && mes == postulante.Nac_Mes && año == postulante.nac_año)
                return;
            postulante.Nac_Día = día;
            postulante.Nac_Mes = mes;
            postulante.nac_año = año;
            marcarModificada();
        });
    }
    p.llenadores.push_back([this] {
        nacDía_->setListIndex(
            postulante.Nac_Día >= 1 && postulante.Nac_Día <= 31 ? postulante.Nac_Día - 1 : -1);
        nacMes_->setListIndex(
            postulante.Nac_Mes >= 1 && postulante.Nac_Mes <= 12 ? postulante.Nac_Mes - 1 : -1);
        // Two-digit years of old data read as the 1900s.
        const int año = postulante.nac_año > 0 && postulante.nac_año < 100
                            ? 1900 + postulante.nac_año
                            : postulante.nac_año;
        const int década = año / 10 - kPrimeraDécada;
        const bool hay = año >= kPrimeraDécada * 10 && década < nacDécada_->ListCount();
        nacDécada_->setListIndex(hay ? década : -1);
        nacUnidad_->setListIndex(hay ? año % 10 : -1);
        calcularEdad();
    });

    g.campo(734,
            libre(p, "cmbNac_Localidad", &cPostulante::nac_localidad, "nvx_m_localidades", true));
    g.campo(735,
            lista(p, "cmbNac_Provincia", &cPostulante::nac_provincia, "nvx_m_provincias", true));
    g.campo(722, lista(p, "cmbNac_País", &cPostulante::nac_país, "nvx_m_paises", true));
    g.campo(736, lista(p, "cmbNacionalidad", &cPostulante::nacionalidad, "nvx_m_paises", true));

    p.capa->addWidget(Título(CadenaRecurso(737), w));
    Grilla r(p.capa, w, true);
    r.campo(738, texto(p, "txtRes_Calle", &cPostulante::res_calle), 2);
    r.campo(739, libre(p, "cmbRes_barrio", &cPostulante::res_barrio, "nvx_m_barrios", false));
    r.campo(734,
            libre(p, "cmbRes_localidad", &cPostulante::res_localidad, "nvx_m_localidades", false));
    r.campo(735,
            lista(p, "cmbRes_Provincia", &cPostulante::res_provincia, "nvx_m_provincias", true));
    r.campo(722, lista(p, "cmbRes_País", &cPostulante::res_país, "nvx_m_paises", false));
    r.campo(740, texto(p, "txtRes_CP", &cPostulante::res_cp));

    p.capa->addWidget(Título(CadenaRecurso(741), w));
    auto* tel = new QGridLayout;
    tel->setHorizontalSpacing(10);
    int columna = 0;
    for (int rótulo : {742, 743, 744, 745})
        tel->addWidget(new QLabel(CadenaRecurso(rótulo), w), 0, columna++);
    struct Fila {
        uint8_t cPostulante::*tipo;
        QString cPostulante::*número;
        QString cPostulante::*desde;
        QString cPostulante::*hasta;
    };
    const Fila filas[] = {{&cPostulante::Tel1_tipo, &cPostulante::Tel1_numero,
                           &cPostulante::Tel1_desde, &cPostulante::Tel1_hasta},
                          {&cPostulante::Tel2_tipo, &cPostulante::Tel2_numero,
                           &cPostulante::Tel2_desde, &cPostulante::Tel2_hasta},
                          {&cPostulante::Tel3_tipo, &cPostulante::tel3_numero,
                           &cPostulante::tel3_desde, &cPostulante::tel3_hasta}};
    static const QStringList horarios = Horarios();
    for (int i = 0; i < 3; ++i) {
        const Fila& f = filas[i];
        const QByteArray n = QByteArray::number(i);
        tel->addWidget(
            lista(p, ("cmbTelTipo_" + n).constData(), f.tipo, "nvx_m_tipos_telefono", true), i + 1,
            0);
        tel->addWidget(texto(p, ("cmbTelNúmero_" + n).constData(), f.número), i + 1, 1);
        for (auto [prefijo, m, col] :
             {std::tuple{"cmbTelDesde_", f.desde, 2}, std::tuple{"cmbTelHasta_", f.hasta, 3}}) {
            auto* h = new ceDropList(w);
            h->setObjectName(QString::fromUtf8(prefijo) + QString::number(i));
            for (const QString& t : horarios) h->AddItem(t);
            p.datos.push_back(h);
            p.llenadores.push_back(
                [this, h, m = m] { h->setListIndex(int(horarios.indexOf(postulante.*m))); });
            connect(h, &QComboBox::currentIndexChanged, this, [this, h, m = m] {
                if (llenando_ || h->ListIndex() < 0 || h->currentText() == postulante.*m) return;
                postulante.*m = h->currentText();
                marcarModificada();
            });
            tel->addWidget(h, i + 1, col);
        }
    }
    tel->setColumnStretch(1, 1);
    p.capa->addLayout(tel);
    Grilla e(p.capa, w, true);
    ceTxtBox* email = texto(p, "txtEmail", &cPostulante::email);
    email->setSinMayúsculas(true);  // addresses keep their case even with upper case on
    e.campo(746, email, 2);

    p.capa->addWidget(Título(CadenaRecurso(900), w));
    lstFamilia_ = listaSubregistros(p, "lstFamilia", QStringLiteral("Familia"));
    p.capa->addWidget(lstFamilia_);
    p.llenadores.push_back([this] {
        lstFamilia_->clear();
        for (const cFamiliar& f : postulante.familiares) lstFamilia_->addItem(textoFamiliar(f));
    });
}

void frmFicha::construirFormación(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(747), w));
    Grilla g(p.capa, w, true);
    g.campo(795, lista(p, "cmbSecOrientación", &cPostulante::Formsec_orientacion,
                       "nvx_m_formsec_areas", true));
    g.campo(750, lista(p, "cmbSecEstado", &cPostulante::Formsec_estado, "nvx_m_formacion_estados",
                       true));
    g.campo(748, texto(p, "txtSecInstituto", &cPostulante::Formsec_instituto));
    g.campo(751, número(p, "txtSecAños", &cPostulante::Formsec_completos, kByte));
    p.capa->addWidget(Título(CadenaRecurso(752), w));
    lstFormación_ = listaSubregistros(p, "lstFormación", QStringLiteral("Formación"));
    p.capa->addWidget(lstFormación_);
    p.capa->addWidget(Título(CadenaRecurso(753), w));
    lstIdiomas_ = listaSubregistros(p, "lstIdiomas", QStringLiteral("Idiomas"));
    p.capa->addWidget(lstIdiomas_);
    p.llenadores.push_back([this] {
        lstFormación_->clear();
        for (const cFormación& f : postulante.formación) lstFormación_->addItem(textoFormación(f));
        lstIdiomas_->clear();
        for (const cIdioma& i : postulante.idiomas) lstIdiomas_->addItem(textoIdioma(i));
    });
}

void frmFicha::construirExperiencia(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(713), w));
    lstExperiencia_ = listaSubregistros(p, "lstExperiencia", QStringLiteral("Experiencia"));
    lstExperiencia_->setMaximumHeight(220);
    p.capa->addWidget(lstExperiencia_);
    p.capa->addWidget(Título(CadenaRecurso(754), w));
    auto* conocimientos = new QPlainTextEdit(w);
    conocimientos->setObjectName(QStringLiteral("txtConocimientos"));
    conocimientos->setTabChangesFocus(true);
    conocimientos->setMinimumHeight(180);
    p.datos.push_back(conocimientos);
    p.capa->addWidget(conocimientos);
    p.llenadores.push_back([this, conocimientos] {
        conocimientos->setPlainText(postulante.conocimientos);
        lstExperiencia_->clear();
        for (const cExperiencia& x : postulante.Experiencia)
            lstExperiencia_->addItem(textoExperiencia(x));
    });
    connect(conocimientos, &QPlainTextEdit::textChanged, this, [this, conocimientos] {
        if (llenando_ || conocimientos->toPlainText() == postulante.conocimientos) return;
        postulante.conocimientos = conocimientos->toPlainText();
        marcarModificada();
    });
}

void frmFicha::construirPretensiones(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(755), w));
    Grilla g(p.capa, w, true);
    const auto moneda = [&](int rótulo, auto importe, const char* nImporte, auto mon,
                            const char* nMoneda, const char* nSímbolo, qint64 máximo) {
        auto* fila = new QHBoxLayout;
        ceTxtBox* símbolo = mostrado(p, nSímbolo, [] { return QString(); });
        símbolo->setMaximumWidth(48);
        ceDropList* l = lista(p, nMoneda, mon, "nvx_m_monedas", false);
        const auto poner = [this, símbolo, l] {
            símbolo->setText(Almacén().NombreElemento(QStringLiteral("nvx_m_monedas"),
                                                      IdElegido(*l), QStringLiteral("simbolo")));
        };
        connect(l, &QComboBox::currentIndexChanged, this, poner);
        p.llenadores.push_back(poner);
        fila->addWidget(símbolo);
        fila->addWidget(número(p, nImporte, importe, máximo));
        fila->addWidget(l);
        fila->addStretch(1);
        g.fila(rótulo, fila);
    };
    moneda(757, &cPostulante::remun_mes, "txtRemunMes", &cPostulante::MonedaMes, "cmbMonedaMes",
           "txtMonedaMes", INT32_MAX);
    moneda(758, &cPostulante::Remun_hora, "txtRemunHora", &cPostulante::MonedaHora, "cmbMonedaHora",
           "txtMonedaHora", 0);
    g.campo(759, lista(p, "cmbDisponibilidadSemanal", &cPostulante::disp_semanal,
                       "nvx_m_disponibilidad_semanal", true));
    g.campo(760, lista(p, "cmbDisponibilidadHoraria", &cPostulante::disp_horaria,
                       "nvx_m_disponibilidad_horaria", true));
    g.salto();
    auto* marcas = new QGridLayout;
    marcas->addWidget(marca(p, "chkObraSocial", &cPostulante::Obra_social, 761), 0, 0);
    marcas->addWidget(marca(p, "chkTiquesAlmuerzo", &cPostulante::Tiques_almuerzo, 762), 0, 1);
    marcas->addWidget(marca(p, "chkRelación_dependencia", &cPostulante::Relación_dependencia, 763),
                      1, 0);
    marcas->addWidget(marca(p, "chkViajar", &cPostulante::Viajar, 764), 1, 1);
    marcas->addWidget(marca(p, "chkEmigrar", &cPostulante::Emigrar, 765), 2, 0, 1, 2);
    marcas->setContentsMargins(0, 8, 0, 0);
    p.capa->addLayout(marcas);
    p.capa->addWidget(Título(CadenaRecurso(756), w));
    lstInterés_ = listaSubregistros(p, "lstInterés", QStringLiteral("Interés"));
    p.capa->addWidget(lstInterés_);
    p.llenadores.push_back([this] {
        lstInterés_->clear();
        for (uint8_t a : postulante.ÁreasInterés) lstInterés_->addItem(textoInterés(a));
    });
}

void frmFicha::construirFotografías(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(766), w));
    Grilla g(p.capa, w, true);
    g.campo(767, número(p, "txtEstatura", &cPostulante::Estatura, k16));
    auto* medidas = new QHBoxLayout;
    for (auto [n, m] :
         {std::pair{"txtMed_A", &cPostulante::med_a}, std::pair{"txtMed_B", &cPostulante::med_b},
          std::pair{"txtMed_C", &cPostulante::med_c}})
        medidas->addWidget(número(p, n, m, k16));
    medidas->addStretch(1);
    g.fila(768, medidas);
    g.campo(769, lista(p, "cmbPresencia", &cPostulante::presencia, "nvx_m_presencias", true));
    g.campo(770, lista(p, "cmbContextura", &cPostulante::contextura, "nvx_m_contexturas", true));
    p.capa->addWidget(Título(CadenaRecurso(715), w));
    auto* fila = new QHBoxLayout;
    lstFotos_ = listaSubregistros(p, "lstFotos", QStringLiteral("Fotos"));
    lstFotos_->setMaximumHeight(QWIDGETSIZE_MAX);
    lstFotos_->setMaximumWidth(260);
    auto* marco = new QScrollArea(w);
    marco->setObjectName(QStringLiteral("picMarcoFoto"));
    marco->setMinimumSize(320, 280);
    marco->setAlignment(Qt::AlignCenter);
    fotoVista_ = new QLabel;
    fotoVista_->setObjectName(QStringLiteral("picInteriorFoto"));
    fotoVista_->setAlignment(Qt::AlignCenter);
    fotoVista_->setWordWrap(true);
    marco->setWidget(fotoVista_);
    marco->setWidgetResizable(true);
    fila->addWidget(lstFotos_);
    fila->addWidget(marco, 1);
    p.capa->addLayout(fila);
    connect(lstFotos_, &QListWidget::currentRowChanged, this, &frmFicha::verFoto);
    p.llenadores.push_back([this] {
        lstFotos_->clear();
        for (const cFoto& f : postulante.Fotos) lstFotos_->addItem(f.Título);
        if (lstFotos_->count() > 0) lstFotos_->setCurrentRow(0);
    });
    // The CV documents go to the store at once, not with the card's other changes.
    p.capa->addWidget(Título(QStringLiteral("Documentos"), w));
    documentos_ = new ListaDocumentos(w);
    documentos_->setEditable(edición);
    documentos_->setMinimumHeight(120);
    p.capa->addWidget(documentos_);
    connect(documentos_, &ListaDocumentos::sellado, this,
            [this](const QString& antes, const QString& después) {
                // This card's own change: its next save must not take it for another's.
                if (postulante.actualizado == antes) postulante.actualizado = después;
            });
    p.llenadores.push_back([this] { documentos_->cargar(postulante.id); });
}

void frmFicha::construirObservaciones(Página& p) {
    QWidget* w = p.widget;
    p.capa->addWidget(Título(CadenaRecurso(716), w));
    auto* disponible = new QCheckBox(CadenaRecurso(787), w);
    disponible->setObjectName(QStringLiteral("chkDisponible"));
    p.datos.push_back(disponible);
    p.llenadores.push_back([this, disponible] { disponible->setChecked(postulante.Activo != 0); });
    connect(disponible, &QCheckBox::toggled, this, [this, disponible](bool sí) {
        if (llenando_ || (postulante.Activo != 0) == sí) return;
        if (!sí &&
            MsgBox(QStringLiteral(
                       "La marca de 'CV disponible para búsquedas' indica si Candora puede o "
                       "no considerar a este postulante en las búsquedas que se realizan.\n\n"
                       "- Si la marca está activada el CV aparecerá en los resultados.\n"
                       "- Si la marca está desactivada se entiende que el postulante ha sido "
                       "incorporado por un cliente, con lo cual no será tenido en cuenta.\n\n"
                       "¿Está seguro de que desea cambiar esta marca?"),
                   Icono::Exclamación, Botones::SíNo, QStringLiteral("Atención"),
                   Respuesta::No) != Respuesta::Sí) {
            const QSignalBlocker b(disponible);
            disponible->setChecked(true);
            return;
        }
        postulante.Activo = sí ? 1 : 0;
        marcarModificada();
    });
    p.capa->addWidget(disponible);
    auto* observaciones = new QPlainTextEdit(w);
    observaciones->setObjectName(QStringLiteral("txtObservaciones"));
    observaciones->setTabChangesFocus(true);
    observaciones->setMinimumHeight(120);
    p.datos.push_back(observaciones);
    p.llenadores.push_back(
        [this, observaciones] { observaciones->setPlainText(postulante.Observaciones); });
    connect(observaciones, &QPlainTextEdit::textChanged, this, [this, observaciones] {
        if (llenando_ || observaciones->toPlainText() == postulante.Observaciones) return;
        postulante.Observaciones = observaciones->toPlainText();
        marcarModificada();
    });
    p.capa->addWidget(observaciones);

    p.capa->addWidget(Título(CadenaRecurso(771), w));
    Grilla g(p.capa, w, true);
    Elemento cPostulante::*const datos[] = {
        &cPostulante::dato_a, &cPostulante::dato_b, &cPostulante::dato_c, &cPostulante::dato_d,
        &cPostulante::dato_e, &cPostulante::dato_f, &cPostulante::dato_g, &cPostulante::dato_h,
        &cPostulante::dato_i, &cPostulante::dato_j};
    static const char* const nombres[] = {"cmbDatoA", "cmbDatoB", "cmbDatoC", "cmbDatoD",
                                          "cmbDatoE", "cmbDatoF", "cmbDatoG", "cmbDatoH",
                                          "cmbDatoI", "cmbDatoJ"};
    static const char* const tablas[] = {
        "nvx_m_datos_a", "nvx_m_datos_b", "nvx_m_datos_c", "nvx_m_datos_d", "nvx_m_datos_e",
        "nvx_m_datos_f", "nvx_m_datos_g", "nvx_m_datos_h", "nvx_m_datos_i", "nvx_m_datos_j"};
    for (int i = 0; i < 10; ++i) g.campo(772 + i, libre(p, nombres[i], datos[i], tablas[i], false));

    p.capa->addWidget(Título(CadenaRecurso(782), w));
    Grilla d(p.capa, w, true);
    d.campo(783, mostrado(p, "txtFechaIngreso", [this] {
                const QString f = FormatearFechaHora(postulante.fecha_ingreso);
                return f.isEmpty() ? postulante.fecha_ingreso : f;
            }));
    d.campo(784, mostrado(p, "txtActualizado",
                          [this] { return FormatearFechaHora(postulante.actualizado); }));
    d.campo(785, mostrado(p, "txtRefBusqueda", [this] { return postulante.ref_búsqueda; }));
    d.campo(786, mostrado(p, "txtID", [this] {
                return postulante.id ? QString::number(postulante.id) : QString();
            }));
    // The applicants merged into this one, if any.
    auto* fusiones = new QLabel(w);
    fusiones->setObjectName(QStringLiteral("lblFusiones"));
    fusiones->setWordWrap(true);
    fusiones->hide();
    // Who did what with this applicant's data, latest first.
    auto* historial = new QListWidget(w);
    historial->setObjectName(QStringLiteral("lstHistorial"));
    historial->setMinimumHeight(120);
    const auto poner = [this, fusiones, historial] {
        fusiones->clear();
        fusiones->hide();
        historial->clear();
        if (postulante.id == 0) return;
        // A store opened only to read, made by an earlier version, has neither list yet.
        try {
            const QString t = FusionesDe(Almacén(), postulante.id);
            fusiones->setText(t);
            fusiones->setVisible(!t.isEmpty());
            for (const EntradaAuditoria& e : ÚltimasEntradas(Almacén(), postulante.id, 200))
                historial->addItem(
                    UnirTextos({FormatearFechaHora(e.momento), e.usuario,
                                UnirTextos({e.acción, e.detalle}, QStringLiteral(": "))},
                               QStringLiteral(" · ")));
        } catch (const ErrorAlmacen&) {
            historial->addItem(QStringLiteral("Sin historial en esta base de datos."));
        }
    };
    p.llenadores.push_back(poner);
    internos_.push_back(poner);
    p.capa->addWidget(fusiones);
    p.capa->addWidget(Título(QStringLiteral("Historial"), w));
    p.capa->addWidget(historial);
}

void frmFicha::calcularEdad() {
    if (edad_) edad_->setText(textoEdad());
}

// "35 años" from the birth date shown, or "sin datos" without a year.
QString frmFicha::textoEdad() const {
    if (nacDécada_->ListIndex() < 0 || nacUnidad_->ListIndex() < 0)
        return QStringLiteral("sin datos");
    const int año = (kPrimeraDécada + nacDécada_->ListIndex()) * 10 + nacUnidad_->ListIndex();
    return TextoCantidad(std::max(EdadEnAños(nacDía_->ListIndex() + 1, nacMes_->ListIndex() + 1,
                                             año, QDate::currentDate()),
                                  0),
                         QStringLiteral("año"), QStringLiteral("años"));
}

void frmFicha::actualizarInternos() {
    for (const auto& f : internos_) f();
}

// Entry texts.

// "Hijo/a: Lourdes (4) - convive, a cargo": what is not known is left out.
QString frmFicha::textoFamiliar(const cFamiliar& f) {
    QString r = UnirTextos(
        {Almacén().NombreElemento(QStringLiteral("nvx_m_parentescos"), f.Parentesco), f.Nombre},
        QStringLiteral(": "));
    if (f.Edad > 0) r += QStringLiteral(" (") + QString::number(f.Edad) + u')';
    return UnirTextos({r, UnirTextos({f.Vive ? QString() : QStringLiteral("fallecido"),
                                      f.Convive ? QStringLiteral("convive") : QString(),
                                      f.Acargo ? QStringLiteral("a cargo") : QString()},
                                     QStringLiteral(", "))},
                      QStringLiteral(" - "));
}

QString frmFicha::textoFormación(const cFormación& f) {
    const QString instituto = f.institución.Nombre.trimmed();
    return UnirTextos(
        {Almacén().NombreElemento(QStringLiteral("nvx_m_formacion_tipos"), f.Tipo),
         UnirTextos(
             {UnirTextos({Almacén().NombreElemento(QStringLiteral("nvx_m_formacion_areas"), f.área),
                          f.Título.Nombre},
                         QStringLiteral(", ")),
              Almacén().NombreElemento(QStringLiteral("nvx_m_formacion_estados"), f.estado),
              instituto.isEmpty() ? QString() : u'(' + instituto + u')'},
             QStringLiteral(" "))},
        QStringLiteral(": "));
}

QString frmFicha::textoIdioma(const cIdioma& i) {
    const QString niveles = QStringLiteral("nvx_m_idiomas_niveles");
    return Almacén().NombreElemento(QStringLiteral("nvx_m_idiomas"), i.Idioma) +
           QStringLiteral(": ") + CadenaRecurso(1104).toLower() + u' ' +
           Almacén().NombreElemento(niveles, i.Habla).toUpper() + QStringLiteral(", ") +
           CadenaRecurso(1103).toLower() + u' ' +
           Almacén().NombreElemento(niveles, i.Lee).toUpper() + QStringLiteral(", ") +
           CadenaRecurso(1105).toLower() + u' ' +
           Almacén().NombreElemento(niveles, i.Escribe).toUpper();
}

QString frmFicha::textoExperiencia(const cExperiencia& x) {
    QString r = UnirTextos(
        {Almacén().NombreElemento(QStringLiteral("nvx_m_experiencia_areas"), x.área),
         UnirTextos(
             {Almacén().NombreElemento(QStringLiteral("nvx_m_experiencia_puestos"), x.puesto),
              x.empleador.Nombre},
             QStringLiteral(", "))},
        QStringLiteral(": "));
    const QString período = PeríodoVisible(x.ingreso_mes, x.ingreso_año, x.egreso_mes, x.egreso_año,
                                           x.empleo_actual != 0);
    if (!período.isEmpty()) r += QStringLiteral(" (") + período + u')';
    return r;
}

QString frmFicha::textoInterés(uint8_t área) {
    return Almacén().NombreElemento(QStringLiteral("nvx_m_experiencia_areas"), área);
}

void frmFicha::verFoto(int fila) {
    if (!fotoVista_) return;
    if (fila < 0 || fila >= postulante.Fotos.Count()) {
        fotoVista_->clear();
        return;
    }
    const QString ruta = postulante.Fotos.Item(fila + 1).Archivo;
    QImageReader lector(ruta);
    lector.setAutoTransform(true);
    const QImage i = QFileInfo(ruta).isFile() ? lector.read() : QImage();
    if (i.isNull()) {
        // A missing file shows its path in an empty frame, never an error box.
        fotoVista_->setPixmap(QPixmap());
        fotoVista_->setText(QStringLiteral("No se encuentra la foto:\n") +
                            QDir::toNativeSeparators(ruta));
        return;
    }
    fotoVista_->setPixmap(
        QPixmap::fromImage(i.height() > 600 ? i.scaledToHeight(600, Qt::SmoothTransformation) : i));
}

// List commands: "a" add, "m" modify the selected entry (it moves to the end),
// "q" remove it after a question.

namespace {

// Runs one list command over a collection; the dialog type edits one item.
template <class Diálogo, class T, class C, class Preparar, class Tomar, class Texto>
bool Comando(const QString& op, QWidget* padre, QListWidget* lista, C& colección, Preparar preparar,
             Tomar tomar, Texto texto, const QString& títuloQuitar, const QString& mensajeQuitar) {
    const QString o = op.toLower();
    const int i = Seleccionado(lista);
    if (o == QLatin1String("a") || (o == QLatin1String("m") && i >= 0)) {
        Diálogo d(padre);
        const bool nuevo = o == QLatin1String("a");
        if (!nuevo) preparar(d, colección.Item(i + 1));
        d.cargar(nuevo);
        d.exec();
        if (!d.aceptado) return false;
        if (!nuevo) {
            colección.Remove(i + 1);
            delete lista->takeItem(i);
        }
        const T& nuevoItem = colección.Agregar(tomar(d));
        lista->addItem(texto(nuevoItem));
        lista->setCurrentRow(lista->count() - 1);
        return true;
    }
    if (o == QLatin1String("q") && i >= 0) {
        const QString entrada = lista->item(i)->text();
        if (MsgBox(mensajeQuitar.arg(entrada), Icono::Pregunta, Botones::SíNo, títuloQuitar) !=
            Respuesta::Sí)
            return false;
        colección.Remove(i + 1);
        delete lista->takeItem(i);
        return true;
    }
    return false;
}

// Lookup items of an item being modified are read again by name.
void Releer(Elemento& e, const char* tabla) {
    if (!e.Nombre.trimmed().isEmpty())
        e.cargar_nombre(Almacén(), e.Nombre, QString::fromLatin1(tabla));
}

}  // namespace

void frmFicha::ComandoFamilia(const QString& op) {
    preparar(1);  // its list exists even before the page was shown
    if (Comando<frmAgregarFamiliar, cFamiliar>(
            op, this, lstFamilia_, postulante.familiares,
            [](frmAgregarFamiliar& d, const cFamiliar& f) {
                d.familiar = f;
                Releer(d.familiar.Ocupación, "nvx_m_ocupaciones");
                Releer(d.familiar.Empresa, "nvx_m_empleadores");
            },
            [](frmAgregarFamiliar& d) { return d.familiar; },
            [this](const cFamiliar& f) { return textoFamiliar(f); },
            QStringLiteral("Borrar familiar"), QStringLiteral("¿Eliminar %1 de la lista?")))
        marcarModificada();
}

void frmFicha::ComandoFormacion(const QString& op) {
    preparar(2);  // its list exists even before the page was shown
    if (Comando<frmAgregarFormacion, cFormación>(
            op, this, lstFormación_, postulante.formación,
            [](frmAgregarFormacion& d, const cFormación& f) {
                d.formación = f;
                Releer(d.formación.Título, "nvx_m_titulos");
                Releer(d.formación.institución, "nvx_m_formacion_institutos");
            },
            [](frmAgregarFormacion& d) { return d.formación; },
            [this](const cFormación& f) { return textoFormación(f); },
            QStringLiteral("Borrar item de formación"),
            QStringLiteral("¿Eliminar %1 de la lista?")))
        marcarModificada();
}

void frmFicha::ComandoIdiomas(const QString& op) {
    preparar(2);  // its list exists even before the page was shown
    if (Comando<frmAgregarIdioma, cIdioma>(
            op, this, lstIdiomas_, postulante.idiomas,
            [](frmAgregarIdioma& d, const cIdioma& i) { d.idioma = i; },
            [](frmAgregarIdioma& d) { return d.idioma; },
            [this](const cIdioma& i) { return textoIdioma(i); }, QStringLiteral("Quitar idioma"),
            QStringLiteral("¿Eliminar el idioma %1 de la lista?")))
        marcarModificada();
}

void frmFicha::ComandoExperiencia(const QString& op) {
    preparar(3);  // its list exists even before the page was shown
    if (Comando<frmAgregarExperiencia, cExperiencia>(
            op, this, lstExperiencia_, postulante.Experiencia,
            [](frmAgregarExperiencia& d, const cExperiencia& x) {
                d.experiencia = x;
                Releer(d.experiencia.empleador, "nvx_m_empleadores");
            },
            [](frmAgregarExperiencia& d) { return d.experiencia; },
            [this](const cExperiencia& x) { return textoExperiencia(x); },
            QStringLiteral("Borrar ítem"), QStringLiteral("¿Eliminar %1 de la lista?")))
        marcarModificada();
}

void frmFicha::ComandoInteres(const QString& op) {
    preparar(4);  // its list exists even before the page was shown
    if (Comando<frmAgregarInteres, uint8_t>(
            op, this, lstInterés_, postulante.ÁreasInterés,
            [](frmAgregarInteres& d, uint8_t a) { d.área = a; },
            [](frmAgregarInteres& d) { return d.área; },
            [this](uint8_t a) { return textoInterés(a); }, QStringLiteral("Borrar ítem"),
            QStringLiteral("¿Eliminar '%1' de la lista?")))
        marcarModificada();
}

void frmFicha::dragEnterEvent(QDragEnterEvent* e) {
    if (!ArchivosArrastrados(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void frmFicha::dropEvent(QDropEvent* e) {
    const QStringList archivos = ArchivosArrastrados(e->mimeData());
    if (archivos.isEmpty()) return;
    e->acceptProposedAction();
    preparar(5);
    documentos_->cargar(postulante.id);  // a card saved since it was filled has its id now
    documentos_->agregarArchivos(archivos);
}

void frmFicha::ComandoFotos(const QString& op) {
    preparar(5);  // its list exists even before the page was shown
    if (Comando<frmTomarFoto, cFoto>(
            op, this, lstFotos_, postulante.Fotos,
            [](frmTomarFoto& d, const cFoto& f) { d.foto = f; },
            [](frmTomarFoto& d) { return d.foto; }, [](const cFoto& f) { return f.Título; },
            QStringLiteral("Borrar ítem"), QStringLiteral("¿Eliminar '%1' de la lista?"))) {
        marcarModificada();
        verFoto(lstFotos_->currentRow());
    }
}

// Saving, deleting, closing.

bool frmFicha::validar() {
    for (const char* n : {"txtApellido", "txtNombre"})
        if (auto* t = findChild<ceTxtBox*>(QString::fromUtf8(n))) t->limpiar();
    if (postulante.Apellido.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Debe escribir un apellido para el postulante"), Icono::Exclamación,
               Botones::Aceptar, QStringLiteral("Falta el apellido"));
        return false;
    }
    if (postulante.Nombre.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Debe escribir un nombre para el postulante"), Icono::Exclamación,
               Botones::Aceptar, QStringLiteral("Falta el nombre"));
        return false;
    }
    if (!FechaPosible(postulante.Nac_Día, postulante.Nac_Mes, postulante.nac_año)) {
        mostrarSección(1);
        MsgBox(QStringLiteral("La fecha de nacimiento %1/%2/%3 no existe. Corrija el día o el mes.")
                   .arg(postulante.Nac_Día)
                   .arg(postulante.Nac_Mes)
                   .arg(postulante.nac_año),
               Icono::Exclamación, Botones::Aceptar, QStringLiteral("Fecha de nacimiento"));
        if (nacDía_) nacDía_->setFocus();
        return false;
    }
    return true;
}

bool frmFicha::GuardarFicha() {
    if (!validar()) return false;
    if (frmMDI* m = VentanaPrincipal(); m && !m->AsegurarBase()) return false;
    if (nueva && !sinDuplicados()) return false;
    for (bool sobrescribir = false;;) {
        bool guardado = false;
        try {
            Espera espera;
            guardado = postulante.guardar(sobrescribir);
        } catch (const ErrorAlmacen& e) {
            InformarFalla(QStringLiteral("No se pudo guardar la ficha."), e);
            return false;  // the card keeps its edits
        }
        if (guardado) break;
        if (postulante.cambiadaEl.isEmpty()) return false;  // the user was told why
        // Another workstation saved this card after it was opened here.
        const Respuesta r = interaccion().mostrar(
            {QStringLiteral("Otro usuario modificó esta ficha el %1, después de que usted la "
                            "abriera. Sus cambios todavía no se guardaron.\n\n"
                            "Recargar: ver la ficha como la dejó el otro usuario; sus cambios se "
                            "descartan.\n"
                            "Sobrescribir: guardar sus cambios en lugar de los del otro usuario.\n"
                            "Seguir editando: volver a la ficha sin guardar.")
                 .arg(FormatearFechaHora(postulante.cambiadaEl)),
             Icono::Exclamación,
             Botones::SíNoCancelar,
             QStringLiteral("Ficha modificada"),
             Respuesta::Cancelar,
             {QStringLiteral("&Recargar"), QStringLiteral("&Sobrescribir"),
              QStringLiteral("Seguir &editando")}});
        if (r == Respuesta::Sí) recargar();
        if (r != Respuesta::No) return false;
        sobrescribir = true;
    }
    nueva = false;
    modificada = false;
    actualizarBarra();
    actualizarInternos();
    actualizarTítulo();
    if (documentos_) documentos_->cargar(postulante.id);  // a new card takes documents now
    MostrarEstado(QStringLiteral("Ficha guardada."));
    return true;
}

bool frmFicha::sinDuplicados() {
    std::vector<ParDuplicado> pares;
    try {
        pares = PosiblesDuplicados(Almacén(), IdentidadDe(postulante));
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo buscar si el postulante ya está en la base."), e);
        return false;
    }
    if (pares.empty()) return true;
    const ParDuplicado& p = pares.front();
    QString texto = QStringLiteral("Posible duplicado de %1: %2.").arg(p.nombreB, p.evidencia());
    if (pares.size() > 1)
        texto += QStringLiteral("\n(y %1 más con datos en común)").arg(pares.size() - 1);
    texto += QStringLiteral(
        "\n\nAbrir esa ficha: ver al postulante que ya está en la base; esta ficha nueva queda "
        "abierta sin guardar.\nGuardar igual: es otra persona.\nSeguir editando: volver a esta "
        "ficha sin guardar.");
    const Respuesta r = interaccion().mostrar(
        {texto,
         Icono::Exclamación,
         Botones::SíNoCancelar,
         QStringLiteral("Posible duplicado"),
         Respuesta::Cancelar,
         {QStringLiteral("&Abrir esa ficha"), QStringLiteral("&Guardar igual"),
          QStringLiteral("Seguir &editando")}});
    if (r == Respuesta::Sí)
        if (frmMDI* m = VentanaPrincipal()) m->abrir_cv(p.b, 0, QString(), false);
    return r == Respuesta::No;
}

void frmFicha::recargar() {
    cPostulante guardado;
    guardado.id = postulante.id;
    if (!guardado.cargar()) {
        MsgBox(TextoFichaBorrada(), Icono::Información);
        return;
    }
    postulante = std::move(guardado);
    modificada = false;
    for (Página& p : páginas_) p.llenada = false;  // every page shows the record again
    int visible = 1;
    for (int i = 0; i < 6; ++i)
        if (!páginas_[size_t(i)].widget->isHidden()) visible = i + 1;
    mostrarSección(visible);
    actualizarTítulo();
    actualizarBarra();
}

void frmFicha::eliminar() {
    if (MsgBox(QStringLiteral("¿Seguro que desea eliminar el CV de ") + postulante.Apellido + u' ' +
                   postulante.Nombre + u'?',
               Icono::Exclamación, Botones::SíNo, QStringLiteral("Eliminar"),
               Respuesta::No) != Respuesta::Sí)
        return;
    try {
        postulante.eliminar();
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo borrar la ficha."), e);
        return;
    }
    modificada = false;
    // In the main window the frame closes (and deletes) the card.
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()))
        marco->close();
    else
        close();
}

void frmFicha::closeEvent(QCloseEvent* e) {
    if (modificada) {
        const Respuesta r =
            MsgBox(QStringLiteral("Ha realizado cambios en la ficha.\n\n¿Desea guardar los "
                                  "cambios antes de cerrar?"),
                   Icono::Pregunta, Botones::SíNoCancelar, QStringLiteral("Guardar"));
        if (r == Respuesta::Cancelar || (r == Respuesta::Sí && !GuardarFicha())) {
            e->ignore();
            return;
        }
    }
    e->accept();
}

// The main window's way in.

namespace {

// The open card of an applicant (by id, or by document when id is 0), new or not.
frmFicha* FichaAbierta(frmMDI& m, int32_t id, uint8_t país, const QString& número) {
    for (QMdiSubWindow* sub : m.área()->subWindowList())
        if (auto* f = qobject_cast<frmFicha*>(sub->widget());
            f && (id != 0 ? f->postulante.id == id
                          : f->postulante.Dni_País == país &&
                                f->postulante.Dni_Número.texto() == número.trimmed())) {
            m.área()->setActiveSubWindow(sub);
            return f;
        }
    return nullptr;
}

}  // namespace

void InstalarFichas() {
    frmMDI::fábricaFicha = [](frmMDI& m, int32_t id, uint8_t país, const QString& número,
                              bool nueva, bool editar) -> QWidget* {
        // The same applicant twice: bring its card to the front.
        if (frmFicha* abierta = FichaAbierta(m, nueva ? 0 : id, país, número)) {
            if (editar) abierta->setEdición(true);
            return nullptr;
        }
        auto* f = new frmFicha;
        f->nueva = nueva;
        f->postulante.id = nueva ? 0 : id;
        f->postulante.Dni_País = país;
        f->postulante.Dni_Número = número;
        if (!nueva) f->postulante.cargar();
        f->cargar();
        if (editar) f->setEdición(true);
        return f;
    };
    frmMDI::RegistrarMódulo(QStringLiteral("ABM"), [](frmMDI& m) {
        frmABMFichas d(&m);
        d.alFrente = [&m](uint8_t país, const QString& documento) {
            return FichaAbierta(m, 0, país, documento) != nullptr;
        };
        d.exec();
        if (d.resultado == 1) m.abrir_cv(0, d.país, d.documento, true);
        if (d.resultado == 2) m.abrir_cv(d.id, d.país, d.documento, false);
    });
}
