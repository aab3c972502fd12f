#include "shell/frmMDI.h"

#include "privacy/Auditoria.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/Posiciones.h"
#include "shell/Ventanas.h"
#include "store/Cadenas.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace {

frmMDI* principal = nullptr;

// Remembers where a child window was when it is closed (not while maximised
// or minimised: then it keeps the place it had before).
class RecuerdaLugar : public QObject {
  public:
    RecuerdaLugar(const QString& nombre, QObject* padre) : QObject(padre), nombre_(nombre) {}

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Close)
            if (auto* sub = qobject_cast<QMdiSubWindow*>(o);
                sub && !sub->isMaximized() && !sub->isMinimized())
                GuardarPosiciónHija(nombre_, sub->geometry());
        return false;
    }

  private:
    QString nombre_;
};

QHash<QString, frmMDI::Módulo>& Módulos() {
    static QHash<QString, frmMDI::Módulo> m;
    return m;
}

// A method name for a section tag: "Comando" + the tag without accents.
QByteArray MétodoComando(const QString& tag) {
    QString t;
    for (const QChar c : tag.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) t += c;
    return "Comando" + t.toLatin1();
}

}  // namespace

frmMDI::FábricaFicha frmMDI::fábricaFicha;

void frmMDI::RegistrarMódulo(const QString& clave, Módulo abrir) {
    Módulos().insert(clave, std::move(abrir));
}

QString TextoFichaBorrada() {
    return QStringLiteral(
        "Esa ficha ya no existe. Probablemente haya sido borrada por otro usuario.");
}

frmMDI* VentanaPrincipal() {
    return principal;
}

frmMDI::frmMDI(QWidget* parent) : QMainWindow(parent), área_(new QMdiArea(this)) {
    principal = this;
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QString::fromUtf8(kTítuloPrograma));
    setWindowIcon(IconoCandora());
    área_->setObjectName(QStringLiteral("mdiArea"));
    área_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    área_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    área_->setBackground(QColor(0xdf, 0xe4, 0xea));
    setCentralWidget(área_);
    crearMenús();
    crearBarra();
    auto* lecturas = new QTimer(this);
    connect(lecturas, &QTimer::timeout, this, &frmMDI::volcarLecturas);
    lecturas->start(15000);

    auto* barraEstado = new QStatusBar(this);
    barraEstado->setObjectName(QStringLiteral("stbEstado"));
    estado_ = new QLabel(barraEstado);
    estado_->setObjectName(QStringLiteral("stbEstado_1"));
    usuario_ = new QLabel(barraEstado);
    usuario_->setObjectName(QStringLiteral("stbEstado_2"));
    usuario_->setContentsMargins(8, 0, 8, 0);
    barraEstado->addWidget(estado_, 1);
    barraEstado->addPermanentWidget(usuario_);
    setStatusBar(barraEstado);
    MostrarEstado({});

    resize(1100, 760);
    RestaurarVentanaPrincipal(*this);
    HabilitarRespaldo();
}

frmMDI::~frmMDI() {
    if (principal == this) principal = nullptr;
}

void frmMDI::crearMenús() {
    const auto acción = [this](QMenu* m, const char* nombre, int cadena, const QString& fijo = {}) {
        QAction* a = m->addAction(cadena ? CadenaRecurso(cadena) : fijo);
        a->setObjectName(QString::fromUtf8(nombre));
        if (cadena) a->setProperty("cadena", cadena);
        return a;
    };
    // Entry captions come from the string table the first time their menu opens.
    const auto perezoso = [](QMenu* m, bool& hecho) {
        connect(m, &QMenu::aboutToShow, m, [m, &hecho] {
            if (hecho) return;
            for (QAction* a : m->actions())
                if (int c = a->property("cadena").toInt()) a->setText(CadenaRecurso(c));
            hecho = true;
        });
    };

    QMenu* sistema = menuBar()->addMenu(CadenaRecurso(101));
    sistema->setObjectName(QStringLiteral("mnusistema"));
    connect(acción(sistema, "mnuSistemaOpciones", 102), &QAction::triggered, this, [] {
        MsgBox(QStringLiteral("Este comando está reservado para el soporte técnico de Candora."),
               Icono::Información);
    });
    connect(acción(sistema, "mnuSistemaReabrir", 0, QStringLiteral("&Reabrir la base de datos")),
            &QAction::triggered, this, &frmMDI::ReabrirBase);
    sistema->addSeparator()->setObjectName(QStringLiteral("mnuSistemasep1"));
    connect(acción(sistema, "mnuSistemaSalir", 103), &QAction::triggered, this,
            &frmMDI::ConfirmarSalida);
    perezoso(sistema, bSistema_);

    QMenu* módulos = menuBar()->addMenu(CadenaRecurso(104));
    módulos->setObjectName(QStringLiteral("mnuMódulos"));
    struct Entrada {
        const char* nombre;
        int cadena;
        Qt::Key tecla;
        const char* clave;
    };
    for (const Entrada& e : {Entrada{"mnuMódulosBúsquedas", 105, Qt::Key_F2, "Búsqueda"},
                             Entrada{"mnuMódulosNuevaFicha", 106, Qt::Key_F3, "ABM"},
                             Entrada{"mnuImportar", 107, Qt::Key_F4, "Importar"},
                             Entrada{"mnuRespaldo", 116, Qt::Key_F6, "Respaldo"}}) {
        QAction* a = acción(módulos, e.nombre, e.cadena);
        a->setShortcut(QKeySequence(e.tecla));
        a->setData(QString::fromUtf8(e.clave));
        a->setEnabled(Módulos().contains(QString::fromUtf8(e.clave)));
        connect(a, &QAction::triggered, this, [this, a] { botón(a->data().toString()); });
    }
    QAction* duplicados =
        acción(módulos, "mnuMódulosDuplicados", 0, QStringLiteral("Posibles &duplicados..."));
    duplicados->setEnabled(Módulos().contains(QStringLiteral("Duplicados")));
    connect(duplicados, &QAction::triggered, this, [this] { botón(QStringLiteral("Duplicados")); });
    QAction* conservación = acción(módulos, "mnuMódulosConservacion", 0,
                                   QStringLiteral("&Conservación de datos personales..."));
    conservación->setEnabled(Módulos().contains(QStringLiteral("Conservacion")));
    connect(conservación, &QAction::triggered, this,
            [this] { botón(QStringLiteral("Conservacion")); });
    // Ctrl+F takes the user to the toolbar's keyword box.
    QAction* palabras =
        acción(módulos, "mnuMódulosPalabras", 0, QStringLiteral("Buscar por &palabras clave..."));
    palabras->setShortcut(QKeySequence::Find);
    palabras->setEnabled(Módulos().contains(QStringLiteral("Palabras")));
    connect(palabras, &QAction::triggered, this, [this] {
        if (!palabras_) return;
        palabras_->setFocus(Qt::ShortcutFocusReason);
        palabras_->selectAll();
    });
    perezoso(módulos, bMódulos_);

    mnuVentana_ = menuBar()->addMenu(CadenaRecurso(109));
    mnuVentana_->setObjectName(QStringLiteral("mnuVentana"));
    connect(acción(mnuVentana_, "mnuVentanaHorizontal", 110), &QAction::triggered, this,
            [this] { mosaico(true); });
    connect(acción(mnuVentana_, "mnuVentanaVertical", 111), &QAction::triggered, this,
            [this] { mosaico(false); });
    connect(acción(mnuVentana_, "mnuVentanaCascada", 112), &QAction::triggered, área_,
            &QMdiArea::cascadeSubWindows);
    connect(acción(mnuVentana_, "mnuVentanaOrganizar", 113), &QAction::triggered, this,
            &frmMDI::organizarIconos);
    perezoso(mnuVentana_, bVentana_);
    connect(mnuVentana_, &QMenu::aboutToShow, this, &frmMDI::listarVentanas);

    QMenu* ayuda = menuBar()->addMenu(CadenaRecurso(114));
    ayuda->setObjectName(QStringLiteral("mnuAyuda"));
    QAction* rápida = acción(ayuda, "mnuAyudaRápida", 0, QStringLiteral("Ayuda rápida"));
    rápida->setShortcut(QKeySequence(Qt::Key_F1));
    connect(rápida, &QAction::triggered, this, [this] {
        frmAyudaRapida a(this);
        if (!a.cargar())
            MsgBox(QStringLiteral("No se encontró la página de ayuda rápida."), Icono::Información);
    });
    ayuda->addSeparator()->setObjectName(QStringLiteral("mnuAyudaSep1"));
    connect(acción(ayuda, "mnuAcercaDe", 115), &QAction::triggered, this, [this] {
        frmAcercaDe acerca(this);
        acerca.exec();
    });
    perezoso(ayuda, bAyuda_);

    mnuComandos_ = new QMenu(this);
    mnuComandos_->setObjectName(QStringLiteral("mnuComandos"));
    for (auto [nombre, texto, letra] : {std::tuple{"mnuComandoAgregar", "Agregar...", "a"},
                                        std::tuple{"mnuComandoModificar", "Modificar...", "m"},
                                        std::tuple{"mnuComandoQuitar", "Quitar", "q"}}) {
        QAction* a = acción(mnuComandos_, nombre, 0, QString::fromUtf8(texto));
        const QString l = QString::fromLatin1(letra);
        connect(a, &QAction::triggered, this, [this, l] { comando(l); });
    }
}

void frmMDI::crearBarra() {
    barra_ = addToolBar(QStringLiteral("Comandos"));
    barra_->setObjectName(QStringLiteral("tlbBotones"));
    barra_->setMovable(false);
    barra_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    barra_->setIconSize(QSize(24, 24));
    struct Botón {
        const char* clave;
        QString rótulo;
        bool visible;
    };
    for (const Botón& b : {Botón{"Búsqueda", QStringLiteral("F2-") + CadenaRecurso(201), true},
                           Botón{"ABM", QStringLiteral("F3-") + CadenaRecurso(202), true},
                           Botón{"Importar", QStringLiteral("F4-") + CadenaRecurso(203), true},
                           Botón{"agenda", QStringLiteral("Agenda"), false},
                           Botón{"Respaldo", QStringLiteral("F6-") + CadenaRecurso(207), true},
                           Botón{"Ayuda", QStringLiteral("Ayuda"), false},
                           Botón{"Salir", CadenaRecurso(206), true}}) {
        const QString clave = QString::fromUtf8(b.clave);
        QAction* a = barra_->addAction(IconoDe(clave), b.rótulo);
        a->setObjectName(QStringLiteral("tlbBotones_") + clave);
        a->setData(clave);
        a->setVisible(b.visible);
        a->setEnabled(clave == QLatin1String("Salir") || Módulos().contains(clave));
        connect(a, &QAction::triggered, this, [this, clave] { botón(clave); });
    }
    auto* hueco = new QWidget(barra_);
    hueco->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barra_->addWidget(hueco);
    palabras_ = new QLineEdit(barra_);
    palabras_->setObjectName(QStringLiteral("txtPalabras"));
    palabras_->setPlaceholderText(QStringLiteral("Palabras clave (Ctrl+F)"));
    palabras_->setToolTip(QStringLiteral(
        "Busca en todo lo que se sabe de cada postulante, sin importar acentos ni mayúsculas.\n"
        "sap logística: las dos palabras · sap o oracle: cualquiera · -pasantía: sin ella\n"
        "\"atención al público\": la frase · admin*: palabras que empiezan así"));
    palabras_->setClearButtonEnabled(true);
    palabras_->setMinimumWidth(260);
    palabras_->setMaxLength(500);
    palabras_->setEnabled(Módulos().contains(QStringLiteral("Palabras")));
    barra_->addWidget(palabras_);
    connect(palabras_, &QLineEdit::returnPressed, this, [this] {
        if (!palabras_->text().trimmed().isEmpty()) botón(QStringLiteral("Palabras"));
    });
}

QString frmMDI::palabrasClave() const {
    return palabras_ ? palabras_->text() : QString();
}

void frmMDI::botón(const QString& clave) {
    if (clave == QLatin1String("Salir")) {
        ConfirmarSalida();
        return;
    }
    const auto m = Módulos().constFind(clave);
    if (m == Módulos().cend()) return;
    if (clave == QLatin1String("Respaldo") && !respaldoPermitido()) return;
    if (!AsegurarBase()) return;
    static const QHash<QString, QString> operaciones = {
        {QStringLiteral("Búsqueda"), QStringLiteral("No se pudieron abrir las búsquedas.")},
        {QStringLiteral("ABM"), QStringLiteral("No se pudo abrir la ficha.")},
        {QStringLiteral("Importar"), QStringLiteral("No se pudo importar el archivo.")},
        {QStringLiteral("Respaldo"), QStringLiteral("No se pudo hacer la copia de seguridad.")},
        {QStringLiteral("Palabras"), QStringLiteral("No se pudo buscar por palabras clave.")},
        {QStringLiteral("Duplicados"), QStringLiteral("No se pudieron buscar los duplicados.")},
        {QStringLiteral("Conservacion"),
         QStringLiteral("No se pudo abrir la conservación de datos personales.")}};
    Proteger(operaciones.value(clave, QStringLiteral("No se pudo completar lo que pidió.")),
             [&] { (*m)(*this); });
}

void frmMDI::MostrarComandos(QWidget* destino, const QString& tag, bool hayElementos,
                             const QPoint& dónde) {
    destino_comando = destino;
    mnuComandos_->setProperty("Tag", tag);
    for (QAction* a : mnuComandos_->actions())
        if (a->objectName() != QLatin1String("mnuComandoAgregar")) a->setEnabled(hayElementos);
    mnuComandos_->popup(dónde);
}

void frmMDI::comando(const QString& letra) {
    if (!destino_comando) return;
    const QByteArray método = MétodoComando(mnuComandos_->property("Tag").toString());
    QMetaObject::invokeMethod(destino_comando, método.constData(), Q_ARG(QString, letra));
}

void frmMDI::abrir_cv(int32_t id, uint8_t dni_país, const QString& dni_número, bool nueva,
                      bool editar) {
    if (!AsegurarBase()) return;
    Proteger(QStringLiteral("No se pudo abrir la ficha."),
             [&] { abrirFicha(id, dni_país, dni_número, nueva, editar); });
}

void frmMDI::abrirFicha(int32_t id, uint8_t dni_país, const QString& dni_número, bool nueva,
                        bool editar) {
    const QString número = dni_número.trimmed();
    if (!nueva) {
        const QVariant hay =
            id != 0 ? Almacén().valorÚnico(
                          QStringLiteral("select 1 from nvx_m_postulantes where id = ?"), {id})
                    : Almacén().valorÚnico(QStringLiteral("select 1 from nvx_m_postulantes "
                                                          "where dni_pais = ? and dni_numero = ?"),
                                           {dni_país, número});
        if (!hay.isValid()) {
            MsgBox(TextoFichaBorrada(), Icono::Información);
            return;
        }
    }
    if (!fábricaFicha) {
        MsgBox(
            QStringLiteral("La ficha de postulantes todavía no está disponible en esta versión."),
            Icono::Información);
        return;
    }
    Espera espera;
    if (QWidget* w = fábricaFicha(*this, nueva ? 0 : id, dni_país, número, nueva, editar))
        agregarVentana(w);
}

QWidget* frmMDI::traerVentana(const QMetaObject& clase) {
    for (QMdiSubWindow* sub : área_->subWindowList())
        if (sub->widget() && sub->widget()->metaObject()->inherits(&clase)) {
            área_->setActiveSubWindow(sub);
            return sub->widget();
        }
    return nullptr;
}

QMdiSubWindow* frmMDI::agregarVentana(QWidget* w) {
    const QSize pedido = w->size();
    const QString nombre = w->objectName();
    QMdiSubWindow* sub = área_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);

    // The backup switch follows the list of open windows.
    connect(sub, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &frmMDI::HabilitarRespaldo); });
    DeshabilitarRespaldo();
    sub->show();
    if (!nombre.isEmpty()) sub->installEventFilter(new RecuerdaLugar(nombre, sub));
    if (!sub->isMaximized()) colocar(sub, pedido, PosiciónHijaGuardada(nombre));
    return sub;
}

void frmMDI::colocar(QMdiSubWindow* sub, const QSize& pedido, const QRect& recordado) {
    const QRect vista = área_->viewport()->rect();
    const QSize marco = sub->size() - sub->contentsRect().size();
    // The remembered size, else the one the window asked for, as far as the area allows.
    QSize tamaño =
        (recordado.isValid() ? recordado.size() : pedido + marco).boundedTo(vista.size());
    const auto dentro = [&](const QPoint& p) {
        return QPoint(std::clamp(p.x(), 0, vista.width() - tamaño.width()),
                      std::clamp(p.y(), 0, vista.height() - tamaño.height()));
    };
    // Its remembered place, moved into the area (a smaller screen), else the top left.
    QPoint lugar = dentro(recordado.isValid() ? recordado.topLeft() : QPoint());
    // Cascade: a window right over another moves one title bar down and right,
    // shrinking to stay inside; back to the top left when there is no room left.
    const int paso =
        std::max(sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub), 16);
    const QSize mínimo(std::min(tamaño.width(), 360), std::min(tamaño.height(), 240));
    const auto ocupado = [&](const QPoint& p) {
        for (QMdiSubWindow* otra : área_->subWindowList())
            if (otra != sub && otra->isVisible() && !otra->isMinimized() &&
                (otra->pos() - p).manhattanLength() < paso)
                return true;
        return false;
    };
    for (int i = 0, vuelta = 0; i < 64 && ocupado(lugar); ++i) {
        lugar += QPoint(paso, paso);
        if (lugar.x() + mínimo.width() > vista.width() ||
            lugar.y() + mínimo.height() > vista.height())
            lugar = QPoint(++vuelta * paso % std::max(vista.width() - mínimo.width(), 1), 0);
    }
    tamaño = tamaño.boundedTo(vista.size() - QSize(lugar.x(), lugar.y()));
    sub->setGeometry(QRect(lugar, tamaño));
}

void frmMDI::MostrarEstado(const QString& texto) {
    estado_->setText(!texto.isEmpty() ? texto
                     : sinBase_
                         ? QStringLiteral("Sin conexión con la base de datos: Sistema › Reabrir "
                                          "la base de datos.")
                         : QStringLiteral("Listo."));
    estado_->repaint();
}

void frmMDI::PerderBase() {
    dic.reset();  // never a store that does not answer: every use now asks for it again
    sinBase_ = true;
    MostrarEstado({});
}

void frmMDI::BaseRecuperada() {
    sinBase_ = false;
    MostrarEstado({});
}

bool frmMDI::AsegurarBase() {
    return dic || AbrirBaseOtraVez(QStringLiteral("No se pudo volver a abrir la base de datos."));
}

void frmMDI::ReabrirBase() {
    if (AbrirBaseOtraVez(QStringLiteral("No se pudo volver a abrir la base de datos.")))
        MsgBox(QStringLiteral("La base de datos está abierta."), Icono::Información);
}

void frmMDI::setUsuario(const QString& nombre) {
    usuario_->setText(nombre.toUpper());
}

bool frmMDI::respaldoPermitido() const {
    return área_->subWindowList().isEmpty();
}

void frmMDI::DeshabilitarRespaldo() {
    for (QAction* a : {findChild<QAction*>(QStringLiteral("tlbBotones_Respaldo")),
                       findChild<QAction*>(QStringLiteral("mnuRespaldo"))})
        if (a) a->setEnabled(false);
}

void frmMDI::HabilitarRespaldo() {
    const bool sí = respaldoPermitido() && Módulos().contains(QStringLiteral("Respaldo"));
    for (QAction* a : {findChild<QAction*>(QStringLiteral("tlbBotones_Respaldo")),
                       findChild<QAction*>(QStringLiteral("mnuRespaldo"))})
        if (a) a->setEnabled(sí);
}

bool frmMDI::ConfirmarSalida() {
    if (saliendo_) return true;
    if (MsgBox(QStringLiteral("¿Salir del programa?"), Icono::Pregunta, Botones::SíNo,
               QStringLiteral("Salir")) != Respuesta::Sí)
        return false;
    // Each child asks about its own unsaved changes; one cancel keeps the program running.
    for (QMdiSubWindow* sub : área_->subWindowList())
        if (!sub->close()) return false;
    GuardarVentanaPrincipal(*this);
    saliendo_ = true;
    close();
    QCoreApplication::quit();
    return true;
}

void frmMDI::closeEvent(QCloseEvent* e) {
    if (saliendo_ || ConfirmarSalida()) {
        volcarLecturas();
        e->accept();
    } else {
        e->ignore();
    }
}

void frmMDI::volcarLecturas() {
    // Who looked at which card is written now and then, never at the cost of opening it.
    if (sinBase_ || !dic) return;
    try {
        VolcarLecturas(*dic);
    } catch (const ErrorAlmacen&) {
        // They wait for the next write.
    }
}

void frmMDI::traerAlFrente() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void frmMDI::listarVentanas() {
    const QList<QAction*> acciones = mnuVentana_->actions();
    for (QAction* a : acciones)
        if (a->property("ventana").isValid() || a->objectName() == QLatin1String("mnuVentanaSep"))
            delete a;
    const QList<QMdiSubWindow*> ventanas = área_->subWindowList();
    if (ventanas.isEmpty()) return;
    mnuVentana_->addSeparator()->setObjectName(QStringLiteral("mnuVentanaSep"));
    int n = 0;
    for (QMdiSubWindow* sub : ventanas) {
        QString título = sub->windowTitle();
        título.replace(u'&', QStringLiteral("&&"));  // a name's "&" is no access key
        QAction* a = mnuVentana_->addAction(QStringLiteral("&%1 %2").arg(++n).arg(título));
        a->setProperty("ventana", true);
        a->setCheckable(true);
        a->setChecked(sub == área_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { área_->setActiveSubWindow(sub); });
    }
}

void frmMDI::mosaico(bool horizontal) {
    QList<QMdiSubWindow*> ventanas;
    for (QMdiSubWindow* sub : área_->subWindowList())
        if (!sub->isMinimized() && sub->isVisible()) ventanas.append(sub);
    if (ventanas.isEmpty()) return;
    const QRect r = área_->viewport()->rect();
    const int n = int(ventanas.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = ventanas.at(i);
        if (sub->isMaximized()) sub->showNormal();
        if (horizontal)
            sub->setGeometry(0, r.height() * i / n, r.width(),
                             r.height() * (i + 1) / n - r.height() * i / n);
        else
            sub->setGeometry(r.width() * i / n, 0, r.width() * (i + 1) / n - r.width() * i / n,
                             r.height());
    }
}

void frmMDI::organizarIconos() {
    const QRect r = área_->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : área_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize t = sub->size();
        sub->move(x, r.height() - t.height());
        x += t.width();
    }
}
