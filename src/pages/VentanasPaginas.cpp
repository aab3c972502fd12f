#include "pages/VentanasPaginas.h"

#include "pages/PaginaPdf.h"

#include "documents/Documentos.h"
#include "export/Exportacion.h"
#include "filecard/frmFicha.h"
#include "pages/PaginaCV.h"
#include "privacy/Auditoria.h"
#include "privacy/Informe.h"
#include "search/Palabras.h"
#include "shell/Fallas.h"
#include "shell/Iconos.h"
#include "shell/Ventanas.h"
#include "shell/frmMDI.h"
#include "store/Archivos.h"
#include "store/Cadenas.h"
#include "store/Conexion.h"
#include "store/Diccionario.h"
#include "store/ErrorAlmacen.h"
#include "store/Interaccion.h"
#include "store/Valores.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kEspera = QStringLiteral("Aguarde mientras Candora accede a la información...");

// A browser view that shows pages and hands every link to its window.
QTextBrowser* Vista(QWidget* padre) {
    auto* v = new QTextBrowser(padre);
    v->setObjectName(QStringLiteral("htmResultados"));
    v->setOpenLinks(false);
    v->setOpenExternalLinks(false);
    return v;
}

QToolBar* Barra(QWidget* padre, const char* nombre) {
    auto* b = new QToolBar(padre);
    b->setObjectName(QString::fromUtf8(nombre));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}

QAction* Botón(QToolBar* b, const char* clave, const QString& rótulo,
               QStyle::StandardPixmap icono) {
    QAction* a = b->addAction(b->style()->standardIcon(icono), rótulo);
    a->setObjectName(b->objectName() + u'_' + QString::fromUtf8(clave));
    a->setData(QString::fromUtf8(clave));
    return a;
}

}  // namespace

int32_t PostulanteDeVentana(const QWidget* w) {
    if (const auto* f = qobject_cast<const frmFicha*>(w)) return f->postulante.id;
    if (const auto* c = qobject_cast<const frmCVhtml*>(w)) return c->postulante.id;
    return 0;
}

void CerrarVentanasDe(const std::vector<int32_t>& ids) {
    frmMDI* m = VentanaPrincipal();
    if (!m) return;
    const QSet<int32_t> borrados(ids.begin(), ids.end());
    for (QMdiSubWindow* sub : m->área()->subWindowList()) {
        const int32_t id = PostulanteDeVentana(sub->widget());
        if (id == 0 || !borrados.contains(id)) continue;
        if (auto* f = qobject_cast<frmFicha*>(sub->widget())) f->modificada = false;
        sub->close();
    }
}

int32_t IdDeEnlace(const QUrl& destino) {
    static const QRegularExpression enlace(QStringLiteral("^post([0-9]{1,9})$"));
    const auto m = enlace.match(destino.toString());
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void AbrirCV(int32_t id, const QStringList& resaltar) {
    frmMDI* m = VentanaPrincipal();
    if (!m || id <= 0) return;
    Espera espera(kEspera);
    auto* cv = new frmCVhtml;
    cv->postulante.id = id;
    if (cv->postulante.cargar() == 0) {
        delete cv;
        MsgBox(TextoFichaBorrada(), Icono::Información);
        return;
    }
    cv->resaltar = resaltar;
    cv->cargar();
    AuditarLectura(id, Acción::AbrióCV);
    cv->resize(820, 640);
    m->agregarVentana(cv);
}

// Results.

frmResultado2::frmResultado2(QWidget* parent) : QWidget(parent), htm_(Vista(this)) {
    setObjectName(QStringLiteral("frmResultado2"));
    resize(940, 620);  // wide enough for both toolbars whole
    setWindowIcon(IconoCandora());
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    auto* barras = new QHBoxLayout;
    QToolBar* comandos = Barra(this, "tlbComandos");
    connect(Botón(comandos, "imprimir", QStringLiteral("Imprimir resultados"),
                  QStyle::SP_FileDialogDetailedView),
            &QAction::triggered, this, &frmResultado2::imprimir);
    connect(Botón(comandos, "copiar", QStringLiteral("Copiar al portapapeles"),
                  QStyle::SP_FileDialogContentsView),
            &QAction::triggered, this, &frmResultado2::copiar);
    connect(Botón(comandos, "exportar", QStringLiteral("Exportar..."), QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &frmResultado2::exportar);
    connect(
        Botón(comandos, "eliminar", QStringLiteral("Eliminar currículums"), QStyle::SP_TrashIcon),
        &QAction::triggered, this, &frmResultado2::eliminar);
    QToolBar* páginas = Barra(this, "asxToolbar1");
    anteriores_ = Botón(páginas, "anteriores", QStringLiteral("Anteriores"), QStyle::SP_ArrowBack);
    siguientes_ =
        Botón(páginas, "siguientes", QStringLiteral("Siguientes"), QStyle::SP_ArrowForward);
    anteriores_->setShortcut(QKeySequence::MoveToPreviousPage);
    siguientes_->setShortcut(QKeySequence::MoveToNextPage);
    // No target page yet: both start disabled.
    anteriores_->setEnabled(false);
    siguientes_->setEnabled(false);
    for (QAction* a : {anteriores_, siguientes_})
        connect(a, &QAction::triggered, this, [this, a] {
            const int destino = a == anteriores_ ? página_.anteriores : página_.siguientes;
            if (destino <= 0) return;
            Espera espera(kEspera);
            llenar_html(destino);
        });
    barras->addWidget(comandos);
    barras->addStretch(1);
    barras->addWidget(páginas);
    l->addLayout(barras);
    l->addWidget(htm_, 1);
    connect(htm_, &QTextBrowser::anchorClicked, this, &frmResultado2::abrirEnlace);
    if (frmMDI* m = VentanaPrincipal()) m->DeshabilitarRespaldo();
}

frmResultado2::~frmResultado2() = default;

bool frmResultado2::cargar() {
    if (!búsqueda.cargar()) return false;
    búsqueda.ejecutar();
    if (resultado_.cargar(búsqueda.id, búsqueda.Título, búsqueda.palabrasResaltar()) == 0)
        return false;
    setWindowTitle(búsqueda.Título + QStringLiteral(" > Resultado"));
    llenar_html(1);
    return true;
}

bool frmResultado2::cargarPalabras(const QString& palabras) {
    const ConsultaPalabras consulta = AnalizarPalabras(palabras);
    std::vector<int32_t> ids;
    for (const HalladoPalabras& h : BuscarPorPalabras(Almacén(), palabras)) ids.push_back(h.id);
    const QString título = QStringLiteral("Palabras clave: ") + palabras.simplified();
    if (resultado_.cargar(std::move(ids), título, consulta.palabrasResaltar()) == 0) return false;
    setWindowTitle(título + QStringLiteral(" > Resultado"));
    llenar_html(1);
    return true;
}

void BuscarPalabrasClave(const QString& palabras) {
    frmMDI* m = VentanaPrincipal();
    if (!m || palabras.trimmed().isEmpty()) return;
    const QString título = QStringLiteral("Palabras clave");
    if (const ConsultaPalabras q = AnalizarPalabras(palabras); !q.válida()) {
        MsgBox(q.error, Icono::Exclamación, Botones::Aceptar, título);
        return;
    }
    auto r = std::make_unique<frmResultado2>();
    bool hay = false;
    try {
        Espera espera(kEspera);
        hay = r->cargarPalabras(palabras);
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo buscar por palabras clave."), e);
        return;
    }
    if (!hay) {
        MsgBox(QStringLiteral("Ningún postulante activo tiene las palabras «%1».\n\nPruebe con "
                              "menos palabras, con «o» entre alternativas o con un asterisco al "
                              "final (admin*).")
                   .arg(palabras.simplified()),
               Icono::Información, Botones::Aceptar, título);
        return;
    }
    m->agregarVentana(r.release());
}

void frmResultado2::llenar_html(int primero) {
    try {
        página_ = resultado_.página(primero);
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo mostrar la página de resultados."),
                      e);  // the previous page stays
        return;
    }
    anteriores_->setEnabled(página_.anteriores > 0);
    siguientes_->setEnabled(página_.siguientes > 0);
    htm_->setHtml(página_.html);
}

void frmResultado2::abrirEnlace(const QUrl& destino) {
    AbrirCV(IdDeEnlace(destino), resultado_.resaltar());
}

void frmResultado2::imprimir() {
    interaccion().imprimir(htm_->toHtml(), windowTitle());
    std::vector<int32_t> impresos;
    for (int f = página_.primero; f >= 1 && f <= página_.último; ++f)
        impresos.push_back(resultado_.Id(f));
    Proteger(QStringLiteral("No se pudo anotar la impresión en el historial."),
             [&] { Auditar(Almacén(), impresos, Acción::Imprimió, windowTitle()); });
}

void frmResultado2::exportar() {
    QString destino = ElegirArchivo(
        {true, QStringLiteral("Exportar los postulantes"),
         NombreArchivoSeguro(resultado_.título(), QStringLiteral("postulantes")) +
             QStringLiteral(".xlsx"),
         QStringLiteral("Libro de Excel (*.xlsx);;Texto separado por punto y coma (*.csv)")});
    if (destino.isEmpty()) return;
    const bool csv =
        QFileInfo(destino).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    if (!csv && QFileInfo(destino).suffix().isEmpty()) destino += QStringLiteral(".xlsx");
    int n = 0;
    try {
        Espera espera(QStringLiteral("Aguarde mientras Candora exporta los postulantes..."));
        n = ExportarPostulantes(Almacén(), resultado_.ids(),
                                csv ? FormatoExportación::Csv : FormatoExportación::Xlsx, destino);
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se exportaron los postulantes."), e);
        return;
    }
    MsgBox(QStringLiteral("Se %1 a «%2».")
               .arg(n == 1 ? QStringLiteral("exportó 1 postulante")
                           : QStringLiteral("exportaron %1 postulantes").arg(n),
                    destino),
           Icono::Información, Botones::Aceptar, QStringLiteral("Exportar"));
}

void frmResultado2::copiar() {
    interaccion().portapapeles(htm_->toPlainText(), htm_->toHtml());
    MsgBox(CadenaRecurso(64), Icono::Información);
}

void frmResultado2::eliminar() {
    const int total = resultado_.Cantidad();
    if (MsgBox(QStringLiteral("Atención:\n\nUd. está por eliminar permanentemente de la base de "
                              "datos %1 que se incluye%2 en estos resultados.\n\nEsta operación "
                              "no puede deshacerse.\n\n¿Está seguro?")
                   .arg(total == 1 ? QStringLiteral("el currículum")
                                   : QStringLiteral("los ") +
                                         TextoCantidad(total, QStringLiteral("currículum"),
                                                       QStringLiteral("currículos")),
                        total == 1 ? QString() : QStringLiteral("n")),
               Icono::Exclamación, Botones::SíNo, QStringLiteral("Eliminar currículums"),
               Respuesta::No) != Respuesta::Sí)
        return;
    const std::vector<int32_t> ids = resultado_.ids();  // the result is empty afterwards
    int eliminados = 0;
    try {
        Espera espera(QStringLiteral("Aguarde mientras Candora elimina los currículums..."));
        eliminados = resultado_.eliminarTodos();
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se eliminó ningún currículum."), e);
        return;
    }
    CerrarVentanasDe(ids);
    MsgBox(
        QStringLiteral("%1 %2 de estos resultados. La ventana se cerrará.")
            .arg(eliminados == 1 ? QStringLiteral("Se eliminó") : QStringLiteral("Se eliminaron"),
                 TextoCantidad(eliminados, QStringLiteral("currículum"),
                               QStringLiteral("currículos"))),
        Icono::Información);
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()))
        marco->close();
    else
        close();
}

// CV page.

frmCVhtml::frmCVhtml(QWidget* parent) : QWidget(parent), htm_(Vista(this)) {
    setObjectName(QStringLiteral("frmCVhtml"));
    setWindowIcon(IconoCandora());
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    QToolBar* b = Barra(this, "asxToolbar1");
    connect(Botón(b, "abrir", CadenaRecurso(58), QStyle::SP_FileDialogDetailedView),
            &QAction::triggered, this, &frmCVhtml::modificar);
    connect(Botón(b, "exportar", CadenaRecurso(59), QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &frmCVhtml::exportar);
    connect(Botón(b, "imprimir", CadenaRecurso(60), QStyle::SP_FileDialogContentsView),
            &QAction::triggered, this, &frmCVhtml::imprimir);
    connect(Botón(b, "copiar", CadenaRecurso(61), QStyle::SP_FileLinkIcon), &QAction::triggered,
            this, &frmCVhtml::copiar);
    l->addWidget(b);
    l->addWidget(htm_, 1);
    // Links in a CV are never followed, except its own documents', which open.
    connect(htm_, &QTextBrowser::anchorClicked, this, [](const QUrl& u) {
        if (u.scheme() == QLatin1String("documento")) AbrirDocumento(Almacén(), u.path().toInt());
    });
}

void frmCVhtml::cargar() {
    const QString nombre = postulante.Nombre.trimmed();
    setWindowTitle(postulante.Apellido +
                   (nombre.isEmpty() ? QString() : QStringLiteral(", ") + nombre));
    html_ = ResaltarHtml(PáginaCV(Almacén(), postulante, UsuarioActual), resaltar);
    // Opened from a keyword result, the page shows the first word found.
    const qsizetype primera = html_.indexOf(QLatin1String("<mark"));
    htm_->setHtml(primera < 0
                      ? html_
                      : QString(html_).insert(primera, QLatin1String("<a name=\"hallada\"></a>")));
    if (primera >= 0) htm_->scrollToAnchor(QStringLiteral("hallada"));
}

void frmCVhtml::mostrarInforme() {
    setWindowTitle(QStringLiteral("Informe de datos personales: ") + postulante.Apellido +
                   (postulante.Nombre.trimmed().isEmpty()
                        ? QString()
                        : QStringLiteral(", ") + postulante.Nombre.trimmed()));
    html_ = InformeDatosPersonales(Almacén(), postulante.id, UsuarioActual);
    htm_->setHtml(html_);
}

void AbrirInformeDatosPersonales(int32_t id) {
    frmMDI* m = VentanaPrincipal();
    if (!m || id <= 0) return;
    auto cv = std::make_unique<frmCVhtml>();
    cv->postulante.id = id;
    try {
        Espera espera(kEspera);
        if (cv->postulante.cargar() == 0) {
            MsgBox(TextoFichaBorrada(), Icono::Información);
            return;
        }
        cv->mostrarInforme();
    } catch (const ErrorAlmacen& e) {
        InformarFalla(QStringLiteral("No se pudo emitir el informe de datos personales."), e);
        return;
    }
    cv->resize(820, 640);
    m->agregarVentana(cv.release());
}

void frmCVhtml::modificar() {
    frmMDI* m = VentanaPrincipal();
    if (!m) return;
    const int32_t id = postulante.id;
    const uint8_t país = postulante.Dni_País;
    const QString número = postulante.Dni_Número.texto();
    if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget()))
        marco->close();
    else
        close();
    m->abrir_cv(id, país, número, false, true);  // opened to be edited
}

void frmCVhtml::exportar() {
    const QString nombre = NombreArchivoSeguro(postulante.Apellido + u' ' + postulante.Nombre,
                                               QStringLiteral("curriculum"));
    QString destino =
        ElegirArchivo({true, CadenaRecurso(59), nombre + QStringLiteral(".htm"),
                       QStringLiteral("Página web (*.htm *.html);;Documento PDF (*.pdf)")});
    if (destino.isEmpty()) return;
    const QString extensión = QFileInfo(destino).suffix().toLower();
    QByteArray contenido;
    if (extensión == QLatin1String("pdf")) {
        contenido = PáginaEnPdf(html_, windowTitle());
    } else {
        if (extensión.isEmpty()) destino += QStringLiteral(".htm");
        contenido = html_.toUtf8();
    }
    QString motivo;
    if (!GuardarArchivo(destino, contenido, motivo))
        MsgBox(QStringLiteral("No se pudo guardar la copia en «%1»: %2").arg(destino, motivo),
               Icono::Exclamación);
}

void frmCVhtml::imprimir() {
    interaccion().imprimir(html_, windowTitle());
    Proteger(QStringLiteral("No se pudo anotar la impresión en el historial."),
             [this] { Auditar(Almacén(), {postulante.id}, Acción::Imprimió); });
}

void frmCVhtml::copiar() {
    interaccion().portapapeles(htm_->toPlainText(), html_);
    MsgBox(CadenaRecurso(64), Icono::Información);
}
